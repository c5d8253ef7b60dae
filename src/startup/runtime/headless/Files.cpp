// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Files of the headless machine: a map from full path to contents and attributes.
#include <algorithm>

#include "../Backend.h"
#include "../Text.h"
#include "Format.h"
#include "Machine.h"

namespace backend {

using headless::Args;
using headless::TheMachine;

namespace {

constexpr ErrorCode kFileNotFound = 2;
constexpr ErrorCode kPathNotFound = 3;
constexpr ErrorCode kAccessDenied = 5;
constexpr ErrorCode kFileExists = 80;
constexpr ErrorCode kDiskFull = 112;

// Folds case and resolves "." and ".." so that C:\A\B\..\c names C:\A\c.
std::wstring Canonical(const std::wstring& path) {
  std::vector<std::wstring> parts;
  std::wstring part;
  const std::wstring lower = runtime::LCase(path) + L"\\";
  for (wchar_t c : lower) {
    if (c != L'\\' && c != L'/') {
      part += c;
      continue;
    }
    if (part == L"..") {
      if (parts.size() > 1) parts.pop_back();
    } else if (!part.empty() && part != L".") {
      parts.push_back(part);
    }
    part.clear();
  }
  std::wstring joined;
  for (const std::wstring& p : parts) joined += (joined.empty() ? L"" : L"\\") + p;
  return joined;
}

headless::FileEntry* Find(const std::wstring& path) {
  const std::wstring wanted = Canonical(path);
  for (auto& entry : TheMachine().files) {
    if (Canonical(entry.first) == wanted) return &entry.second;
  }
  return nullptr;
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring NameOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool FolderExists(const std::wstring& folder) {
  const headless::FileEntry* entry = Find(folder);
  if (entry != nullptr) return (entry->attributes & kAttributeDirectory) != 0;
  // A folder exists implicitly when some file lies in it.
  const std::wstring wanted = Canonical(folder) + L"\\";
  return std::any_of(TheMachine().files.begin(), TheMachine().files.end(),
                     [&](const auto& e) { return Canonical(e.first).rfind(wanted, 0) == 0; });
}

void Erase(const std::wstring& path) {
  const std::wstring wanted = Canonical(path);
  auto& files = TheMachine().files;
  for (auto it = files.begin(); it != files.end(); ++it) {
    if (Canonical(it->first) == wanted) {
      files.erase(it);
      return;
    }
  }
}

}  // namespace

std::wstring FindFirstMatch(const std::wstring& path, unsigned attributeMask) {
  if (!TheMachine().Call(L"FindFirstMatch", Args(path, attributeMask))) return std::wstring();
  const headless::FileEntry* entry = Find(path);
  if (entry == nullptr) return std::wstring();
  const unsigned special = entry->attributes & (kAttributeHidden | kAttributeSystem | kAttributeDirectory);
  return (special & ~attributeMask) == 0 ? NameOf(path) : std::wstring();
}

ErrorCode CopyFileToNew(const std::wstring& from, const std::wstring& to) {
  if (!TheMachine().Call(L"CopyFileToNew", Args(from, to))) return TheMachine().FailureError(L"CopyFileToNew");
  const headless::FileEntry* source = Find(from);
  if (source == nullptr || (source->attributes & kAttributeDirectory) != 0) return kFileNotFound;
  if (!FolderExists(FolderOf(to))) return kPathNotFound;
  if (Find(to) != nullptr) return kFileExists;
  // The copy keeps the source's attributes, as Windows' copy does.
  headless::FileEntry copy{source->bytes, source->attributes};
  const auto breakAfter = TheMachine().copyBreaksAfterBytes;
  const bool cutShort = breakAfter.has_value() && *breakAfter < copy.bytes.size();
  if (cutShort) copy.bytes.resize(*breakAfter);
  TheMachine().files[to] = copy;
  return cutShort ? kDiskFull : 0;
}

ErrorCode MoveFileReplacing(const std::wstring& from, const std::wstring& to) {
  if (!TheMachine().Call(L"MoveFileReplacing", Args(from, to))) return TheMachine().FailureError(L"MoveFileReplacing");
  const headless::FileEntry* source = Find(from);
  if (source == nullptr) return kFileNotFound;
  const headless::FileEntry* target = Find(to);
  // Windows replaces neither a folder nor a read-only file.
  if (target != nullptr && (target->attributes & (kAttributeDirectory | kAttributeReadOnly)) != 0) return kAccessDenied;
  const headless::FileEntry moved = *source;
  Erase(from);
  Erase(to);
  TheMachine().files[to] = moved;
  return 0;
}

ErrorCode RemoveFile(const std::wstring& path) {
  if (!TheMachine().Call(L"RemoveFile", Args(path))) return TheMachine().FailureError(L"RemoveFile");
  const headless::FileEntry* entry = Find(path);
  if (entry == nullptr) return kFileNotFound;
  if ((entry->attributes & (kAttributeDirectory | kAttributeReadOnly)) != 0) return kAccessDenied;
  Erase(path);
  return 0;
}

ErrorCode GetAttributes(const std::wstring& path, unsigned& attributes) {
  if (!TheMachine().Call(L"GetAttributes", Args(path))) return TheMachine().FailureError(L"GetAttributes");
  const headless::FileEntry* entry = Find(path);
  if (entry == nullptr) {
    if (!FolderExists(path)) return kFileNotFound;
    attributes = kAttributeDirectory;  // a folder known only by the files in it
    return 0;
  }
  attributes = entry->attributes;
  return 0;
}

ErrorCode SetAttributes(const std::wstring& path, unsigned attributes) {
  if (!TheMachine().Call(L"SetAttributes", Args(path, attributes))) return TheMachine().FailureError(L"SetAttributes");
  headless::FileEntry* entry = Find(path);
  if (entry == nullptr) return kFileNotFound;
  // The kind of entry stays what it is; only its flags change.
  entry->attributes = (attributes & ~kAttributeDirectory) | (entry->attributes & kAttributeDirectory);
  return 0;
}

std::wstring ErrorDescription(ErrorCode code) {
  switch (code) {
    case kFileNotFound: return L"The system cannot find the file specified.";
    case kPathNotFound: return L"The system cannot find the path specified.";
    case kAccessDenied: return L"Access is denied.";
    case 32: return L"The process cannot access the file because it is being used by another process.";
    case kFileExists: return L"The file exists.";
    case kDiskFull: return L"There is not enough space on the disk.";
    case 183: return L"Cannot create a file when that file already exists.";
    case 1223: return L"The operation was canceled by the user.";
    default: return L"Error " + std::to_wstring(code) + L".";
  }
}

}  // namespace backend

namespace headless {

const FileEntry* FindFile(const std::wstring& path) { return backend::Find(path); }

}  // namespace headless
