// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The headless machine: everything the Windows build asks of Windows, answered in
// memory. Tests and the offscreen renderer script it (command line, answers to
// message boxes, cursor, active window, monitors, files, failing calls), drive it
// (advance the clock, type, ask a window to close) and read what it recorded.
//
// One machine serves the process; Reset() gives a fresh one. The end of the
// program is an exception (ProgramEnded) that unwinds to whoever drove the
// program: Run(), Advance(), Type() and RequestClose() catch it and set ended.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "../Backend.h"
#include "../Presents.h"
#include "../WindowsApi.h"
#include "ProductIdentity.h"

namespace headless {

using runtime::PixelRect;
using runtime::Point;
using runtime::WindowHandle;

// Thrown by the end of the program; never caught by the program itself.
struct ProgramEnded {};

struct ShownMessageBox {
  std::wstring text;
  std::wstring caption;
  unsigned style = 0;
  WindowHandle owner = 0;  // the window the box was asked to sit on, as asked
};

struct FileEntry {
  std::vector<std::uint8_t> bytes;
  unsigned attributes = 0;  // backend::kAttribute... bits; kAttributeDirectory for folders
};

struct Window {
  backend::WindowDesign design;
  backend::WindowEvents* events = nullptr;
  PixelRect rect;
  bool visible = false;
  bool topmost = false;
  bool destroyed = false;
  // The density the window was last told of: that of the monitor it lies on.
  int dotsPerInch = 96;
  // The rows waiting to be presented, held as the window's limit says; and how
  // many frames reached the screen, composed on the window's timer ticks as on
  // Windows, with the rows of the last one.
  runtime::PresentQueue presents;
  int framesPresented = 0;
  runtime::RowSpan lastPresented;
};

struct Monitor {
  PixelRect rcMonitor;
  PixelRect rcWork;
  // The device name; SetMonitors names them \\.\DISPLAY1, 2, ... in order.
  std::wstring device = L"";
  // Its density in dots per inch; 0 for the machine's.
  int dotsPerInch = 0;
};

class Machine {
 public:
  Machine();

  // ---- Script ----
  std::wstring modulePath = L"C:\\WINDOWS\\" FROSTLANE_INSTALLED_NAME_W;
  std::wstring commandLine;
  double secondsSinceMidnight = 45296.25;
  // The density of every monitor that has none of its own, in dots per inch.
  int dotsPerInch = 96;
  // Answers of the next message boxes, in order; with none left a box answers
  // OK (1) or No (7) according to its buttons.
  std::deque<int> messageBoxAnswers;
  Point cursor;
  // The active window as GetActiveWindow reports it; SetActiveWindow changes it.
  WindowHandle activeWindow = 0;
  // The monitors in enumeration order; the primary is the one at 0,0.
  std::vector<Monitor> monitors;
  bool sameDisplayFormat = true;
  // The displays' power: a window is told Off when it is made while they are off,
  // as the system tells a window that asks.
  backend::DisplayPower displayPower = backend::DisplayPower::On;
  // The session: its id, whether a screen shows it, whether the program's desktop
  // is the one on the screen, whether the system counts it as remote, and the
  // session that has the machine's graphics (none: no value).
  unsigned long sessionId = 1;
  bool sessionConnected = true;
  bool ownDesktopShown = true;
  bool remoteSession = false;
  std::optional<unsigned long> glassSessionId;
  // The user's "Show animations in Windows".
  bool clientAreaAnimation = true;
  // The user's display languages, most preferred first, and the program's tables
  // of texts by language and text id.
  std::vector<std::uint16_t> displayLanguages = {0x0409};
  std::map<std::pair<std::uint16_t, unsigned>, std::wstring> textTables;
  // Files by full path, compared without regard to case.
  std::map<std::wstring, FileEntry> files;
  std::map<int, std::wstring> specialFolders;
  // Short forms of paths, as GetShortPathName answers them; a path not listed
  // has no short form and is answered unchanged.
  std::map<std::wstring, std::wstring> shortPaths;
  // When set, every file copy writes only this many bytes of its source to the
  // target and then fails as a full disk does (112), like a copy cut short.
  std::optional<std::size_t> copyBreaksAfterBytes;
  unsigned long processId = 4242;
  // What a run with raised rights does in place of the program started: its
  // exit status. Unset, such a run ends at once with 0.
  std::function<unsigned long()> elevatedRun;

  // Makes the named call fail `times` times (every time when negative). The name
  // is the recorded call's name, such as L"GetCursorPos" or L"CreateFormWindow".
  // A call that reports an error code reports `error` then.
  void Fail(const std::wstring& call, int times = -1, unsigned long error = 5);
  // The error code a failing call of that name reports.
  unsigned long FailureError(const std::wstring& call) const;

  // Sets the monitors from "WxH+X+Y" strings, work areas equal to the monitors.
  void SetMonitors(const std::vector<std::string>& layout);

  // ---- Record ----
  // Every call through the seams, as "Name(arg, arg, ...)", in order.
  std::vector<std::wstring> calls;
  std::vector<ShownMessageBox> messageBoxes;
  std::map<WindowHandle, Window> windows;
  bool ended = false;
  unsigned long exitStatus = 0;
  std::int64_t nowMilliseconds = 0;

  // The recorded calls of one name, in order.
  std::vector<std::wstring> CallsNamed(const std::wstring& name) const;

  // ---- Drive ----
  // Runs `program` (usually the program's entry) until it returns or ends.
  void Run(const std::function<void()>& program);
  // Moves the clock on, firing timers in time order (ties in the order they were
  // started); stops early when the program ends.
  void Advance(std::int64_t milliseconds);
  // A key producing `character` pressed over `window`.
  void Type(WindowHandle window, wchar_t character);
  // Asks `window` to close (the close command, another program, log-off).
  void RequestClose(WindowHandle window);
  // Tells every window that the displays changed, as the system does once a test
  // has changed `monitors` while the program runs.
  void DisplaysChanged();
  // Tells every window whose monitor now has another density than the window was
  // last told of, as Windows does when a monitor's scale changes or a window's
  // monitor becomes another one.
  void DpiChanged();
  // Tells every window that the displays are now `power`.
  void SetDisplayPower(backend::DisplayPower power);
  // Tells every window of a change to the session `id` (the machine's own when
  // not given), as the session manager does.
  void ChangeSession(backend::SessionChange change, std::optional<unsigned long> id = std::nullopt);
  // Tells every window that a setting changed, as the system does after a
  // program has changed one.
  void SettingsChanged();

  // The density of a monitor, and of the primary (the monitor at 0,0; the
  // machine's own when there is none).
  int DotsPerInchOf(const Monitor& monitor) const;
  int PrimaryDotsPerInch() const;
  // The monitor that `rect` shares most with (the nearest one when it shares
  // none); null when there are no monitors.
  const Monitor* MonitorNearest(const PixelRect& rect) const;

  // ---- For the seam implementations ----
  // Records the call; false when it is to fail this time.
  bool Call(const std::wstring& name, const std::wstring& arguments);
  WindowHandle NewWindow(const backend::WindowDesign& design, backend::WindowEvents& events);
  // The window now lies at `rect`. When that is on a monitor of another density,
  // the window hears of it at once, from inside the move, as on Windows.
  void Move(WindowHandle window, const PixelRect& rect);
  void StartTimer(WindowHandle window, int id, int interval);
  void StopTimer(WindowHandle window, int id);
  // Rows of the window asked to be presented.
  void AskToPresent(WindowHandle window, int firstRow, int endRow);
  // The display's refresh, at which presents are paced.
  int refreshesPerSecond = 60;
  // The window is gone: its timers stop and nothing reaches its events any more.
  void Destroy(WindowHandle window);
  [[noreturn]] void End();

 private:
  struct RunningTimer {
    WindowHandle window;
    int id;
    int interval;
    std::int64_t due;
    std::uint64_t order;
  };
  void Guarded(const std::function<void()>& action);
  // Presents what waits in the window, if the display would show it now.
  void PresentIfDue(Window& window);
  std::vector<WindowHandle> LiveWindows() const;
  // True, and the window's density updated, when its monitor's differs from it.
  bool TakeNewDensity(Window& window);

  struct Failure {
    int times;
    unsigned long error;
  };
  std::map<std::wstring, Failure> failures_;
  std::vector<RunningTimer> timers_;
  std::uint64_t timerOrder_ = 0;
  WindowHandle nextHandle_ = 101;
};

Machine& TheMachine();

// The file or folder at `path` as the file seam finds it (case folded, "." and
// ".." resolved); nullptr when there is none.
const FileEntry* FindFile(const std::wstring& path);

// A fresh machine and fresh process state of the runtime (title, generator).
void Reset();

// Parses "WxH+X+Y" (X and Y may be negative: "800x600+-800+0" or "800x600-800+0").
PixelRect ParseGeometry(const std::string& geometry);

}  // namespace headless
