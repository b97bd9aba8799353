// The shaders the layer build compiles, as --print-shaders writes them: GLSL ES 3.00 that the
// reference compiler takes, each program's two stages linking.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/TestFiles.h"
#include "tests/program/RunningProgram.h"

namespace fs = std::filesystem;

TEST(PrintedShadersTest, EveryStageIsGlslEsThatCompilesAndEveryProgramLinks) {
    const fs::path folder = emptyFolder("layer-shaders");
    RunningProgram print({"/usr/bin/env", "-u", "DISPLAY", FUZZLETS_GLES_BINARY, "--print-shaders", folder.string()});
    ASSERT_EQ(print.waitForExit(), 0);
    int linked = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".vert") continue;
        const fs::path vertex = entry.path(), fragment = fs::path(vertex).replace_extension(".frag");
        EXPECT_EQ(fileBytes(vertex).rfind("#version 300 es\n", 0), 0u) << vertex;
        const std::string command = "glslangValidator -l " + vertex.string() + " " + fragment.string();
        EXPECT_EQ(runCommand(command + " >/dev/null 2>&1; echo $?"), "0\n") << runCommand(command);
        ++linked;
    }
    EXPECT_EQ(linked, 4);
}
