// The music's source in the page, which ships no sound decoder and no sound file: the one sound
// the program plays, the music loop, is made here by the synthesiser that made the file (a third
// of a second in the page, against half a megabyte to download). Whatever path is asked for, the
// loop is the answer. The desktop decodes the file instead: audio/SoundFile.cpp.
#include "audio/LoopSynthesizer.h"
#include "audio/SoundFile.h"

AudioResult decodeSoundFile(const char* path, DecodedSound& sound) {
    if (!path) return AUDIO_ERR_ARGUMENT;
    sound.samples = synthesizeLoop();
    sound.sourceChannels = MIX_CHANNELS;
    sound.sourceRate = MIX_RATE;
    return AUDIO_OK;
}
