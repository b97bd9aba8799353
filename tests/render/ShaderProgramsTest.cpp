#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "render/ShaderPrograms.h"

TEST(ReadTextFileTest, EndsTheBytesReadWithANulAndRefusesMissingOrEmptyFiles) {
    const std::string path = "/tmp/fuzzlets-text-" + std::to_string(getpid());
    const std::string text = "void main() {\r\n  gl_FragColor = vec4(1.0);\n}";
    std::ofstream(path, std::ios::binary) << text;
    char* read = readTextFile(path.c_str());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(std::strlen(read), text.size());
    EXPECT_EQ(std::string(read), text);
    std::free(read);

    std::ofstream(path, std::ios::binary | std::ios::trunc).close();
    EXPECT_EQ(readTextFile(path.c_str()), nullptr);
    std::remove(path.c_str());
    EXPECT_EQ(readTextFile(path.c_str()), nullptr);
    EXPECT_EQ(readTextFile("/tmp"), nullptr);  // a folder opens but reads nothing
}
