// Result codes of the audio layer: every failure the program can meet has its own number and
// sentence, so the two error lines it prints say what went wrong. The numbers never change.
#pragma once

enum AudioResult : int {
    AUDIO_OK = 0,
    AUDIO_ERR_OUTPUT = 1,
    AUDIO_ERR_FILE_NOT_FOUND = 2,
    AUDIO_ERR_FILE_READ = 3,
    AUDIO_ERR_FORMAT = 4,
    AUDIO_ERR_CHANNEL = 5,
    AUDIO_ERR_ARGUMENT = 6,
    AUDIO_ERR_UNINITIALIZED = 7,
    AUDIO_ERR_INITIALIZED = 8,
    AUDIO_ERR_NO_FREE_CHANNEL = 9,
};

// One English sentence per code; any other number reads "Unknown error.".
const char* audioErrorString(AudioResult result);
