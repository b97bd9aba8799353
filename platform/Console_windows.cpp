#include "platform/Console.h"

#include <io.h>
#include <windows.h>

#include <cstdio>

namespace {
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
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    showOnConsole(stdout, STD_OUTPUT_HANDLE);
    showOnConsole(stderr, STD_ERROR_HANDLE);
}
