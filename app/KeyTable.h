// The keys the viewer can press, one line each, so that `--help`, the tools and the on-screen
// help all list the same table.
#pragma once

#include <string>

// One line per key: the key's name, padded, then what it does.
extern const char* const KEY_TABLE[];
extern const int KEY_TABLE_LINES;

// The table as one text, each line indented by `indent` and ending in a newline.
std::string keyTableText(const char* indent);
