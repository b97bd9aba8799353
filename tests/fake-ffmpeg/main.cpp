// Stands in for ffmpeg where a test needs to see what ffmpeg would be given: appends the
// arguments it received, one to a line and a blank line after the last, to arguments.txt beside
// itself, reads its standard input to the end as the encoder would, and succeeds.
#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    char buffer[4096];
    while (std::fread(buffer, 1, sizeof buffer, stdin) > 0) {}
    const std::filesystem::path record = std::filesystem::path(argv[0]).parent_path() / "arguments.txt";
    FILE* file = std::fopen(record.string().c_str(), "ab");
    if (!file) return 1;
    for (int i = 1; i < argc; ++i) std::fprintf(file, "%s\n", argv[i]);
    std::fputs("\n", file);
    return std::fclose(file) == 0 ? 0 : 1;
}
