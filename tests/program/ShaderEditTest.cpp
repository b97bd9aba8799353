// The real executable's shaders: as --print-shaders writes them they pass the reference GLSL
// compiler; edited while the program runs, a saved edit shows without a key, a broken one keeps
// the picture and names its file and line, and `r` reloads.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ImageFiles.h"
#include "tests/TestFiles.h"
#include "tests/program/RunningProgram.h"

namespace fs = std::filesystem;

TEST(ShaderEditTest, PrintedTheyCompileAndAnEditShowsAtOnceOrKeepsThePictureAndNamesItsLine) {
    const fs::path folder = emptyFolder("shader-edit");
    RunningProgram print({"/usr/bin/env", "-u", "DISPLAY", FUZZLETS_BINARY, "--print-shaders", (folder / "printed").string()});
    ASSERT_EQ(print.waitForExit(), 0);
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(folder / "printed")) {
        EXPECT_EQ(runCommand("glslangValidator " + entry.path().string() + " >/dev/null 2>&1; echo $?"), "0\n")
            << runCommand("glslangValidator " + entry.path().string());
        ++checked;
    }
    EXPECT_EQ(checked, 8);

    copyData(folder);
    const fs::path wall = folder / "shader/glsl/normalMapping.frag";
    const std::string original = fileBytes(wall);
    const std::string colourLine = "    gl_FragColor = vec4(ambient + direct * lit, 1.0);";
    ASSERT_NE(original.find(colourLine), std::string::npos);
    std::string magenta = original;
    magenta.replace(magenta.find(colourLine), colourLine.size(), "    gl_FragColor = vec4(1.0, 0.0, 1.0, 1.0);");

    RunningProgram program({"/bin/sh", "-c", "cd " + folder.string() + " && exec " FUZZLETS_BINARY});
    for (int line = 0; line < 4; ++line) program.readLine();  // start-up
    const std::string window = findWindow("xdotool ");
    const std::string key = "xdotool key --window " + window + " ";
    // F12, then the magenta pixels of the saved picture.
    int screenshots = 0;
    const auto magentaPixels = [&] {
        RgbaImage picture;
        EXPECT_TRUE(readImage(takeScreenshot(program, "xdotool ", window, folder.string(), ++screenshots), picture));
        int count = 0;
        for (size_t pixel = 0; 4 * pixel < picture.rgba.size(); ++pixel) {
            const std::uint8_t* rgba = &picture.rgba[4 * pixel];
            count += rgba[0] == 255 && rgba[1] == 0 && rgba[2] == 255;
        }
        return count;
    };

    writeFileBytes(wall, magenta);
    EXPECT_EQ(program.readLine(), "shaders reloaded from shader/glsl/\n");
    EXPECT_GT(magentaPixels(), 640 * 480 / 4);

    // A line of its own that is not GLSL, after the first line of the file.
    writeFileBytes(wall, original.substr(0, original.find('\n') + 1) + "this is not glsl\n" + original.substr(original.find('\n') + 1));
    EXPECT_EQ(program.readLine(), "shader/glsl/normalMapping.frag: compile failed\n");
    EXPECT_EQ(program.readLine().rfind("shader/glsl/normalMapping.frag:2(", 0), 0u);
    // The rest of the compiler's messages, without the link failure that only follows from them.
    runCommand(key + "F12");
    ++screenshots;
    for (std::string line; (line = program.readLine()).rfind("screenshot written to ", 0) != 0;) {
        ASSERT_FALSE(line.empty()) << "no screenshot after the compiler's messages";
        EXPECT_EQ(line.find("link failed"), std::string::npos) << line;
    }
    EXPECT_GT(magentaPixels(), 640 * 480 / 4);

    writeFileBytes(wall, original);
    EXPECT_EQ(program.readLine(), "shaders reloaded from shader/glsl/\n");
    runCommand(key + "r");
    EXPECT_EQ(program.readLine(), "shaders reloaded from shader/glsl/\n");
    EXPECT_EQ(magentaPixels(), 0);
    runCommand(key + "Escape");
    EXPECT_EQ(program.waitForExit(), 0);
    fs::remove_all(folder);
}
