#include "audio/AudioResult.h"

const char* audioErrorString(AudioResult result) {
    switch (result) {
    case AUDIO_OK: return "No errors.";
    case AUDIO_ERR_OUTPUT: return "The audio output device could not be opened.";
    case AUDIO_ERR_FILE_NOT_FOUND: return "The file could not be found.";
    case AUDIO_ERR_FILE_READ: return "The file exists but could not be read.";
    case AUDIO_ERR_FORMAT:
        return "The file is empty, truncated or not in a format that can be decoded.";
    case AUDIO_ERR_CHANNEL: return "The channel is invalid or not playing.";
    case AUDIO_ERR_ARGUMENT: return "An invalid argument was passed.";
    case AUDIO_ERR_UNINITIALIZED: return "The audio system has not been initialised.";
    case AUDIO_ERR_INITIALIZED: return "The audio system has already been initialised.";
    case AUDIO_ERR_NO_FREE_CHANNEL: return "All channels are in use.";
    }
    return "Unknown error.";
}
