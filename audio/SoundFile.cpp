#include "audio/SoundFile.h"

#include "audio/AudioFormat.h"

#include <sndfile.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

namespace {

constexpr sf_count_t DECODE_CHUNK_FRAMES = 4096;

AudioResult checkFileAccess(const char* path) {
    struct stat status {};
    if (stat(path, &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? AUDIO_ERR_FILE_NOT_FOUND : AUDIO_ERR_FILE_READ;
    if (!S_ISREG(status.st_mode)) return AUDIO_ERR_FORMAT;
    FILE* file = std::fopen(path, "rb");
    if (!file) return AUDIO_ERR_FILE_READ;
    std::fclose(file);
    return AUDIO_OK;
}

// Appends the first two channels of each source frame (or mono twice) to stereo.
void appendAsStereo(const std::vector<float>& chunk, sf_count_t frames, int channels,
                    std::vector<float>& stereo) {
    for (sf_count_t frame = 0; frame < frames; ++frame) {
        const float* source = &chunk[size_t(frame * channels)];
        stereo.push_back(source[0]);
        stereo.push_back(channels > 1 ? source[1] : source[0]);
    }
}

AudioResult readAllFrames(SNDFILE* file, const SF_INFO& info, std::vector<float>& stereo) {
    std::vector<float> chunk(size_t(DECODE_CHUNK_FRAMES * info.channels));
    sf_count_t total = 0;
    sf_count_t read = 0;
    while ((read = sf_readf_float(file, chunk.data(), DECODE_CHUNK_FRAMES)) > 0) {
        appendAsStereo(chunk, read, info.channels, stereo);
        total += read;
    }
    bool empty = total == 0;
    bool lengthKnown = info.frames != SF_COUNT_MAX;
    bool cutShort = lengthKnown && total < info.frames;
    return empty || cutShort || sf_error(file) != SF_ERR_NO_ERROR ? AUDIO_ERR_FORMAT : AUDIO_OK;
}

}  // namespace

std::vector<float> resampleStereo(const std::vector<float>& samples, int fromRate, int toRate) {
    size_t sourceFrames = samples.size() / MIX_CHANNELS;
    if (sourceFrames == 0) return {};
    size_t frames = size_t(double(sourceFrames) * toRate / fromRate);
    double step = double(fromRate) / toRate;
    std::vector<float> resampled(frames * MIX_CHANNELS);
    for (size_t frame = 0; frame < frames; ++frame) {
        double position = double(frame) * step;
        size_t before = size_t(position);
        size_t after = before + 1 < sourceFrames ? before + 1 : before;
        float weight = float(position - double(before));
        for (int side = 0; side < MIX_CHANNELS; ++side) {
            float a = samples[before * MIX_CHANNELS + side];
            float b = samples[after * MIX_CHANNELS + side];
            resampled[frame * MIX_CHANNELS + side] = a + (b - a) * weight;
        }
    }
    return resampled;
}

AudioResult decodeSoundFile(const char* path, DecodedSound& sound) {
    if (!path) return AUDIO_ERR_ARGUMENT;
    AudioResult access = checkFileAccess(path);
    if (access != AUDIO_OK) return access;
    SF_INFO info {};
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    if (!file) return AUDIO_ERR_FORMAT;
    AudioResult result = info.channels > 0 && info.samplerate > 0
                             ? readAllFrames(file, info, sound.samples)
                             : AUDIO_ERR_FORMAT;
    sf_close(file);
    if (result != AUDIO_OK) return result;
    sound.sourceChannels = info.channels;
    sound.sourceRate = info.samplerate;
    if (info.samplerate != MIX_RATE)
        sound.samples = resampleStereo(sound.samples, info.samplerate, MIX_RATE);
    return sound.samples.empty() ? AUDIO_ERR_FORMAT : AUDIO_OK;
}
