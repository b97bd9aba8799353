#include "audio/AudioSystem.h"

#include "audio/SoundFile.h"

#include <algorithm>

namespace {
constexpr int DEVICE_BUFFER_FRAMES = 1024;  // about 23 ms per callback
}

Sound::Sound(AudioSystem* owner, std::vector<float> samples, int sourceChannels)
    : owner(owner), stereo(std::move(samples)), channels(sourceChannels) {}

AudioResult Sound::setLooping(bool looping) {
    loops = looping;
    return AUDIO_OK;
}

AudioResult Sound::release() { return owner->releaseSound(this); }

AudioResult Channel::getSpectrum(float* values, int count, int channelOffset,
                                 SpectrumWindow window) {
    return owner->spectrum(voice, values, count, channelOffset, window);
}

bool Channel::isPlaying() const { return owner->isPlaying(voice); }

AudioResult createAudioSystem(AudioSystem** system) {
    if (!system) return AUDIO_ERR_ARGUMENT;
    *system = new AudioSystem;
    return AUDIO_OK;
}

AudioSystem::~AudioSystem() { close(); }

AudioResult AudioSystem::prepare(int channelCount) {
    if (mixer) return AUDIO_ERR_INITIALIZED;
    if (channelCount <= 0) return AUDIO_ERR_ARGUMENT;
    mixer = std::make_unique<Mixer>(channelCount);
    analyzer = std::make_unique<FrequencyAnalyzer>();
    spectrumInput.assign(FFT_SIZE, 0.0f);
    channels.clear();
    for (int voice = 0; voice < channelCount; ++voice) channels.emplace_back(this, voice);
    return AUDIO_OK;
}

AudioResult AudioSystem::init(int channelCount) {
    AudioResult result = prepare(channelCount);
    if (result != AUDIO_OK) return result;
    result = openDevice();
    if (result != AUDIO_OK) close();
    return result;
}

AudioResult AudioSystem::initManual(int channelCount) { return prepare(channelCount); }

AudioResult AudioSystem::openDevice() {
    return output.open(MIX_RATE, MIX_CHANNELS, DEVICE_BUFFER_FRAMES, deviceCallback, this) ? AUDIO_OK : AUDIO_ERR_OUTPUT;
}

void AudioSystem::deviceCallback(void* system, float* interleavedStereo, int frames) {
    static_cast<AudioSystem*>(system)->pull(interleavedStereo, frames);
}

void AudioSystem::setVolume(float gain) {
    if (mixer) mixer->setVolume(gain);
}

void AudioSystem::pull(float* interleavedStereo, int frames) {
    if (!interleavedStereo || frames <= 0) return;
    if (mixer)
        mixer->mix(interleavedStereo, frames);
    else
        std::fill(interleavedStereo, interleavedStereo + frames * MIX_CHANNELS, 0.0f);
}

AudioResult AudioSystem::createSound(const char* path, Sound** sound) {
    if (!sound) return AUDIO_ERR_ARGUMENT;
    *sound = nullptr;
    if (!mixer) return AUDIO_ERR_UNINITIALIZED;
    DecodedSound decoded;
    AudioResult result = decodeSoundFile(path, decoded);
    if (result != AUDIO_OK) return result;
    sounds.push_back(
        std::make_unique<Sound>(this, std::move(decoded.samples), decoded.sourceChannels));
    *sound = sounds.back().get();
    return AUDIO_OK;
}

AudioResult AudioSystem::playSound(Sound* sound, Channel** channel) {
    if (!channel) return AUDIO_ERR_ARGUMENT;
    *channel = nullptr;
    if (!mixer) return AUDIO_ERR_UNINITIALIZED;
    if (!sound) return AUDIO_ERR_ARGUMENT;
    int voice = mixer->start(sound, sound->samples(), sound->frameCount(), sound->looping());
    if (voice < 0) return AUDIO_ERR_NO_FREE_CHANNEL;
    *channel = &channels[size_t(voice)];
    return AUDIO_OK;
}

AudioResult AudioSystem::releaseSound(Sound* sound) {
    auto isSound = [sound](const std::unique_ptr<Sound>& entry) { return entry.get() == sound; };
    auto owned = std::find_if(sounds.begin(), sounds.end(), isSound);
    if (owned == sounds.end()) return AUDIO_ERR_ARGUMENT;
    // The output thread must let go of the samples before they are freed.
    if (mixer) mixer->stopAll(sound);
    sounds.erase(owned);
    return AUDIO_OK;
}

bool AudioSystem::isPlaying(int voice) { return mixer && mixer->isPlaying(voice); }

AudioResult AudioSystem::spectrum(int voice, float* values, int count, int channelOffset,
                                  SpectrumWindow window) {
    if (!mixer) return AUDIO_ERR_UNINITIALIZED;
    bool validArguments = values && count == SPECTRUM_SIZE && channelOffset >= 0 &&
                          channelOffset < MIX_CHANNELS && window == SPECTRUM_WINDOW_RECT;
    if (!validArguments) return AUDIO_ERR_ARGUMENT;
    if (!mixer->copyLatest(voice, channelOffset, spectrumInput.data())) return AUDIO_ERR_CHANNEL;
    analyzer->analyse(spectrumInput.data(), values);
    return AUDIO_OK;
}

AudioResult AudioSystem::close() {
    // Closing waits for a running callback, so nothing mixes after this line.
    output.close();
    if (!mixer) return AUDIO_ERR_UNINITIALIZED;
    mixer.reset();
    analyzer.reset();
    return AUDIO_OK;
}

AudioResult AudioSystem::release() {
    delete this;
    return AUDIO_OK;
}
