#include "audio/AudioSystem.h"
#include "tests/audio/AudioTestFiles.h"

#include <cstring>
#include <set>

namespace {

AudioResult createFrom(const std::string& path) {
    AudioSystem* system = nullptr;
    createAudioSystem(&system);
    system->initManual(1);
    Sound* sound = nullptr;
    AudioResult result = system->createSound(path.c_str(), &sound);
    EXPECT_EQ(sound != nullptr, result == AUDIO_OK);
    system->release();
    return result;
}

}  // namespace

TEST(SoundFile, UnusableFilesGiveTheirOwnCodes) {
    EXPECT_EQ(createFrom(temporaryPath("missing.mp3")), AUDIO_ERR_FILE_NOT_FOUND);
    EXPECT_EQ(createFrom(testing::TempDir()), AUDIO_ERR_FORMAT);

    std::string empty = temporaryPath("empty.mp3");
    writeBytes(empty, "");
    EXPECT_EQ(createFrom(empty), AUDIO_ERR_FORMAT);

    std::string text = temporaryPath("text.wav");
    writeBytes(text, "this is not a sound at all\n");
    EXPECT_EQ(createFrom(text), AUDIO_ERR_FORMAT);

    std::string cutTrack = temporaryPath("cut.mp3");
    std::string track = readBytes(COMMITTED_TRACK);
    ASSERT_GT(track.size(), 1000u);
    writeBytes(cutTrack, track.substr(0, track.size() / 2));
    EXPECT_EQ(createFrom(cutTrack), AUDIO_ERR_FORMAT);

    std::string wav = temporaryPath("whole.wav");
    writeWav(wav, sine(FFT_SIZE, BIN_TWO_HZ, 1.0), 1);
    std::string cutHeader = temporaryPath("cut-header.wav");
    writeBytes(cutHeader, readBytes(wav).substr(0, 30));
    EXPECT_EQ(createFrom(cutHeader), AUDIO_ERR_FORMAT);
    EXPECT_EQ(createFrom(wav), AUDIO_OK);

    for (const std::string& path : {empty, text, cutTrack, wav, cutHeader})
        std::remove(path.c_str());
}

TEST(SoundFile, SystemRefusesWorkBeforeInitAndTwice) {
    AudioSystem* system = nullptr;
    ASSERT_EQ(createAudioSystem(&system), AUDIO_OK);
    Sound* sound = nullptr;
    Channel* channel = nullptr;
    EXPECT_EQ(system->createSound(COMMITTED_TRACK, &sound), AUDIO_ERR_UNINITIALIZED);
    EXPECT_EQ(system->playSound(sound, &channel), AUDIO_ERR_UNINITIALIZED);
    EXPECT_EQ(system->initManual(0), AUDIO_ERR_ARGUMENT);
    EXPECT_EQ(system->initManual(1), AUDIO_OK);
    EXPECT_EQ(system->initManual(1), AUDIO_ERR_INITIALIZED);
    EXPECT_EQ(system->playSound(nullptr, &channel), AUDIO_ERR_ARGUMENT);
    EXPECT_EQ(channel, nullptr);
    system->release();
}

TEST(AudioResult, EveryCodeHasItsOwnSentence) {
    std::set<std::string> sentences;
    for (int code = AUDIO_OK; code <= AUDIO_ERR_NO_FREE_CHANNEL; ++code) {
        const char* sentence = audioErrorString(AudioResult(code));
        EXPECT_STRNE(sentence, "Unknown error.") << code;
        sentences.insert(sentence);
    }
    EXPECT_EQ(sentences.size(), size_t(AUDIO_ERR_NO_FREE_CHANNEL + 1));
    EXPECT_STREQ(audioErrorString(AUDIO_OK), "No errors.");
    EXPECT_STREQ(audioErrorString(AudioResult(84)), "Unknown error.");
}
