// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Files on Windows, by their wide names.
#include <string>

#include "../Backend.h"
#include "Win32.h"

namespace backend {

namespace {

bool StartsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }

// The path as the file calls take it at any length. Windows' own path rules stop
// at 260 characters; the "\\?\" form lifts that limit but takes the path
// literally, so the path is made whole first: absolute, with "." and ".." and
// trailing dots and blanks resolved as Windows' rules would resolve them.
std::wstring ExtendedPath(const std::wstring& path) {
  if (StartsWith(path, L"\\\\?\\") || StartsWith(path, L"\\\\.\\")) return path;
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return path;
  full.resize(length);
  if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
  if (StartsWith(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return full;
}

ErrorCode Outcome(BOOL succeeded) { return succeeded ? 0 : GetLastError(); }

}  // namespace

std::wstring FindFirstMatch(const std::wstring& path, unsigned attributeMask) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(ExtendedPath(path).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return std::wstring();
  std::wstring name;
  const DWORD special = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
  do {
    const std::wstring candidate = found.cFileName;
    if (candidate == L"." || candidate == L"..") continue;
    if ((found.dwFileAttributes & special & ~attributeMask) == 0) {
      name = candidate;
      break;
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return name;
}

ErrorCode CopyFileToNew(const std::wstring& from, const std::wstring& to) {
  return Outcome(CopyFileW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(), TRUE));
}

ErrorCode MoveFileReplacing(const std::wstring& from, const std::wstring& to) {
  return Outcome(MoveFileExW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

ErrorCode RemoveFile(const std::wstring& path) { return Outcome(DeleteFileW(ExtendedPath(path).c_str())); }

ErrorCode GetAttributes(const std::wstring& path, unsigned& attributes) {
  const DWORD found = GetFileAttributesW(ExtendedPath(path).c_str());
  if (found == INVALID_FILE_ATTRIBUTES) return GetLastError();
  attributes = found;
  return 0;
}

ErrorCode SetAttributes(const std::wstring& path, unsigned attributes) {
  return Outcome(SetFileAttributesW(ExtendedPath(path).c_str(), attributes));
}

std::wstring ErrorDescription(ErrorCode code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring description = length != 0 ? std::wstring(text, length) : L"Error " + std::to_wstring(code) + L".";
  if (text != nullptr) LocalFree(text);
  while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r' ||
                                  description.back() == L' ')) {
    description.pop_back();
  }
  return description;
}

}  // namespace backend
