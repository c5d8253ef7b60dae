// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The runtime's machine seam, answered by the headless machine.
#include "../Backend.h"

#include "../Text.h"
#include "Format.h"
#include "Machine.h"

namespace backend {

using headless::Args;
using headless::TheMachine;

std::wstring ModuleFileName() { return TheMachine().modulePath; }

std::wstring CommandLineArguments() { return TheMachine().commandLine; }

double SecondsSinceMidnight() {
  TheMachine().Call(L"SecondsSinceMidnight", L"");
  return TheMachine().secondsSinceMidnight;
}

int PrimaryDotsPerInch() { return TheMachine().PrimaryDotsPerInch(); }

void EndProgram() {
  TheMachine().Call(L"End", L"");
  TheMachine().End();
}

void RunEventLoop() { TheMachine().Call(L"RunEventLoop", L""); }

int ShowMessageBox(const std::wstring& text, const std::wstring& caption, unsigned style, WindowHandle owner) {
  headless::Machine& machine = TheMachine();
  if (!machine.Call(L"MessageBox", Args(text, caption, style))) return 0;
  machine.messageBoxes.push_back(headless::ShownMessageBox{text, caption, style, owner});
  if (!machine.messageBoxAnswers.empty()) {
    const int answer = machine.messageBoxAnswers.front();
    machine.messageBoxAnswers.pop_front();
    return answer;
  }
  return (style & 0xFu) == 4u ? 7 : 1;
}

std::vector<std::uint16_t> UserDisplayLanguages() { return TheMachine().displayLanguages; }

std::vector<std::uint16_t> TextTableLanguages() {
  std::vector<std::uint16_t> languages;
  for (const auto& [key, text] : TheMachine().textTables) languages.push_back(key.first);
  return languages;
}

std::wstring TableText(unsigned id, std::uint16_t language) {
  const auto& tables = TheMachine().textTables;
  const auto found = tables.find({language, id});
  return found == tables.end() ? std::wstring() : found->second;
}

WindowHandle CreateFormWindow(const WindowDesign& design, WindowEvents& events) {
  headless::Machine& machine = TheMachine();
  if (!machine.Call(L"CreateFormWindow", Args(design.caption))) return 0;
  return machine.NewWindow(design, events);
}

void PlaceWindow(WindowHandle window, const PixelRect& rect) {
  TheMachine().Call(L"PlaceWindow", Args(window, rect.left, rect.top, rect.right, rect.bottom));
  TheMachine().Move(window, rect);
}

void ShowWindow(WindowHandle window, bool visible) {
  TheMachine().Call(L"ShowWindow", Args(window, visible ? 1 : 0));
  TheMachine().windows.at(window).visible = visible;
}

void DestroyWindow(WindowHandle window) {
  // After the end of the program every window is gone already, and a form of an
  // earlier machine (a test that made a fresh one) has nothing here to destroy.
  const auto found = TheMachine().windows.find(window);
  if (found == TheMachine().windows.end() || found->second.destroyed) return;
  TheMachine().Call(L"DestroyWindow", Args(window));
  TheMachine().Destroy(window);
}

void InvalidateRows(WindowHandle window, int firstRow, int endRow) {
  TheMachine().AskToPresent(window, firstRow, endRow);
}

void LimitPresents(WindowHandle window, int framesPerSecond) {
  TheMachine().Call(L"LimitPresents", Args(window, framesPerSecond));
  TheMachine().windows.at(window).presents.Limit(framesPerSecond);
}

bool ProcessSessionId(unsigned long& sessionId) {
  if (!TheMachine().Call(L"ProcessSessionId", L"")) return false;
  sessionId = TheMachine().sessionId;
  return true;
}

ConnectState SessionConnectState() {
  if (!TheMachine().Call(L"SessionConnectState", L"")) return ConnectState::Unknown;
  return TheMachine().sessionConnected ? ConnectState::Connected : ConnectState::Disconnected;
}

bool InputDesktopIsOwn() { return TheMachine().Call(L"InputDesktopIsOwn", L"") && TheMachine().ownDesktopShown; }

bool RemoteSessionMetric() {
  return TheMachine().Call(L"RemoteSessionMetric", L"") && TheMachine().remoteSession;
}

bool GlassSessionId(unsigned long& sessionId) {
  if (!TheMachine().Call(L"GlassSessionId", L"") || !TheMachine().glassSessionId) return false;
  sessionId = *TheMachine().glassSessionId;
  return true;
}

bool ClientAreaAnimation() {
  return !TheMachine().Call(L"ClientAreaAnimation", L"") || TheMachine().clientAreaAnimation;
}

bool StartTimer(WindowHandle window, int timerId, int intervalMilliseconds) {
  if (!TheMachine().Call(L"StartTimer", Args(window, timerId, intervalMilliseconds))) return false;
  TheMachine().StartTimer(window, timerId, intervalMilliseconds);
  return true;
}

void StopTimer(WindowHandle window, int timerId) {
  TheMachine().Call(L"StopTimer", Args(window, timerId));
  TheMachine().StopTimer(window, timerId);
}

namespace {
backend::MonitorArea AreaOf(const headless::Monitor& monitor) {
  const PixelRect& r = monitor.rcMonitor;
  return MonitorArea{r, monitor.device, r.left == 0 && r.top == 0};
}
}  // namespace

MonitorArea MonitorNearest(const PixelRect& rect) {
  const headless::Monitor* nearest = TheMachine().MonitorNearest(rect);
  return nearest != nullptr ? AreaOf(*nearest) : MonitorArea{rect, L"", false};
}

bool EnumMonitors(std::vector<MonitorArea>& monitors) {
  if (!TheMachine().Call(L"EnumMonitors", L"")) return false;
  monitors.clear();
  for (const headless::Monitor& monitor : TheMachine().monitors) monitors.push_back(AreaOf(monitor));
  return true;
}

bool LoadControl(const std::wstring& arrayName, int index) {
  return TheMachine().Call(L"LoadControl", Args(arrayName, index));
}

}  // namespace backend
