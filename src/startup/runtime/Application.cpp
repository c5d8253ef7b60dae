// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Application.h"

#include "SettingsOwner.h"
#include "Text.h"

namespace runtime {

namespace {
Application processApplication;
ScreenObject processScreen;

std::size_t LastBackslash(const std::wstring& path) { return path.find_last_of(L"\\/"); }
}  // namespace

std::wstring Application::EXEName() const {
  const std::wstring module = backend::ModuleFileName();
  const std::size_t slash = LastBackslash(module);
  std::wstring name = slash == std::wstring::npos ? module : module.substr(slash + 1);
  const std::size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name.erase(dot);
  return name;
}

std::wstring Application::Path() const {
  const std::wstring module = backend::ModuleFileName();
  const std::size_t slash = LastBackslash(module);
  if (slash == std::wstring::npos) return std::wstring();
  // A drive root keeps its backslash ("C:\"), as the runtime reports it.
  return slash == 2 && module[1] == L':' ? module.substr(0, 3) : module.substr(0, slash);
}

Application& App() { return processApplication; }

float ScreenObject::TwipsPerPixelX() const { return static_cast<float>(1440.0 / DotsPerInch()); }
float ScreenObject::TwipsPerPixelY() const { return TwipsPerPixelX(); }

int ScreenObject::DotsPerInch() const {
  if (dotsPerInch_ == 0) {
    const int asked = backend::PrimaryDotsPerInch();
    // A machine that cannot say is taken to be at 100%.
    dotsPerInch_ = asked > 0 ? asked : 96;
  }
  return dotsPerInch_;
}

ScreenObject& Screen() { return processScreen; }

std::wstring Command() { return backend::CommandLineArguments(); }

float SecondsSinceMidnight() { return static_cast<float>(backend::SecondsSinceMidnight()); }

std::optional<int> MsgBox(const std::wstring& prompt, int buttons,
                          const std::optional<std::wstring>& title) {
  // Started for its settings by a dialog, the program keeps its boxes on that dialog.
  const int answer = backend::ShowMessageBox(prompt, title.value_or(App().Title()), static_cast<unsigned>(buttons),
                                             SettingsOwner(Command()));
  if (answer == 0) return std::nullopt;
  return answer;
}

std::wstring Dir(const std::wstring& path, unsigned attributes) {
  return backend::FindFirstMatch(path, attributes);
}

void End() { backend::EndProgram(); }

}  // namespace runtime
