#include "platform/Console.h"

#include <io.h>
#include <windows.h>

#include <cstdio>

#include "platform/WideText_windows.h"

namespace {
bool borrowedConsole = false;  // the console of the program that started ours

// A stream the parent already pointed somewhere (a file, a pipe) stays there.
void showOnConsole(FILE* stream, DWORD standardHandle) {
    if (GetFileType(GetStdHandle(standardHandle)) != FILE_TYPE_UNKNOWN) return;
    if (!std::freopen("CONOUT$", "w", stream)) return;
    // Programs we start take their handles from here.
    SetStdHandle(standardHandle, reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))));
}
}  // namespace

void useParentConsole() {
    // Double-clicked, there is no parent console, and none is made.
    borrowedConsole = AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
    if (!borrowedConsole) return;
    showOnConsole(stdout, STD_OUTPUT_HANDLE);
    showOnConsole(stderr, STD_ERROR_HANDLE);
}

void reportStartFailure(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
    // Without a console (a desktop program double-clicked), nobody would read standard error. A
    // console program (the tools) always has one of its own.
    if (!borrowedConsole && !GetConsoleWindow()) MessageBoxW(nullptr, wideText(message).c_str(), L"Fuzzlets", MB_OK | MB_ICONERROR);
}
