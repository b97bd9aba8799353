#include "app/KeyTable.h"

const char* const KEY_TABLE[] = {
    "w s      fly forward / backward",
    "a d      fly left / right",
    "q e      fly up / down",
    "mouse    look around",
    "m        follow the next fur ball, then fly free again",
    "u        show or hide the music spectrum",
    "f        full screen on / off",
    "h        show or hide this help",
    "1        show or hide the shadow map, bottom right",
    "2        fur shells drawn: all 40, every fifth, innermost, in turn",
    "3        fur lit along each hair, or like the sphere under it, in turn",
    "p        pause or resume the world; the camera still flies",
    "r        reload the shaders (saving a shader file does it too)",
    "Tab      settings panel on / off; the pointer is free while it shows",
    "F12      save the window as fuzzlets-NNNN.png",
    "Escape   quit",
};
const int KEY_TABLE_LINES = int(sizeof KEY_TABLE / sizeof KEY_TABLE[0]);

std::string keyTableText(const char* indent) {
    std::string text;
    for (int line = 0; line < KEY_TABLE_LINES; ++line) text += std::string(indent) + KEY_TABLE[line] + "\n";
    return text;
}
