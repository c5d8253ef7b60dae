// Files on Windows, by their wide names.
#include <string>

#include "../Backend.h"
#include "Win32.h"

namespace backend {

std::wstring FindFirstMatch(const std::wstring& path, unsigned attributeMask) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(path.c_str(), &found);
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

ErrorCode CopyFileReplacing(const std::wstring& from, const std::wstring& to) {
  return CopyFileW(from.c_str(), to.c_str(), FALSE) ? 0 : GetLastError();
}

ErrorCode MoveFileReplacing(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? 0
             : GetLastError();
}

ErrorCode RemoveFile(const std::wstring& path) { return DeleteFileW(path.c_str()) ? 0 : GetLastError(); }

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
