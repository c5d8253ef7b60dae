// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// loadmarker: a DLL that does nothing but say that it was loaded. The end-to-end
// tests copy it beside the program under the names of system DLLs; a copy that
// Windows (or Wine) loads appends one line to planted-dll-loads.txt in its own
// folder: the name it was loaded under and the command line of the process that
// loaded it. A missing file therefore means no planted copy was ever loaded.
// Built as a program (loadmarker.exe), planted under the name of a program that
// is started, it records its own start the same way and ends.
//
// Only kernel32 calls, as DllMain runs under the loader lock.

#include <windows.h>

#include <string>

namespace {

std::wstring ModulePath(HMODULE module) {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path;
}

std::string ToUtf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                            nullptr);
    }
    return bytes;
}

void RecordLoad(HMODULE self) {
    const std::wstring path = ModulePath(self);
    const size_t folderEnd = path.find_last_of(L'\\');
    if (folderEnd == std::wstring::npos) return;
    const std::wstring record = path.substr(0, folderEnd + 1) + L"planted-dll-loads.txt";
    // Appending keeps the lines of two processes (the install and its elevated
    // run) apart.
    HANDLE file = CreateFileW(record.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string line = ToUtf8(path.substr(folderEnd + 1) + L" loaded by " + GetCommandLineW()) + "\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

#ifdef LOADMARKER_PROGRAM
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RecordLoad(instance);
    return 0;
}
#else
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) RecordLoad(instance);
    return TRUE;
}
#endif
