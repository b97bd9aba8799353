// Writes the manual page, fuzzlets(6), to the file named by its one argument; the build runs it
// so that the page always lists the program's current keys.
#include <cstdio>

#include "app/ManPage.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make-man-page FILE\n", stderr);
        return 2;
    }
    FILE* file = std::fopen(argv[1], "w");
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    const std::string text = manPageText();
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written ? 0 : 1;
}
