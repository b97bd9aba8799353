// The program's music: one sound looping on one channel, and the process-wide spectrum buffer
// that the frame fills twice and the fur and the overlay read.
// Failures never stop the program: without an output or a decodable file every call is
// harmless, and the scene runs silent while each spectrum request prints its error line.
#pragma once

#include "audio/AudioSystem.h"

constexpr int MUSIC_CHANNEL_COUNT = 100;
constexpr int MUSIC_SPECTRUM_SIZE = SPECTRUM_SIZE;  // 512 values
constexpr int MUSIC_SPECTRUM_OFFSET = 1;            // the right channel of the stream

struct MusicPlayer {
    AudioSystem* system;
    Sound* sound;
    Channel* channel;
    AudioResult result;  // of the last call made through the record
};

enum AudioOutput : int {
    AUDIO_OUTPUT_DEVICE = 0,  // SDL2's device plays the mix in real time
    AUDIO_OUTPUT_MANUAL = 1,  // no device: the caller advances the mix with AudioSystem::pull
};

// Creates the system and initialises it with MUSIC_CHANNEL_COUNT channels; prints
// "FMOD error! (%d) %s" when that fails. The system exists even then.
AudioResult startAudio(AudioSystem*& system, AudioOutput output = AUDIO_OUTPUT_DEVICE);
// A new record for system (which may be null) with the looping sound of path, not yet
// playing; failures are kept in result, not printed.
MusicPlayer* createMusic(AudioSystem* system, const char* path);
// Starts the sound on a free channel; the result is kept, not printed.
void playMusic(MusicPlayer& music);
// Fills buffer with MUSIC_SPECTRUM_SIZE values of the channel; on failure prints
// "FMOD error! analyse() (%d) %s" and leaves buffer as it was.
void requestSpectrum(MusicPlayer& music, float* buffer);
// The one spectrum buffer of the process, all zeros until a request succeeds.
float* spectrumBuffer();
// Releases the sound and frees the record; null is ignored.
void releaseMusic(MusicPlayer* music);
// Closes and releases the system; null is ignored.
void closeAudio(AudioSystem* system);
