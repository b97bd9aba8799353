// The program's own options. Everything else on the command line belongs to GLUT (-display,
// -geometry, ...), so only these two are looked for, and neither needs a display.
#pragma once

#include <string>

std::string usageText();
std::string versionText();

// Prints the usage for --help or the version for --version and returns the exit status;
// -1 when neither was asked for and the program should start.
int answerInformationOptions(int argc, char** argv);
