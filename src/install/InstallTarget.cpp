// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "InstallTarget.h"

#include <vector>

#include "../startup/runtime/Text.h"
#include "modInstallCheck.h"

namespace modInstallCheck {

namespace {

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// Names Windows keeps for devices whatever their extension: "NUL.scr" is no file.
bool IsDeviceName(const std::wstring& fileName) {
  const std::wstring base = runtime::LCase(fileName.substr(0, fileName.find(L'.')));
  for (const wchar_t* device : {L"con", L"prn", L"aux", L"nul"}) {
    if (base == device) return true;
  }
  return base.size() == 4 && (base.rfind(L"com", 0) == 0 || base.rfind(L"lpt", 0) == 0) && base[3] >= L'0' &&
         base[3] <= L'9';
}

// A name that stays one file in one folder: no separator, no drive or stream
// colon, no wildcard, no control character, and nothing Windows would trim away.
bool IsPlainFileName(const std::wstring& name) {
  if (name.empty() || name == L"." || name == L"..") return false;
  for (wchar_t c : name) {
    if (c < 32 || std::wstring(L"\\/:*?\"<>|").find(c) != std::wstring::npos) return false;
  }
  return name.back() != L'.' && name.back() != L' ' && !IsDeviceName(name);
}

}  // namespace

std::wstring PlainPath(const std::wstring& path) {
  if (path.size() < 3 || !IsDriveLetter(path[0]) || path[1] != L':' || (path[2] != L'\\' && path[2] != L'/')) {
    return std::wstring();
  }
  std::vector<std::wstring> parts;
  std::wstring part;
  for (wchar_t c : path.substr(3) + L"\\") {
    if (c != L'\\' && c != L'/') {
      part += c;
      continue;
    }
    if (part == L"..") {
      if (parts.empty()) return std::wstring();
      parts.pop_back();
    } else if (!part.empty() && part != L".") {
      parts.push_back(part);
    }
    part.clear();
  }
  std::wstring plain = path.substr(0, 2);
  for (const std::wstring& p : parts) plain += L"\\" + p;
  return parts.empty() ? plain + L"\\" : plain;
}

bool SamePlainPath(const std::wstring& a, const std::wstring& b) {
  const std::wstring plainA = PlainPath(a);
  return !plainA.empty() && runtime::LCase(plainA) == runtime::LCase(PlainPath(b));
}

InstallTarget TargetFor(const std::wstring& systemFolder, const std::wstring& title) {
  const std::wstring fileName = InstallName(title) + L".scr";
  InstallTarget target{systemFolder + L"\\..\\" + fileName, std::wstring()};
  const std::wstring windowsFolder = PlainPath(systemFolder + L"\\..");
  // A drive's root is no Windows folder: an odd answer from the shell must not
  // put the file there.
  if (windowsFolder.empty() || windowsFolder.back() == L'\\' || !IsPlainFileName(fileName)) return target;
  const std::wstring plain = PlainPath(target.named);
  if (plain != windowsFolder + L"\\" + fileName) return target;
  target.path = plain;
  target.named = plain;
  return target;
}

}  // namespace modInstallCheck
