// The sound card's output, fed by a callback that fills interleaved float frames: SDL2's audio
// device (on its own thread) on Linux and Windows; Web Audio in the page, where the browser
// starts the sound on the page's first click or key.
#pragma once

using SoundFill = void (*)(void* user, float* interleaved, int frames);

class SoundDevice {
public:
    SoundDevice() = default;
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;
    ~SoundDevice() { close(); }

    // Opens the output at rate frames a second, channels interleaved, called for bufferFrames
    // frames at a time, and starts calling fill; false when no output can be opened.
    bool open(int rate, int channels, int bufferFrames, SoundFill fill, void* user);
    // Waits for a running fill to return; nothing is called after it. Nothing to do when closed.
    void close();
    bool isOpen() const { return device != 0; }
    // The output's own call, on its thread: frames from the callback.
    void feed(float* interleaved, int frames) { fill(user, interleaved, frames); }
    int channelCount() const { return channels; }

private:
    unsigned device = 0;
    int channels = 0;
    SoundFill fill = nullptr;
    void* user = nullptr;
};
