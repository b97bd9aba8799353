// What ffmpeg is given: each file name as one argument, whatever blanks, quotes and backslashes
// it holds, as Windows programs must be quoted for the C runtime to read their arguments back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "render/VideoEncoder.h"
#include "tests/TestFiles.h"

namespace fs = std::filesystem;

namespace {
// Each run's arguments, as the stand-in for ffmpeg recorded them.
std::vector<std::vector<std::string>> recordedRuns(const fs::path& record) {
    std::istringstream lines(fileBytes(record));
    std::vector<std::vector<std::string>> runs(1);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty())
            runs.emplace_back();
        else
            runs.back().push_back(line);
    }
    runs.pop_back();
    return runs;
}
}  // namespace

TEST(VideoEncoder, FfmpegGetsEachFileNameWholeWhateverItHolds) {
    const fs::path ffmpeg = FAKE_FFMPEG;
    const fs::path record = ffmpeg.parent_path() / "arguments.txt";
    const std::string music = "the \"music\" folder\\music.wav";
    for (const std::string video : {"my clip.mp4", "say \"cheese\".mp4", "ends in a backslash\\", "two\\\\"}) {
        SCOPED_TRACE(video);
        fs::remove(record);
        {
            VideoEncoder encoder(ffmpeg, video, 2, 2, 30);
            EXPECT_TRUE(encoder.addFrame(WindowPixels{2, 2, std::vector<std::uint8_t>(12)}));
            EXPECT_TRUE(encoder.finish(music));
        }
        const std::vector<std::vector<std::string>> runs = recordedRuns(record);
        ASSERT_EQ(runs.size(), 2u);
        EXPECT_EQ(runs[0].back(), video + ".pictures");
        const std::vector<std::string> inputs = {"-i", video + ".pictures", "-i", music};
        EXPECT_TRUE(std::search(runs[1].begin(), runs[1].end(), inputs.begin(), inputs.end()) != runs[1].end());
        EXPECT_EQ(runs[1].back(), video);
    }
    fs::remove(record);
}
