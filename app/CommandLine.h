// The program's own options. Everything else on the command line belongs to GLUT (-display,
// -geometry, ...), so only these are looked for, and none needs a display.
#pragma once

#include <string>

#include "app/Settings.h"

std::string usageText();
std::string versionText();

// Prints the usage for --help or the version for --version, or writes the shader sources for
// --print-shaders DIR, and returns the exit status; -1 when none was asked for and the program
// should start.
int answerInformationOptions(int argc, char** argv);

// Takes every "--set name=value" out of argv into settings. Returns -1 when all were good;
// otherwise prints what is wrong, naming the setting, and returns the exit status 2.
int readSettingOptions(int& argc, char** argv, Settings& settings, const char* program);
