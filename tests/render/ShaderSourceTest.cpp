// What the shaders are made of before the driver sees them: the prelude from the C++ constants,
// the shared files put in where asked, and the driver's messages pointing at the reader's files.
#include <gtest/gtest.h>

#include <cstdlib>

#include "render/FurStyle.h"
#include "render/ShaderSource.h"
#include "render/Textures.h"
#include "tests/TestFiles.h"

TEST(ShaderSource, ThePreludeCarriesTheCppConstantsAndIncludesKeepTheirLineNumbers) {
    // The value each #define holds reads back as exactly the C++ constant.
    const std::string prelude = shaderPrelude(ShaderStage::Fragment);
    EXPECT_EQ(prelude.rfind("#version 110\n", 0), 0u);
    const auto defined = [&](const std::string& name) {
        const size_t at = prelude.find("#define " + name + " ");
        return at == std::string::npos ? -1.0f : std::strtof(prelude.c_str() + at + name.size() + 9, nullptr);
    };
    EXPECT_EQ(defined("FUR_LENGTH_STEP"), FUR_LENGTH_STEP);
    EXPECT_EQ(defined("FUR_SHELL_COUNT"), float(FUR_SHELL_COUNT));

    const std::filesystem::path folder = emptyFolder("shader-source");
    const std::string directory = folder.string() + "/";
    writeFileBytes(folder / "main.frag", "a\n  #  include \"shared.glsl\"  \nc\n#include \"missing.glsl\"\n");
    writeFileBytes(folder / "shared.glsl", "x\n");
    writeFileBytes(folder / "loop.glsl", "#include \"loop.glsl\"\n");
    const ShaderSource source = buildShaderSource(directory, "main.frag");
    EXPECT_EQ(source.problem, directory + "missing.glsl: cannot be read");
    EXPECT_EQ(source.text, "");
    writeFileBytes(folder / "main.frag", "a\n  #  include \"shared.glsl\"  \nc\n");
    const ShaderSource good = buildShaderSource(directory, "main.frag");
    EXPECT_EQ(good.text, prelude + "#line 0 0\na\n#line 0 1\nx\n#line 2 0\nc\n");
    EXPECT_EQ(good.files, (std::vector<std::string>{directory + "main.frag", directory + "shared.glsl"}));
    EXPECT_NE(buildShaderSource(directory, "loop.glsl").problem.find("loop.glsl:1: includes nested too deep"),
              std::string::npos);

    const std::vector<std::string> files = {"fur.frag", "shared.glsl"};
    EXPECT_EQ(nameFilesInLog("0:12(3): error: x\n1(4) : error C0000: y\nERROR: 1:5: z\n7:2(1): w\nlink: v\n", files),
              "fur.frag:12(3): error: x\nshared.glsl(4) : error C0000: y\nERROR: shared.glsl:5: z\n7:2(1): w\nlink: v\n");
    std::filesystem::remove_all(folder);
}
