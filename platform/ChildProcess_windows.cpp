#include "platform/ChildProcess.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "platform/WideText_windows.h"

struct ChildProcess::Handles {
    HANDLE process = nullptr;
    HANDLE input = nullptr;  // the pipe's end we write, null once closed
};

namespace {
void closeHandle(HANDLE& handle) {
    if (handle) CloseHandle(handle);
    handle = nullptr;
}

// True when it ended with status 0; the process is gone afterwards either way.
bool waitForEnd(HANDLE& process) {
    DWORD status = 1;
    const bool ended = process && WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(process, &status);
    closeHandle(process);
    return ended && status == 0;
}

// One argument as the C runtime's parser reads it back: in quotes when it has blanks or quotes
// (or is empty), with the backslashes doubled that come before a quote or the closing one.
std::wstring quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) return argument;
    std::wstring result = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        result.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        result.push_back(c);
        backslashes = 0;
    }
    result.append(2 * backslashes, L'\\');
    result.push_back(L'"');
    return result;
}

// The child shares our standard handles, which must be inheritable for that.
HANDLE inheritable(DWORD standardHandle) {
    const HANDLE handle = GetStdHandle(standardHandle);
    if (handle && handle != INVALID_HANDLE_VALUE) SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    return handle;
}
}  // namespace

std::filesystem::path ChildProcess::findOnPath(const std::string& name) {
    const wchar_t* path = _wgetenv(L"PATH");
    const std::wstring folders = path ? path : L"";
    const std::filesystem::path file = wideText(name + ".exe");
    size_t start = 0;
    while (start <= folders.size()) {
        const size_t end = std::min(folders.find(L';', start), folders.size());
        const std::filesystem::path folder = folders.substr(start, end - start);
        start = end + 1;
        if (folder.empty()) continue;
        std::error_code error;
        if (std::filesystem::is_regular_file(folder / file, error)) return folder / file;
    }
    return {};
}

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                           bool pipedInput)
    : handles(std::make_unique<Handles>()) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inheritable(STD_INPUT_HANDLE);
    startup.hStdOutput = inheritable(STD_OUTPUT_HANDLE);
    startup.hStdError = inheritable(STD_ERROR_HANDLE);
    HANDLE childInput = nullptr;
    if (pipedInput) {
        // Only the child's end is inherited: were ours too, the child would never see the end.
        if (!CreatePipe(&childInput, &handles->input, nullptr, 0)) return;
        SetHandleInformation(childInput, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
        startup.hStdInput = childInput;
    }

    std::wstring commandLine = quoted(program.wstring());
    for (const std::string& argument : arguments) commandLine += L" " + quoted(wideText(argument));
    // A console program started from a program without a console would open a window of its own.
    const DWORD flags = CREATE_NEW_PROCESS_GROUP | (GetConsoleWindow() ? 0 : CREATE_NO_WINDOW);
    PROCESS_INFORMATION process = {};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        handles->process = process.hProcess;
    }
    closeHandle(childInput);
}

ChildProcess::~ChildProcess() {
    closeHandle(handles->input);
    waitForEnd(handles->process);
}

bool ChildProcess::write(const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    size_t written = 0;
    while (handles->input && written < size) {
        DWORD count = 0;
        const DWORD chunk = DWORD(std::min<size_t>(size - written, 1u << 30));
        if (!WriteFile(handles->input, bytes + written, chunk, &count, nullptr)) return false;
        written += count;
    }
    return written == size;
}

bool ChildProcess::finishedWell() {
    closeHandle(handles->input);
    return waitForEnd(handles->process);
}
