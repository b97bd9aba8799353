// Shaders edited while the program runs, on the real executable: a saved edit shows within a
// second without a key, a broken one keeps the picture and names its file and line, `r` reloads;
// and the sources as --print-shaders writes them pass the reference GLSL compiler.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "platform/ImageFiles.h"
#include "tests/TestFiles.h"
#include "tests/program/RunningProgram.h"

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using std::chrono::seconds;

TEST(ShaderEditTest, PrintedShadersPassTheReferenceCompiler) {
    const fs::path folder = emptyFolder("printed-shaders");
    RunningProgram print({"/usr/bin/env", "-u", "DISPLAY", FUZZLETS_BINARY, "--print-shaders", folder.string()});
    ASSERT_EQ(print.waitForExit(seconds(10)), 0);
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        EXPECT_EQ(runCommand("glslangValidator " + entry.path().string() + " >/dev/null 2>&1; echo $?"), "0\n")
            << runCommand("glslangValidator " + entry.path().string());
        ++checked;
    }
    EXPECT_EQ(checked, 8);
    fs::remove_all(folder);
}

TEST(ShaderEditTest, AnEditShowsWithinASecondAnErrorKeepsThePictureAndNamesItsLine) {
    const fs::path folder = emptyFolder("shader-edit");
    for (const char* data : {"shader", "media"})
        fs::copy(fs::path(FUZZLETS_SOURCE_DIR) / data, folder / data, fs::copy_options::recursive);
    const fs::path wall = folder / "shader/glsl/normalMapping.frag";
    const std::string original = fileBytes(wall);
    const std::string colourLine = "    gl_FragColor = vec4(ambient + direct * lit, 1.0);";
    ASSERT_NE(original.find(colourLine), std::string::npos);
    std::string magenta = original;
    magenta.replace(magenta.find(colourLine), colourLine.size(), "    gl_FragColor = vec4(1.0, 0.0, 1.0, 1.0);");

    RunningProgram program({"/bin/sh", "-c", "cd " + folder.string() + " && exec " FUZZLETS_BINARY});
    for (int line = 0; line < 4; ++line) program.readLine();  // start-up
    const std::string id = runCommand("timeout 60 xdotool search --sync --onlyvisible --name '^Fuzzlets$' | head -n 1");
    const std::string key = "xdotool key --window " + id.substr(0, id.find('\n')) + " ";
    // F12, then the magenta pixels of the saved picture.
    int screenshots = 0;
    const auto magentaPixels = [&] {
        runCommand(key + "F12");
        const std::string written = program.readLine();
        const fs::path path = folder / ("fuzzlets-000" + std::to_string(++screenshots) + ".png");
        EXPECT_EQ(written, "screenshot written to " + path.string() + "\n");
        RgbaImage picture;
        EXPECT_TRUE(readImage(path, picture));
        int count = 0;
        for (size_t pixel = 0; 4 * pixel < picture.rgba.size(); ++pixel) {
            const std::uint8_t* rgba = &picture.rgba[4 * pixel];
            count += rgba[0] == 255 && rgba[1] == 0 && rgba[2] == 255;
        }
        return count;
    };

    writeFileBytes(wall, magenta);
    std::this_thread::sleep_for(seconds(1));
    EXPECT_EQ(program.readLine(), "shaders reloaded from shader/glsl/\n");
    EXPECT_GT(magentaPixels(), 640 * 480 / 4);

    // A line of its own that is not GLSL, after the first line of the file.
    writeFileBytes(wall, original.substr(0, original.find('\n') + 1) + "this is not glsl\n" + original.substr(original.find('\n') + 1));
    std::this_thread::sleep_for(seconds(1));
    EXPECT_EQ(program.readLine(), "shader/glsl/normalMapping.frag: compile failed\n");
    EXPECT_EQ(program.readLine().rfind("shader/glsl/normalMapping.frag:2(", 0), 0u);
    // The rest of the compiler's messages, then the linker's, which refuses the failed shader.
    while (program.readLine().find(": link failed") == std::string::npos) {}
    EXPECT_NE(program.readLine().find("error"), std::string::npos);
    EXPECT_GT(magentaPixels(), 640 * 480 / 4);

    writeFileBytes(wall, original);
    std::this_thread::sleep_for(seconds(1));
    EXPECT_EQ(program.readLine(), "shaders reloaded from shader/glsl/\n");
    runCommand(key + "r");
    EXPECT_EQ(program.readLine(), "shaders reloaded from shader/glsl/\n");
    EXPECT_EQ(magentaPixels(), 0);
    runCommand(key + "Escape");
    EXPECT_EQ(program.waitForExit(seconds(20)), 0);
    fs::remove_all(folder);
}
