// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Machine.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "../Application.h"
#include "../Random.h"
#include "../Text.h"

namespace headless {

namespace {
std::unique_ptr<Machine> theMachine;
}  // namespace

Machine::Machine() {
  monitors.push_back(Monitor{PixelRect{0, 0, 1280, 720}, PixelRect{0, 0, 1280, 720}, L"\\\\.\\DISPLAY1"});
  specialFolders[platform::kCsidlSystem] = L"C:\\WINDOWS\\system32";
  specialFolders[platform::kCsidlSystemX86] = L"C:\\WINDOWS\\SysWOW64";
}

Machine& TheMachine() {
  if (!theMachine) theMachine = std::make_unique<Machine>();
  return *theMachine;
}

void Reset() {
  theMachine = std::make_unique<Machine>();
  runtime::App().SetTitle(L"");
  runtime::Screen().Forget();
  runtime::TheRandomGenerator() = runtime::RandomGenerator();
}

PixelRect ParseGeometry(const std::string& geometry) {
  int width = 0, height = 0, x = 0, y = 0;
  char signX = '+', signY = '+';
  std::string normalised = geometry;
  // Accept both "+-800" and "-800" for a negative offset.
  for (std::size_t at; (at = normalised.find("+-")) != std::string::npos;) normalised.replace(at, 2, "-");
  if (std::sscanf(normalised.c_str(), "%dx%d%c%d%c%d", &width, &height, &signX, &x, &signY, &y) != 6) {
    throw std::invalid_argument("geometry must read WxH+X+Y: " + geometry);
  }
  if (signX == '-') x = -x;
  if (signY == '-') y = -y;
  return PixelRect{x, y, x + width, y + height};
}

void Machine::SetMonitors(const std::vector<std::string>& layout) {
  monitors.clear();
  for (const std::string& geometry : layout) {
    const PixelRect rect = ParseGeometry(geometry);
    monitors.push_back(Monitor{rect, rect, L"\\\\.\\DISPLAY" + std::to_wstring(monitors.size() + 1)});
  }
}

void Machine::Fail(const std::wstring& call, int times, unsigned long error) {
  failures_[call] = Failure{times, error};
}

unsigned long Machine::FailureError(const std::wstring& call) const {
  const auto failure = failures_.find(call);
  return failure == failures_.end() ? 0 : failure->second.error;
}

bool Machine::Call(const std::wstring& name, const std::wstring& arguments) {
  calls.push_back(name + L"(" + arguments + L")");
  const auto failure = failures_.find(name);
  if (failure == failures_.end() || failure->second.times == 0) return true;
  if (failure->second.times > 0) --failure->second.times;
  return false;
}

std::vector<std::wstring> Machine::CallsNamed(const std::wstring& name) const {
  std::vector<std::wstring> named;
  for (const std::wstring& call : calls) {
    if (call.compare(0, name.size() + 1, name + L"(") == 0) named.push_back(call);
  }
  return named;
}

WindowHandle Machine::NewWindow(const backend::WindowDesign& design, backend::WindowEvents& events) {
  const WindowHandle handle = nextHandle_++;
  Window& window = windows[handle];
  window.design = design;
  window.events = &events;
  window.dotsPerInch = PrimaryDotsPerInch();  // made at 0,0, on the primary
  if (displayPower != backend::DisplayPower::On) events.OnDisplayPower(displayPower);
  return handle;
}

int Machine::DotsPerInchOf(const Monitor& monitor) const {
  return monitor.dotsPerInch > 0 ? monitor.dotsPerInch : dotsPerInch;
}

int Machine::PrimaryDotsPerInch() const {
  for (const Monitor& monitor : monitors) {
    if (monitor.rcMonitor.left == 0 && monitor.rcMonitor.top == 0) return DotsPerInchOf(monitor);
  }
  return dotsPerInch;
}

const Monitor* Machine::MonitorNearest(const PixelRect& rect) const {
  // The monitor sharing the largest area with `rect`; with none shared, the one
  // whose centre lies nearest to the rectangle's centre.
  auto overlap = [&](const PixelRect& m) -> long long {
    const long long w = std::min(m.right, rect.right) - std::max(m.left, rect.left);
    const long long h = std::min(m.bottom, rect.bottom) - std::max(m.top, rect.top);
    return w > 0 && h > 0 ? w * h : 0;
  };
  auto distance = [&](const PixelRect& m) -> long long {
    const long long dx = (m.left + m.right) - (rect.left + rect.right);
    const long long dy = (m.top + m.bottom) - (rect.top + rect.bottom);
    return dx * dx + dy * dy;
  };
  if (monitors.empty()) return nullptr;
  const Monitor* best = &monitors.front();
  for (const Monitor& m : monitors) {
    const long long a = overlap(m.rcMonitor), b = overlap(best->rcMonitor);
    if (a > b || (a == b && a == 0 && distance(m.rcMonitor) < distance(best->rcMonitor))) best = &m;
  }
  return best;
}

bool Machine::TakeNewDensity(Window& window) {
  const Monitor* monitor = MonitorNearest(window.rect);
  if (monitor == nullptr || DotsPerInchOf(*monitor) == window.dotsPerInch) return false;
  window.dotsPerInch = DotsPerInchOf(*monitor);
  return true;
}

void Machine::Move(WindowHandle handle, const PixelRect& rect) {
  Window& window = windows.at(handle);
  window.rect = rect;
  if (!window.destroyed && TakeNewDensity(window)) window.events->OnDpiChanged();
}

void Machine::StartTimer(WindowHandle window, int id, int interval) {
  StopTimer(window, id);
  timers_.push_back(RunningTimer{window, id, interval, nowMilliseconds + interval, timerOrder_++});
}

void Machine::AskToPresent(WindowHandle handle, int firstRow, int endRow) {
  windows.at(handle).presents.Ask(firstRow, endRow);
}

void Machine::PresentIfDue(Window& window) {
  constexpr std::int64_t kMicrosecondsPerSecond = 1000000;
  const runtime::DisplayTiming display{
      runtime::RefreshPeriod(static_cast<std::uint32_t>(refreshesPerSecond), 1, kMicrosecondsPerSecond), std::nullopt,
      kMicrosecondsPerSecond};
  const runtime::RowSpan due = window.presents.TakeDue(nowMilliseconds * 1000, display);
  if (due.Empty()) return;
  // Composed as Windows composes it, when the rows go to the screen.
  window.events->ComposeFrame();
  ++window.framesPresented;
  window.lastPresented = due;
}

void Machine::StopTimer(WindowHandle window, int id) {
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                               [&](const RunningTimer& t) { return t.window == window && t.id == id; }),
                timers_.end());
}

void Machine::Destroy(WindowHandle window) {
  const auto found = windows.find(window);
  if (found == windows.end()) return;
  found->second.destroyed = true;
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [&](const RunningTimer& t) { return t.window == window; }),
                timers_.end());
}

void Machine::End() {
  ended = true;
  timers_.clear();
  for (auto& entry : windows) entry.second.destroyed = true;
  throw ProgramEnded{};
}

void Machine::Guarded(const std::function<void()>& action) {
  if (ended) return;
  try {
    action();
  } catch (const ProgramEnded&) {
    ended = true;
  }
}

void Machine::Run(const std::function<void()>& program) { Guarded(program); }

void Machine::Advance(std::int64_t milliseconds) {
  const std::int64_t until = nowMilliseconds + milliseconds;
  while (!ended) {
    auto next = std::min_element(timers_.begin(), timers_.end(), [](const RunningTimer& a, const RunningTimer& b) {
      return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
    if (next == timers_.end() || next->due > until) break;
    nowMilliseconds = next->due;
    next->due += next->interval;
    next->order = timerOrder_++;
    const WindowHandle window = next->window;
    const int id = next->id;
    Guarded([&] { windows.at(window).events->OnTimer(id); });
    // As on Windows, the window presents from its tick, after its timers.
    if (!ended && !windows.at(window).destroyed) PresentIfDue(windows.at(window));
  }
  if (!ended) nowMilliseconds = until;
}

void Machine::Type(WindowHandle window, wchar_t character) {
  // A message to a destroyed window goes nowhere.
  if (windows.at(window).destroyed) return;
  Guarded([&] { windows.at(window).events->OnCharacter(character); });
}

void Machine::RequestClose(WindowHandle window) {
  if (windows.at(window).destroyed) return;
  Guarded([&] {
    if (windows.at(window).events->OnCloseRequest()) Destroy(window);
  });
}

std::vector<WindowHandle> Machine::LiveWindows() const {
  std::vector<WindowHandle> live;
  for (const auto& entry : windows) {
    if (!entry.second.destroyed) live.push_back(entry.first);
  }
  return live;
}

void Machine::DpiChanged() {
  for (const WindowHandle handle : LiveWindows()) {
    Window& window = windows.at(handle);
    if (!window.destroyed && TakeNewDensity(window)) Guarded([&] { window.events->OnDpiChanged(); });
  }
}

void Machine::SetDisplayPower(backend::DisplayPower power) {
  displayPower = power;
  for (const WindowHandle window : LiveWindows()) {
    if (!windows.at(window).destroyed) Guarded([&] { windows.at(window).events->OnDisplayPower(power); });
  }
}

void Machine::ChangeSession(backend::SessionChange change, std::optional<unsigned long> id) {
  for (const WindowHandle window : LiveWindows()) {
    if (!windows.at(window).destroyed) {
      Guarded([&] { windows.at(window).events->OnSessionChange(change, id.value_or(sessionId)); });
    }
  }
}

void Machine::SettingsChanged() {
  for (const WindowHandle window : LiveWindows()) {
    if (!windows.at(window).destroyed) Guarded([&] { windows.at(window).events->OnSettingsChanged(); });
  }
}

void Machine::DisplaysChanged() {
  // Handles are taken first: a handler may make or destroy windows.
  for (const WindowHandle window : LiveWindows()) {
    if (!windows.at(window).destroyed) Guarded([&] { windows.at(window).events->OnDisplaysChanged(); });
  }
}

}  // namespace headless
