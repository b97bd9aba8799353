// The manual page, fuzzlets(6), made from the same key table as `--help`, so that a key added to
// the program shows up in `man fuzzlets` too.
#pragma once

#include <string>

// The page in man(7) markup.
std::string manPageText();
