// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// wininspect: a console tool run under Wine beside Frostlane so the end-to-end
// tests can read what the program shows through Win32 itself, exactly to the
// character, instead of guessing from pixels.
//
// Usage (every answer is one UTF-8 JSON object per line on standard output):
//   wininspect list                  visible top-level windows
//   wininspect dialog <hwnd>         caption, static texts, icon (and its screen rectangle)
//                                    and buttons of a #32770 box
//   wininspect click <hwnd> <button> presses a button (id, or text with or without '&')
//   wininspect cursor                the cursor position in screen coordinates
//   wininspect monitors              every monitor's rectangle, work area and primary flag
//   wininspect resources <pid>       the GDI and USER objects a process holds, and how each
//                                    was counted (see CountResources)
//   wininspect power <hwnd> <value>  tells a window that the console's display is now off (0),
//                                    on (1) or dimmed (2), as Windows does (Wine never does)
//   wininspect session <hwnd> <event> tells a window of a change to its own session
//                                    (WM_WTSSESSION_CHANGE), which Wine never sends
// A window handle may be written in decimal or as 0x-prefixed hex.
// Exit status: 0 done, 1 the window or button was not there, 2 bad usage.

#include <windows.h>
#include <winternl.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kExitDone = 0;
constexpr int kExitNotFound = 1;
constexpr int kExitUsage = 2;

// Cross-process window messages get this long before we give up on a program.
// One that has stopped taking messages is given up on at once (SMTO_ABORTIFHUNG);
// this is for one that is merely slow to answer on a busy machine, and an answer
// ends the wait as soon as it comes.
constexpr UINT kMessageTimeoutMs = 20000;

std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                   nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    return bytes;
}

// JSON string literal; control characters are escaped so a CR LF in a message
// box reads back as \r\n and the test can compare it exactly.
std::string JsonString(const std::wstring& text) {
    std::string out = "\"";
    for (unsigned char c : ToUtf8(text)) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char escaped[8];
                wsprintfA(escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string JsonBool(bool value) { return value ? "true" : "false"; }

std::string JsonNumber(long long value) { return std::to_string(value); }

std::string JsonHandle(HWND hwnd) { return std::to_string(reinterpret_cast<UINT_PTR>(hwnd)); }

std::string JsonRect(const RECT& rect) {
    return "[" + JsonNumber(rect.left) + "," + JsonNumber(rect.top) + "," + JsonNumber(rect.right) + "," +
           JsonNumber(rect.bottom) + "]";
}

// Writes straight to the handle so the C runtime cannot translate newlines or code pages.
void WriteLine(const std::string& line) {
    std::string bytes = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

int Fail(int status, const std::string& message) {
    WriteLine("{\"error\":" + JsonString(std::wstring(message.begin(), message.end())) + "}");
    return status;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

// WM_GETTEXT rather than GetWindowText: for another process's controls the
// latter may answer from a cache, while the message asks the control itself.
std::wstring TextOf(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &length))
        return {};
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                        kMessageTimeoutMs, &copied);
    return std::wstring(buffer.data(), copied);
}

std::wstring ImageNameOf(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return {};
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    std::wstring name;
    if (QueryFullProcessImageNameW(process, 0, path, &size)) {
        name.assign(path, size);
        size_t slash = name.find_last_of(L"\\/");
        if (slash != std::wstring::npos) name.erase(0, slash + 1);
    }
    CloseHandle(process);
    return name;
}

// Wine's X11 driver keeps the X window of each top-level window in this
// property; the tests hand it to xdotool to focus exactly that window.
UINT_PTR XWindowOf(HWND hwnd) {
    return reinterpret_cast<UINT_PTR>(GetPropW(hwnd, L"__wine_x11_whole_window"));
}

BOOL CALLBACK DescribeTopLevel(HWND hwnd, LPARAM) {
    if (!IsWindowVisible(hwnd)) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    std::string line = "{\"hwnd\":" + JsonHandle(hwnd);
    line += ",\"pid\":" + JsonNumber(pid);
    line += ",\"exe\":" + JsonString(ImageNameOf(pid));
    line += ",\"class\":" + JsonString(ClassOf(hwnd));
    line += ",\"title\":" + JsonString(TextOf(hwnd));
    line += ",\"rect\":" + JsonRect(rect);
    line += ",\"style\":" + JsonNumber(static_cast<DWORD>(style));
    line += ",\"exstyle\":" + JsonNumber(static_cast<DWORD>(exStyle));
    line += ",\"topmost\":" + JsonBool(exStyle & WS_EX_TOPMOST);
    line += ",\"toolwindow\":" + JsonBool(exStyle & WS_EX_TOOLWINDOW);
    line += ",\"appwindow\":" + JsonBool(exStyle & WS_EX_APPWINDOW);
    line += ",\"owner\":" + JsonHandle(GetWindow(hwnd, GW_OWNER));
    line += ",\"xid\":" + JsonNumber(static_cast<long long>(XWindowOf(hwnd)));
    WriteLine(line + "}");
    return TRUE;
}

int ListWindows() {
    EnumWindows(DescribeTopLevel, 0);
    return kExitDone;
}

bool ParseNumber(const wchar_t* text, unsigned long long& value) {
    wchar_t* end = nullptr;
    value = wcstoull(text, &end, 0);
    return end != text && *end == L'\0';
}

bool ParseWindow(const wchar_t* text, HWND& hwnd) {
    unsigned long long value = 0;
    if (!ParseNumber(text, value)) return false;
    hwnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(value));
    return true;
}

bool IsDialog(HWND hwnd) { return IsWindow(hwnd) && ClassOf(hwnd) == L"#32770"; }

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

bool IsIconStatic(HWND hwnd) {
    return (GetWindowLongPtrW(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

int DescribeDialog(HWND dialog) {
    if (!IsDialog(dialog)) return Fail(kExitNotFound, "not a dialog window");
    std::string texts;
    std::string buttons;
    std::string iconRect = "null";
    for (HWND child : ChildrenOf(dialog)) {
        std::wstring className = ClassOf(child);
        if (lstrcmpiW(className.c_str(), L"Static") == 0) {
            if (IsIconStatic(child)) {
                // Where the icon is, so a test can tell which one it is from a screenshot.
                RECT rect = {};
                GetWindowRect(child, &rect);
                iconRect = JsonRect(rect);
                continue;
            }
            if (!texts.empty()) texts += ",";
            texts += JsonString(TextOf(child));
        } else if (lstrcmpiW(className.c_str(), L"Button") == 0) {
            if (!buttons.empty()) buttons += ",";
            buttons += "{\"id\":" + JsonNumber(GetDlgCtrlID(child)) + ",\"text\":" + JsonString(TextOf(child)) +
                       ",\"visible\":" + JsonBool(IsWindowVisible(child)) + "}";
        }
    }
    WriteLine("{\"hwnd\":" + JsonHandle(dialog) + ",\"caption\":" + JsonString(TextOf(dialog)) +
              ",\"texts\":[" + texts + "],\"icon\":" + JsonBool(iconRect != "null") + ",\"icon_rect\":" + iconRect +
              ",\"buttons\":[" + buttons + "]}");
    return kExitDone;
}

std::wstring WithoutAccelerator(const std::wstring& text) {
    std::wstring plain;
    for (wchar_t c : text)
        if (c != L'&') plain += c;
    return plain;
}

bool ButtonMatches(HWND button, const wchar_t* wanted) {
    unsigned long long id = 0;
    if (ParseNumber(wanted, id)) return static_cast<unsigned long long>(GetDlgCtrlID(button)) == id;
    return lstrcmpiW(WithoutAccelerator(TextOf(button)).c_str(), WithoutAccelerator(wanted).c_str()) == 0;
}

int ClickButton(HWND dialog, const wchar_t* wanted) {
    if (!IsWindow(dialog)) return Fail(kExitNotFound, "no such window");
    for (HWND child : ChildrenOf(dialog)) {
        if (lstrcmpiW(ClassOf(child).c_str(), L"Button") != 0 || !ButtonMatches(child, wanted)) continue;
        int id = GetDlgCtrlID(child);
        // Posted, not sent: the box ends its modal loop inside the click, and a
        // sent message would keep us waiting on the program's shutdown.
        if (!PostMessageW(child, BM_CLICK, 0, 0)) return Fail(kExitNotFound, "the button went away");
        WriteLine("{\"clicked\":" + JsonNumber(id) + "}");
        return kExitDone;
    }
    return Fail(kExitNotFound, "no such button");
}

int DescribeCursor() {
    POINT point = {};
    if (!GetCursorPos(&point)) return Fail(kExitNotFound, "GetCursorPos failed");
    WriteLine("{\"x\":" + JsonNumber(point.x) + ",\"y\":" + JsonNumber(point.y) + "}");
    return kExitDone;
}

BOOL CALLBACK DescribeMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    WriteLine("{\"rect\":" + JsonRect(info.rcMonitor) + ",\"work\":" + JsonRect(info.rcWork) +
              ",\"primary\":" + JsonBool(info.dwFlags & MONITORINFOF_PRIMARY) + "}");
    return TRUE;
}

int ListMonitors() {
    EnumDisplayMonitors(nullptr, nullptr, DescribeMonitor, 0);
    return kExitDone;
}

// Where the process environment block keeps the address of the process's GDI
// handle table on x86-64 (the same offset on Windows and under Wine).
constexpr SIZE_T kPebGdiSharedHandleTableOffset = 0xF8;

// One slot of that table, as Windows lays it out (and Wine copies).
struct GdiHandleEntry {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "the table's slots are 24 bytes");
constexpr size_t kGdiHandleSlots = 0x10000;
constexpr USHORT kGdiStockFlag = 0x80;

// Counts the used, non-stock slots of another process's GDI handle table, read
// through its process environment block. Answers false when it cannot be read.
bool CountGdiTable(DWORD pid, DWORD& count) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return false;
    PROCESS_BASIC_INFORMATION basic = {};
    ULONG length = 0;
    UINT64 table = 0;
    SIZE_T read = 0;
    bool done = NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &length) == 0 &&
                ReadProcessMemory(process, reinterpret_cast<const BYTE*>(basic.PebBaseAddress) +
                                               kPebGdiSharedHandleTableOffset,
                                  &table, sizeof table, &read) &&
                read == sizeof table && table != 0;
    if (done) {
        std::vector<GdiHandleEntry> slots(kGdiHandleSlots);
        done = ReadProcessMemory(process, reinterpret_cast<const void*>(static_cast<UINT_PTR>(table)), slots.data(),
                                 slots.size() * sizeof(GdiHandleEntry), &read) &&
               read == slots.size() * sizeof(GdiHandleEntry);
        count = 0;
        for (const GdiHandleEntry& slot : slots)
            if (slot.type != 0 && !(slot.unique & kGdiStockFlag)) ++count;
    }
    CloseHandle(process);
    return done;
}

struct WindowCount {
    DWORD pid;
    DWORD count;
};

BOOL CALLBACK CountWindowOf(HWND hwnd, LPARAM countPointer) {
    auto* windows = reinterpret_cast<WindowCount*>(countPointer);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == windows->pid) ++windows->count;
    return TRUE;
}

BOOL CALLBACK CountWindowTree(HWND hwnd, LPARAM countPointer) {
    CountWindowOf(hwnd, countPointer);
    EnumChildWindows(hwnd, CountWindowOf, countPointer);
    return TRUE;
}

// The process's windows, top-level and child: the bulk of its USER objects.
DWORD CountWindows(DWORD pid) {
    WindowCount windows = {pid, 0};
    EnumWindows(CountWindowTree, reinterpret_cast<LPARAM>(&windows));
    return windows.count;
}

// GetGuiResources answers on Windows. Wine does not implement it (it fails with
// ERROR_CALL_NOT_IMPLEMENTED), so there the GDI figure is counted from the
// process's GDI handle table and the USER figure is the process's windows; the
// answer names which way each was counted, so no caller mistakes one for the other.
int CountResources(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return Fail(kExitNotFound, "no such process");
    SetLastError(0);
    DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    bool gdiAnswered = gdi != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
    SetLastError(0);
    DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    bool userAnswered = user != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
    CloseHandle(process);

    std::string gdiSource = "GetGuiResources";
    if (!gdiAnswered) {
        gdiSource = "handle table";
        if (!CountGdiTable(pid, gdi)) return Fail(kExitNotFound, "the GDI handle table could not be read");
    }
    std::string userSource = "GetGuiResources";
    if (!userAnswered) {
        userSource = "windows";
        user = CountWindows(pid);
    }
    WriteLine("{\"pid\":" + JsonNumber(pid) + ",\"gdi\":" + JsonNumber(gdi) + ",\"gdi_source\":\"" + gdiSource +
              "\",\"user\":" + JsonNumber(user) + ",\"user_source\":\"" + userSource + "\"}");
    return kExitDone;
}

// The notice (GUID_CONSOLE_DISPLAY_STATE) lives in the window's own process, as
// Windows puts it there.
int SendDisplayPower(HWND window, DWORD value) {
    struct { POWERBROADCAST_SETTING head; DWORD rest; } notice = {};
    notice.head.PowerSetting = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
    notice.head.DataLength = sizeof value;
    memcpy(notice.head.Data, &value, sizeof value);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return Fail(kExitNotFound, "the window's process cannot be opened");
    void* remote = VirtualAllocEx(process, nullptr, sizeof notice, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    DWORD_PTR answer = 0;
    const bool sent = remote && WriteProcessMemory(process, remote, &notice, sizeof notice, nullptr) &&
                      SendMessageTimeoutW(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                                          reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                                          &answer);
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    if (!sent) return Fail(kExitNotFound, "the notice could not be delivered");
    WriteLine("{\"answer\":" + JsonNumber(static_cast<long long>(answer)) + "}");
    return kExitDone;
}

// Sent, so the window has acted on it when this returns; one that ends the program never answers.
int SendSessionChange(HWND window, WPARAM event) {
    DWORD pid = 0, session = 0;
    if (!GetWindowThreadProcessId(window, &pid) || !ProcessIdToSessionId(pid, &session))
        return Fail(kExitNotFound, "no such window");
    bool answered = SendMessageTimeoutW(window, WM_WTSSESSION_CHANGE, event, session, SMTO_ABORTIFHUNG,
                                        kMessageTimeoutMs, nullptr);
    WriteLine(std::string("{\"answered\":") + (answered ? "true" : "false") + "}");
    return kExitDone;
}

int Usage() {
    return Fail(kExitUsage, "usage: wininspect list | dialog HWND | click HWND BUTTON | cursor | monitors | "
                            "resources PID | power HWND VALUE | session HWND EVENT");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    std::wstring command = argv[1];
    HWND hwnd = nullptr;
    unsigned long long pid = 0;
    if (command == L"list" && argc == 2) return ListWindows();
    if (command == L"cursor" && argc == 2) return DescribeCursor();
    if (command == L"monitors" && argc == 2) return ListMonitors();
    if (command == L"resources" && argc == 3 && ParseNumber(argv[2], pid) && pid <= MAXDWORD)
        return CountResources(static_cast<DWORD>(pid));
    if (command == L"dialog" && argc == 3 && ParseWindow(argv[2], hwnd)) return DescribeDialog(hwnd);
    if (command == L"click" && argc == 4 && ParseWindow(argv[2], hwnd)) return ClickButton(hwnd, argv[3]);
    if (command == L"power" && argc == 4 && ParseWindow(argv[2], hwnd) && ParseNumber(argv[3], pid))
        return SendDisplayPower(hwnd, static_cast<DWORD>(pid));
    if (command == L"session" && argc == 4 && ParseWindow(argv[2], hwnd) && ParseNumber(argv[3], pid))
        return SendSessionChange(hwnd, static_cast<WPARAM>(pid));
    return Usage();
}
