#include "audio/MusicPlayer.h"

#include <cstdio>

namespace {

// Printed with fflush so the lines keep their place among the program's other output.
void reportError(const char* format, AudioResult result) {
    std::printf(format, int(result), audioErrorString(result));
    std::fflush(stdout);
}

}  // namespace

AudioResult startAudio(AudioSystem*& system, AudioOutput output) {
    AudioResult result = createAudioSystem(&system);
    if (result != AUDIO_OK) return result;
    result = output == AUDIO_OUTPUT_MANUAL ? system->initManual(MUSIC_CHANNEL_COUNT)
                                           : system->init(MUSIC_CHANNEL_COUNT);
    if (result != AUDIO_OK) reportError("FMOD error! (%d) %s\n", result);
    return result;
}

MusicPlayer* createMusic(AudioSystem* system, const char* path) {
    MusicPlayer* music = new MusicPlayer{system, nullptr, nullptr, AUDIO_ERR_UNINITIALIZED};
    if (!system) return music;
    music->result = system->createSound(path, &music->sound);
    if (music->sound) music->result = music->sound->setLooping(true);
    return music;
}

void playMusic(MusicPlayer& music) {
    if (!music.system) {
        music.result = AUDIO_ERR_UNINITIALIZED;
        return;
    }
    music.result = music.system->playSound(music.sound, &music.channel);
}

void requestSpectrum(MusicPlayer& music, float* buffer) {
    music.result = music.channel ? music.channel->getSpectrum(buffer, MUSIC_SPECTRUM_SIZE,
                                                              MUSIC_SPECTRUM_OFFSET,
                                                              SPECTRUM_WINDOW_RECT)
                                 : AUDIO_ERR_CHANNEL;
    if (music.result != AUDIO_OK) reportError("FMOD error! analyse() (%d) %s\n", music.result);
}

float* spectrumBuffer() {
    static float buffer[MUSIC_SPECTRUM_SIZE] = {};
    return buffer;
}

void releaseMusic(MusicPlayer* music) {
    if (!music) return;
    if (music->sound) music->sound->release();
    delete music;
}

void closeAudio(AudioSystem* system) {
    if (!system) return;
    system->close();
    system->release();
}
