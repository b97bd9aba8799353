#include "audio/MusicPlayer.h"
#include "tests/audio/AudioTestFiles.h"

#include <cstdlib>

namespace {

// Points SDL at an audio driver that does not exist while the object lives.
class MissingAudioDriver {
public:
    MissingAudioDriver() : previous(std::getenv(DRIVER) ? std::getenv(DRIVER) : "") {
        setenv(DRIVER, "no-such-driver", 1);
    }
    ~MissingAudioDriver() {
        if (previous.empty())
            unsetenv(DRIVER);
        else
            setenv(DRIVER, previous.c_str(), 1);
    }

private:
    static constexpr const char* DRIVER = "SDL_AUDIODRIVER";
    std::string previous;
};

}  // namespace

TEST(MusicPlayer, PlaysTheTrackInALoopOnTheDevice) {
    AudioSystem* system = nullptr;
    testing::internal::CaptureStdout();
    EXPECT_EQ(startAudio(system), AUDIO_OK);
    MusicPlayer* music = createMusic(system, COMMITTED_TRACK);
    EXPECT_EQ(music->system, system);
    EXPECT_EQ(music->result, AUDIO_OK);
    ASSERT_NE(music->sound, nullptr);
    EXPECT_TRUE(music->sound->looping());
    EXPECT_EQ(music->channel, nullptr);
    playMusic(*music);
    EXPECT_EQ(music->result, AUDIO_OK);
    ASSERT_NE(music->channel, nullptr);
    std::vector<float> values(MUSIC_SPECTRUM_SIZE, -1.0f);
    requestSpectrum(*music, values.data());
    EXPECT_EQ(music->result, AUDIO_OK);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    for (float value : values) EXPECT_GE(value, 0.0f);
    releaseMusic(music);
    closeAudio(system);
}

TEST(MusicPlayer, WithoutOutputTheSceneRunsSilentAndSaysSo) {
    AudioSystem* system = nullptr;
    {
        MissingAudioDriver noDevice;
        testing::internal::CaptureStdout();
        EXPECT_EQ(startAudio(system), AUDIO_ERR_OUTPUT);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "FMOD error! (1) The audio output device could not be opened.\n");
    }
    ASSERT_NE(system, nullptr);
    MusicPlayer* music = createMusic(system, COMMITTED_TRACK);
    EXPECT_EQ(music->result, AUDIO_ERR_UNINITIALIZED);
    playMusic(*music);
    EXPECT_EQ(music->channel, nullptr);

    std::vector<float> values(MUSIC_SPECTRUM_SIZE, 0.25f);
    testing::internal::CaptureStdout();
    requestSpectrum(*music, values.data());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "FMOD error! analyse() (5) The channel is invalid or not playing.\n");
    EXPECT_EQ(values, std::vector<float>(MUSIC_SPECTRUM_SIZE, 0.25f));
    releaseMusic(music);
    closeAudio(system);
}

TEST(MusicPlayer, MissingFileOrSystemIsKeptQuietUntilTheSpectrum) {
    AudioSystem* system = nullptr;
    ASSERT_EQ(startAudio(system, AUDIO_OUTPUT_MANUAL), AUDIO_OK);
    testing::internal::CaptureStdout();
    MusicPlayer* missing = createMusic(system, "media/no_such_track.mp3");
    EXPECT_EQ(missing->result, AUDIO_ERR_FILE_NOT_FOUND);
    playMusic(*missing);
    MusicPlayer* orphan = createMusic(nullptr, COMMITTED_TRACK);
    playMusic(*orphan);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(missing->result, AUDIO_ERR_ARGUMENT);  // playing a sound that was never made
    EXPECT_EQ(missing->sound, nullptr);
    EXPECT_EQ(orphan->result, AUDIO_ERR_UNINITIALIZED);

    float value = 0.5f;
    testing::internal::CaptureStdout();
    requestSpectrum(*orphan, &value);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "FMOD error! analyse() (5) The channel is invalid or not playing.\n");
    EXPECT_EQ(value, 0.5f);
    releaseMusic(missing);
    releaseMusic(orphan);
    releaseMusic(nullptr);
    closeAudio(system);
    closeAudio(nullptr);
}

TEST(MusicPlayer, SpectrumBufferIsOneZeroedArray) {
    float* buffer = spectrumBuffer();
    EXPECT_EQ(buffer, spectrumBuffer());
    for (int index = 0; index < MUSIC_SPECTRUM_SIZE; ++index) EXPECT_EQ(buffer[index], 0.0f);
}
