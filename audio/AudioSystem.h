// The audio layer: a system that owns an output (the platform's sound device, or none in manual
// mode where the caller pulls the mix), sounds decoded whole into memory, and channels that play
// them.
// Every call reports an AudioResult; the objects are made and freed through the system.
//
//   AudioSystem* system;   createAudioSystem(&system);   system->init(100);
//   Sound* sound;          system->createSound(path, &sound);   sound->setLooping(true);
//   Channel* channel;      system->playSound(sound, &channel);
//   channel->getSpectrum(values, 512, 1, SPECTRUM_WINDOW_RECT);
//   sound->release();      system->close();   system->release();
//
// The spectrum is that of the mixed output: the latest FFT_SIZE frames handed to the output,
// of the side asked for (offset 0 left, 1 right), while the channel still plays. A mono sound
// plays on both sides, so offsets 0 and 1 read the same; offset 2 and above exist on no stream
// and are refused with AUDIO_ERR_ARGUMENT.
#pragma once

#include "audio/AudioFormat.h"
#include "audio/AudioResult.h"
#include "audio/Mixer.h"
#include "audio/FrequencyAnalyzer.h"
#include "platform/SoundDevice.h"

#include <memory>
#include <vector>

class AudioSystem;

class Sound {
public:
    Sound(AudioSystem* owner, std::vector<float> samples, int sourceChannels);

    // Applies to playback started after the call.
    AudioResult setLooping(bool looping);
    // Stops every channel playing the sound and frees it. A sound belongs to its system:
    // releasing the system frees the sounds still there.
    AudioResult release();

    bool looping() const { return loops; }
    size_t frameCount() const { return stereo.size() / MIX_CHANNELS; }
    int sourceChannels() const { return channels; }
    const float* samples() const { return stereo.data(); }

private:
    AudioSystem* owner;
    std::vector<float> stereo;
    int channels;
    bool loops = false;
};

// A handle on one of the system's voices. After the system is closed a request on it fails
// with AUDIO_ERR_UNINITIALIZED; it lives until the system is released or initialised again.
class Channel {
public:
    Channel(AudioSystem* owner, int voice) : owner(owner), voice(voice) {}

    // count must be SPECTRUM_SIZE; values are non-negative, lowest frequency first.
    AudioResult getSpectrum(float* values, int count, int channelOffset, SpectrumWindow window);
    bool isPlaying() const;

private:
    AudioSystem* owner;
    int voice;
};

class AudioSystem {
public:
    AudioSystem() = default;
    ~AudioSystem();
    AudioSystem(const AudioSystem&) = delete;
    AudioSystem& operator=(const AudioSystem&) = delete;

    // Opens the output device at MIX_RATE, stereo, float, with channelCount voices.
    AudioResult init(int channelCount);
    // The same without a device: nothing plays until pull is called.
    AudioResult initManual(int channelCount);
    AudioResult createSound(const char* path, Sound** sound);
    // Starts the sound from its beginning on a free channel.
    AudioResult playSound(Sound* sound, Channel** channel);
    // Mixes the next frames exactly as the device would and feeds the spectrum; meant for the
    // manual mode. Writes silence when the system is not initialised.
    void pull(float* interleavedStereo, int frames);
    // Output gain from 0 (silent) to 1; the spectrum is read before it. Ignored before init.
    void setVolume(float gain);
    // Stops all playback and closes the output; sounds stay until release.
    AudioResult close();
    // Closes, frees every sound not yet released, and deletes the system.
    AudioResult release();

    AudioResult releaseSound(Sound* sound);
    AudioResult spectrum(int voice, float* values, int count, int channelOffset,
                         SpectrumWindow window);
    bool isPlaying(int voice);

private:
    AudioResult prepare(int channelCount);
    AudioResult openDevice();
    static void deviceCallback(void* system, float* interleavedStereo, int frames);

    std::unique_ptr<Mixer> mixer;
    std::unique_ptr<FrequencyAnalyzer> analyzer;
    std::vector<float> spectrumInput;
    std::vector<Channel> channels;
    std::vector<std::unique_ptr<Sound>> sounds;
    SoundDevice output;
};

// Makes an uninitialised system.
AudioResult createAudioSystem(AudioSystem** system);
