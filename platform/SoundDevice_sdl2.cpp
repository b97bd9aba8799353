#include "platform/SoundDevice.h"

#include <SDL2/SDL.h>

namespace {
void feedFromSdl(void* device, Uint8* stream, int bytes) {
    auto* sound = static_cast<SoundDevice*>(device);
    sound->feed(reinterpret_cast<float*>(stream), bytes / int(sizeof(float) * size_t(sound->channelCount())));
}
}  // namespace

bool SoundDevice::open(int rate, int channelCount, int bufferFrames, SoundFill callback, void* callbackUser) {
    // SDL would otherwise take over SIGINT and SIGTERM and turn them into events nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    channels = channelCount;
    fill = callback;
    user = callbackUser;
    SDL_AudioSpec wanted {};
    wanted.freq = rate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = Uint8(channelCount);
    wanted.samples = Uint16(bufferFrames);
    wanted.callback = feedFromSdl;
    wanted.userdata = this;
    // No changes allowed: SDL converts to whatever the hardware wants behind the callback.
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(device, 0);
    return true;
}

void SoundDevice::close() {
    if (device == 0) return;
    // Closing waits for a running callback, so nothing is filled after this line.
    SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    device = 0;
}
