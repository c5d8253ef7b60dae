// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// What the portable forms runtime needs from the machine beneath it: the process,
// message boxes, files, native windows, timers and the monitors. The Windows build
// implements it with Win32 (wide calls); the headless build in memory, scripted and
// recorded. The forms runtime is its caller, with one exception: the install
// module (src/install) calls the operations marked "install" below itself, since
// it must know why a copy failed, must never leave half a file, and hands the copy
// to a second run of the program with raised rights, none of which a plain file
// copy that only succeeds or fails could promise.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Types.h"
#include "gfx/Bitmap.h"

namespace backend {

using runtime::PixelRect;
using runtime::WindowHandle;

// ---- The process -----------------------------------------------------------

// An operation's outcome: 0 on success, else the system's error code.
using ErrorCode = unsigned long;

// install: full path of the running executable, of any length.
std::wstring ModuleFileName();

// The command-line arguments: the text after the program's own path.
std::wstring CommandLineArguments();

// Seconds since local midnight, with fractions.
double SecondsSinceMidnight();

// The density of the primary monitor now, in dots per inch (96 at 100%, 144 at
// 150%); 0 when it cannot be read.
int PrimaryDotsPerInch();

// Ends the process at once: every window closes and no further code of the
// program runs. Never returns.
[[noreturn]] void EndProgram();

// install: ends the process at once with `status` as its exit code. Called only
// where no window has been made.
[[noreturn]] void EndProgramWithStatus(ErrorCode status);

// install: the running process's id, unique among the processes running now.
unsigned long ProcessId();

// install: runs `file` with the argument text `parameters` with an administrator's
// rights, the system asking the user for them, and waits for it to end. 0 when it
// ran, `exitStatus` then holding its exit code; otherwise the system's error code
// of the start (1223 when the user declined) and `exitStatus` is left as it was.
ErrorCode RunElevatedAndWait(const std::wstring& file, const std::wstring& parameters, ErrorCode& exitStatus);

// install: starts the program `file`, a full path taken as it is and never
// searched for, with the argument text `arguments` and `folder` as its working
// folder, and does not wait for it. The new process exists when this returns, so
// the caller may end at once. False when it could not be started.
bool StartProgram(const std::wstring& file, const std::wstring& arguments, const std::wstring& folder);

// Runs the event loop. Returns only when there is no window left to serve, which
// in this program does not happen: every run ends through EndProgram.
void RunEventLoop();

// ---- Message boxes ---------------------------------------------------------

// Shows a modal message box owned by `owner` when that is a window now, else by
// no window; returns the button pressed, or 0 when it could not be shown.
int ShowMessageBox(const std::wstring& text, const std::wstring& caption, unsigned style, WindowHandle owner);

// ---- Languages and texts ---------------------------------------------------

// The user's display languages as Windows language identifiers, most preferred
// first: the language Windows shows itself in, then any the user named to fall
// back on. Empty when they cannot be read.
std::vector<std::uint16_t> UserDisplayLanguages();

// The languages of the program's tables of texts, in no particular order.
std::vector<std::uint16_t> TextTableLanguages();

// Text `id` of the table in `language`; "" when the program carries no such text.
std::wstring TableText(unsigned id, std::uint16_t language);

// ---- Files -----------------------------------------------------------------

constexpr unsigned kAttributeReadOnly = 0x1;
constexpr unsigned kAttributeHidden = 0x2;
constexpr unsigned kAttributeSystem = 0x4;
constexpr unsigned kAttributeDirectory = 0x10;
constexpr unsigned kAttributeDevice = 0x40;
constexpr unsigned kAttributeReparsePoint = 0x400;

// The file name (without folder) of the first entry matching `path` whose
// attributes, beyond read-only and archive, all lie in `attributeMask`; "" when
// none does or the lookup fails.
std::wstring FindFirstMatch(const std::wstring& path, unsigned attributeMask);

// The file operations below take paths of any length.

// install: copies `from` to a new file `to`, made only if nothing stands at `to`
// yet; anything there already gives 80 (the file exists) and is left alone.
ErrorCode CopyFileToNew(const std::wstring& from, const std::wstring& to);

// install: moves `from` over `to` in one step, replacing an existing `to`. A
// read-only `to` is refused (5), as Windows refuses it.
ErrorCode MoveFileReplacing(const std::wstring& from, const std::wstring& to);

// install: removes a file; a read-only one is refused (5).
ErrorCode RemoveFile(const std::wstring& path);

// install: the attributes (kAttribute... bits) of the file or folder at `path`.
ErrorCode GetAttributes(const std::wstring& path, unsigned& attributes);
ErrorCode SetAttributes(const std::wstring& path, unsigned attributes);

// install: the system's own sentence for an error code, such as "Access is denied.".
std::wstring ErrorDescription(ErrorCode code);

// ---- Windows of forms ------------------------------------------------------

// How a form's native window looks; fixed when the window is made.
struct WindowDesign {
  std::wstring caption;         // the window text (shown nowhere without a frame)
  bool inTaskbar = false;      // a taskbar button
  bool blankPointer = false;   // the invisible mouse pointer over the window
  runtime::Colour backColour = runtime::kWhite;  // painted until the first frame
};

// Whether anyone can see the displays: Off while the system has turned them off
// (its own time-out, or the session is not shown). A dimmed display is still seen.
enum class DisplayPower { On, Off };

// What happened to the session a window's events are about: it was connected to
// the console or to a remote client, disconnected from them (nobody sees it,
// though it goes on running), locked, or unlocked.
enum class SessionChange { Connected, Disconnected, Locked, Unlocked };

// What a native window reports to the form that owns it.
class WindowEvents {
 public:
  virtual void OnCharacter(wchar_t character) = 0;
  // The window is asked to close: the close command or another program. True lets
  // the window be destroyed.
  virtual bool OnCloseRequest() = 0;
  // The system asks whether the session may end (log-off, shutdown); true agrees.
  // The session may still go on, when another program refuses.
  virtual bool OnEndSessionQuery() = 0;
  // The session is ending after all. True lets the window be destroyed.
  virtual bool OnEndSession() = 0;
  virtual void OnTimer(int timerId) = 0;
  // The frame to show, composed up to date; valid until the next call.
  virtual const gfx::Bitmap& ComposeFrame() = 0;
  // The monitors changed: one was added, removed, resized or moved, or another
  // became the primary. May come more than once for one change.
  virtual void OnDisplaysChanged() = 0;
  // The density of the window's monitor changed: the window was moved onto a
  // monitor of another scale, or its monitor's scale changed.
  virtual void OnDpiChanged() = 0;
  // The displays were turned off or on. The first report may come while the
  // window is being made: the system tells the state as soon as it is asked.
  virtual void OnDisplayPower(DisplayPower power) = 0;
  // The session `sessionId` changed. Some hosts also tell a window of other
  // sessions than its own.
  virtual void OnSessionChange(SessionChange change, unsigned long sessionId) = 0;
  // A system-wide setting changed; which one is not said.
  virtual void OnSettingsChanged() = 0;

 protected:
  ~WindowEvents() = default;
};

// Makes a hidden borderless window; 0 on failure. `events` must outlive it.
WindowHandle CreateFormWindow(const WindowDesign& design, WindowEvents& events);

// Moves and sizes the window to `rect` (pixels) without changing its z-order.
void PlaceWindow(WindowHandle window, const PixelRect& rect);

void ShowWindow(WindowHandle window, bool visible);

// Destroys the window. From this call on no message reaches its events, not even
// those that the destruction itself sends; its timers stop with it.
void DestroyWindow(WindowHandle window);

// Asks for the rows [firstRow, endRow) of the window to be presented again.
void InvalidateRows(WindowHandle window, int firstRow, int endRow);

// At most `framesPerSecond` frames of the window reach the screen each second,
// and never more than one per display refresh; 0 holds every frame back until
// the next call. Windows start at kEveryRefresh.
constexpr int kEveryRefresh = 1 << 30;
void LimitPresents(WindowHandle window, int framesPerSecond);

// Starts (or restarts) the timer `timerId` of the window; false on failure.
bool StartTimer(WindowHandle window, int timerId, int intervalMilliseconds);
void StopTimer(WindowHandle window, int timerId);

// ---- The session and the user's settings -----------------------------------

// The id of the session the process runs in; false when it cannot be told.
bool ProcessSessionId(unsigned long& sessionId);

// Whether the process's session is shown on a screen, as the session manager says
// when asked: Disconnected only while no screen, local or remote, shows it.
enum class ConnectState { Connected, Disconnected, Unknown };
ConnectState SessionConnectState();

// True while the desktop that receives the user's input (the one on the screen)
// is the desktop of the calling thread; false while another one is (the lock
// screen's, another user's, a secure prompt's) or when it cannot be told.
bool InputDesktopIsOwn();

// Whether the system says the session is shown through a remote client.
bool RemoteSessionMetric();

// The id of the session that has the machine's own graphics (Windows 8 on); false
// when there is no such value. Any other session with a display is a remote one.
bool GlassSessionId(unsigned long& sessionId);

// The user's "Show animations in Windows" setting; true when it cannot be read.
bool ClientAreaAnimation();

// ---- Monitors --------------------------------------------------------------

// A monitor as the system names it: its device name ("\\.\DISPLAY2") and
// whether it is the primary, with its whole rectangle in pixels.
struct MonitorArea {
  PixelRect rect;
  std::wstring device;
  bool primary = false;
};

// The monitor that `rect` lies on most (the nearest one when it lies on none);
// `rect` itself as a nameless monitor when there is none to ask.
MonitorArea MonitorNearest(const PixelRect& rect);

// Every monitor now, in the system's order; false when they cannot be read.
bool EnumMonitors(std::vector<MonitorArea>& monitors);

}  // namespace backend

namespace backend {

// Creating a member of a control array. Windowless controls need nothing of the
// machine, so on Windows this always succeeds; the headless machine records it and
// can refuse it.
bool LoadControl(const std::wstring& arrayName, int index);

}  // namespace backend
