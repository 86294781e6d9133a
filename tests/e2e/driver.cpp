// Drives a running vornakel.exe from a second process in the same Wine desktop: finds its main
// window, reads the task list across the process boundary, reads popups and message boxes, and
// posts commands. Everything it prints is UTF-8 with LF line ends, so shell scripts can compare
// it with expected files; control characters inside a text are shown as <XX> (hex), so one cell
// never spans lines or fields.
//
// Exit codes: 0 done, 1 not found / timed out / failed, 2 bad usage.

#include <windows.h>
// commctrl.h needs the types of windows.h.
#include <commctrl.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr char kMainClass[] = "TForm1";
constexpr char kMainTitle[] = " Vornakel";
constexpr wchar_t kListClass[] = L"SysListView32";
constexpr wchar_t kPopupClass[] = L"MyVornakelClass";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kShutdownWarningClass[] = L"VornakelShutdownWarning";
// A cell holds at most a 256-character message or a path with a few words around it.
constexpr int kTextCapacity = 8192;
// A cross-process send that takes longer means the program's interface thread is stuck.
constexpr UINT kSendTimeoutMs = 10000;

// ---- small RAII helpers -------------------------------------------------------------------

class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle = nullptr) : handle_(handle) {}
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  ~OwnedHandle() {
    if (handle_) CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HANDLE handle_;
};

// Memory allocated inside another process, freed with it.
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, size_t size)
      : process_(process),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  ~RemoteMemory() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  char* get() const { return static_cast<char*>(address_); }
  explicit operator bool() const { return address_ != nullptr; }

 private:
  HANDLE process_;
  void* address_;
};

// ---- output ---------------------------------------------------------------------------------

std::string ToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

// Control characters would break the line and field layout of the output.
std::wstring Escaped(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    if (c < 0x20 || c == 0x7F) {
      wchar_t code[8];
      swprintf(code, 8, L"<%02X>", static_cast<unsigned>(c));
      out += code;
    } else {
      out += c;
    }
  }
  return out;
}

// Raw bytes to stdout: no code page or line-end translation on the way to the shell.
void Print(std::wstring_view line) {
  const std::string bytes = ToUtf8(line) + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
            &written, nullptr);
}

void PrintError(std::wstring_view line) {
  const std::string bytes = "driver: " + ToUtf8(line) + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
            &written, nullptr);
}

std::wstring Number(long long value) { return std::to_wstring(value); }

// ---- time -----------------------------------------------------------------------------------

class Stopwatch {
 public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  double ElapsedMs() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
           static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER start_{};
};

// Wall clock in Unix milliseconds, the same clock the shell's `date +%s%3N` reads, so a script
// can measure from the moment it started the program rather than from this process's start.
long long UnixMs() {
  FILETIME ft;
  GetSystemTimePreciseAsFileTime(&ft);
  const ULONGLONG ticks = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  constexpr ULONGLONG kUnixEpochTicks = 116444736000000000ULL;
  return static_cast<long long>((ticks - kUnixEpochTicks) / 10000);
}

std::wstring Ms(double ms) {
  wchar_t text[32];
  swprintf(text, 32, L"%.1f", ms);
  return text;
}

// ---- windows --------------------------------------------------------------------------------

HWND FindMainWindow() { return FindWindowA(kMainClass, kMainTitle); }

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

// WM_GETTEXT crosses the process boundary (the system marshals it), unlike the list messages.
// WM_GETTEXT rather than GetWindowText: for another process's window GetWindowText returns
// only the name it was created with, not what an edit control holds now.
std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(static_cast<size_t>(copied));
  return text;
}

HWND FindDescendant(HWND parent, const wchar_t* class_name) {
  struct Search {
    const wchar_t* class_name;
    HWND found;
  } search{class_name, nullptr};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (ClassOf(child) == s->class_name) {
          s->found = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> TopLevelWindows(const wchar_t* class_name, DWORD process_id) {
  struct Search {
    const wchar_t* class_name;
    DWORD process_id;
    std::vector<HWND> found;
  } search{class_name, process_id, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (ClassOf(window) == s->class_name && (s->process_id == 0 || owner == s->process_id))
          s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

DWORD ProcessOf(HWND window) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  return process_id;
}

std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &result))
    return std::nullopt;
  return static_cast<LRESULT>(result);
}

std::wstring RectText(const RECT& r) {
  return Number(r.left) + L" " + Number(r.top) + L" " + Number(r.right) + L" " + Number(r.bottom);
}

// ---- the list view of another process ------------------------------------------------------

struct Column {
  std::wstring caption;
  int width;
};

// The list's messages carry pointers, which the system does not marshal: the item record and
// the text buffer must live in the program's own address space.
class RemoteList {
 public:
  explicit RemoteList(HWND list)
      : list_(list),
        process_(OpenProcess(
            PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
            FALSE, ProcessOf(list))),
        memory_(process_.get(), kRecordSize + kTextCapacity * sizeof(wchar_t)) {}

  bool ok() const { return process_ && memory_; }

  std::optional<int> Count() const {
    auto count = Send(list_, LVM_GETITEMCOUNT, 0, 0);
    if (!count) return std::nullopt;
    return static_cast<int>(*count);
  }

  std::optional<std::wstring> CellText(int row, int column) const {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = RemoteText();
    item.cchTextMax = kTextCapacity;
    if (!Write(item)) return std::nullopt;
    auto length = Send(list_, LVM_GETITEMTEXTW, row, RemoteRecord());
    if (!length) return std::nullopt;
    return ReadText(static_cast<int>(*length));
  }

  // Selects the row and gives it the focus mark, as a click on it would; the others lose both.
  bool Select(int row) const {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    if (!Write(item) || !Send(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), RemoteRecord()))
      return false;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    if (!Write(item)) return false;
    auto done = Send(list_, LVM_SETITEMSTATE, row, RemoteRecord());
    return done && *done;
  }

  std::optional<Column> ColumnAt(int column) const {
    LVCOLUMNW record{};
    record.mask = LVCF_TEXT | LVCF_WIDTH;
    record.pszText = RemoteText();
    record.cchTextMax = kTextCapacity;
    if (!Write(record)) return std::nullopt;
    auto found = Send(list_, LVM_GETCOLUMNW, column, RemoteRecord());
    if (!found || !*found) return std::nullopt;
    auto width = Send(list_, LVM_GETCOLUMNWIDTH, column, 0);
    auto caption = ReadText(-1);
    if (!width || !caption) return std::nullopt;
    return Column{*caption, static_cast<int>(*width)};
  }

 private:
  // Layout of the remote block: the item or column record, then the text buffer.
  static constexpr size_t kRecordSize = 256;
  static_assert(sizeof(LVITEMW) <= kRecordSize && sizeof(LVCOLUMNW) <= kRecordSize);

  LPARAM RemoteRecord() const { return reinterpret_cast<LPARAM>(memory_.get()); }
  wchar_t* RemoteText() const { return reinterpret_cast<wchar_t*>(memory_.get() + kRecordSize); }

  template <typename Record>
  bool Write(const Record& record) const {
    // An empty buffer first: a cell that fills nothing must not show the previous cell's text.
    const wchar_t empty = L'\0';
    SIZE_T written = 0;
    return WriteProcessMemory(process_.get(), memory_.get(), &record, sizeof record, &written) &&
           WriteProcessMemory(process_.get(), RemoteText(), &empty, sizeof empty, &written);
  }

  // length < 0: up to the terminating zero. Reads no more than the text holds: a cell costs two
  // cross-process copies, and a whole list of thousands of rows is read this way.
  std::optional<std::wstring> ReadText(int length) const {
    if (length >= kTextCapacity - 1) PrintError(L"a text fills the whole buffer and may be cut");
    const size_t count = length < 0 ? kTextCapacity : static_cast<size_t>(length);
    std::vector<wchar_t> buffer(count + 1, L'\0');
    SIZE_T read = 0;
    if (count && !ReadProcessMemory(process_.get(), RemoteText(), buffer.data(),
                                    count * sizeof(wchar_t), &read))
      return std::nullopt;
    buffer[count] = L'\0';
    return std::wstring(buffer.data());
  }

  HWND list_;
  OwnedHandle process_;
  RemoteMemory memory_;
};

struct Target {
  HWND main;
  HWND list;
};

std::optional<Target> FindTarget() {
  HWND main = FindMainWindow();
  if (!main) {
    PrintError(L"no window of class MainWindow titled \" Vornakel\"");
    return std::nullopt;
  }
  HWND list = FindDescendant(main, kListClass);
  if (!list) {
    PrintError(L"the main window holds no SysListView32");
    return std::nullopt;
  }
  return Target{main, list};
}

std::unique_ptr<RemoteList> OpenList() {
  auto target = FindTarget();
  if (!target) return nullptr;
  auto list = std::make_unique<RemoteList>(target->list);
  if (!list->ok()) {
    PrintError(L"cannot open the program's process or allocate memory in it");
    return nullptr;
  }
  return list;
}

// ---- commands -------------------------------------------------------------------------------

int ParseInt(const char* text, int fallback) {
  if (!text) return fallback;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 0);
  return (end && *end == '\0' && end != text) ? static_cast<int>(value) : fallback;
}

int WaitWindow(int timeout_ms) {
  Stopwatch watch;
  for (;;) {
    if (FindMainWindow()) {
      Print(L"elapsed-ms\t" + Ms(watch.ElapsedMs()));
      Print(L"seen-unix-ms\t" + Number(UnixMs()));
      return 0;
    }
    if (watch.ElapsedMs() >= timeout_ms) break;
    Sleep(5);
  }
  PrintError(L"the main window did not appear within " + Number(timeout_ms) + L" ms");
  return 1;
}

int WaitNoWindow(int timeout_ms) {
  Stopwatch watch;
  while (FindMainWindow()) {
    if (watch.ElapsedMs() >= timeout_ms) {
      PrintError(L"a main window still exists after " + Number(timeout_ms) + L" ms");
      return 1;
    }
    Sleep(20);
  }
  return 0;
}

// A window of the program's class and title that never answers, for `ms` milliseconds: a
// running copy that hangs.
int HungWindow(int ms) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kMainClass;
  RegisterClassA(&window_class);
  if (!CreateWindowExA(0, kMainClass, kMainTitle, WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                       window_class.hInstance, nullptr)) {
    PrintError(L"cannot make the window");
    return 1;
  }
  Sleep(static_cast<DWORD>(ms));  // no message is taken meanwhile
  return 0;
}

// Prints rows [first, first + count) — all rows by default — one line each, cells joined by TAB.
int Rows(int first, int count) {
  auto list = OpenList();
  if (!list) return 1;
  auto total = list->Count();
  if (!total) return 1;
  const int end = count < 0 ? *total : std::min(*total, first + count);
  for (int row = std::max(first, 0); row < end; ++row) {
    std::wstring line;
    for (int column = 0; column < 5; ++column) {
      auto text = list->CellText(row, column);
      if (!text) {
        PrintError(L"cannot read row " + Number(row) + L" column " + Number(column));
        return 1;
      }
      if (column) line += L'\t';
      line += Escaped(*text);
    }
    Print(line);
  }
  return 0;
}

int Columns() {
  auto list = OpenList();
  if (!list) return 1;
  for (int index = 0;; ++index) {
    auto column = list->ColumnAt(index);
    if (!column) break;
    Print(Escaped(column->caption) + L"\t" + Number(column->width));
  }
  return 0;
}

int Count() {
  auto list = OpenList();
  if (!list) return 1;
  auto count = list->Count();
  if (!count) return 1;
  Print(Number(*count));
  return 0;
}

// The program may still be creating its window or filling the list when this starts.
int WaitRows(int wanted, int timeout_ms) {
  Stopwatch watch;
  int last = -1;
  for (;;) {
    if (HWND main = FindMainWindow()) {
      if (HWND list = FindDescendant(main, kListClass)) {
        DWORD_PTR count = 0;
        if (SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &count))
          last = static_cast<int>(count);
        if (last == wanted) {
          Print(L"elapsed-ms\t" + Ms(watch.ElapsedMs()));
          Print(L"seen-unix-ms\t" + Number(UnixMs()));
          return 0;
        }
      }
    }
    if (watch.ElapsedMs() >= timeout_ms) break;
    Sleep(2);
  }
  PrintError(L"the list did not reach " + Number(wanted) + L" rows within " + Number(timeout_ms) +
             L" ms (last count " + Number(last) + L")");
  return 1;
}

std::wstring YesNo(bool value) { return value ? L"1" : L"0"; }

// The list of missed reminders: its title, whether it has the keyboard and stays on top, then
// its rows (cells TAB-separated); with `press`, its OK is pressed afterwards.
int Missed(bool press) {
  HWND window = FindWindowW(L"VornakelMissed", nullptr);
  if (!window || !IsWindowVisible(window)) {
    PrintError(L"no list of missed reminders is shown");
    return 1;
  }
  wchar_t title[256]{};
  GetWindowTextW(window, title, 256);
  Print(L"title\t" + Escaped(title));
  Print(L"foreground\t" + YesNo(GetForegroundWindow() == window));
  Print(L"topmost\t" + YesNo((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0));
  RemoteList list(FindDescendant(window, kListClass));
  auto total = list.ok() ? list.Count() : std::nullopt;
  if (!total) {
    PrintError(L"cannot read the list of missed reminders");
    return 1;
  }
  for (int row = 0; row < *total; ++row) {
    std::wstring line;
    for (int column = 0; column < 4; ++column) {
      auto text = list.CellText(row, column);
      if (!text) return 1;
      if (column) line += L'\t';
      line += Escaped(*text);
    }
    Print(line);
  }
  if (press) SendMessageW(GetDlgItem(window, 1), BM_CLICK, 0, 0);
  return 0;
}

int Window() {
  auto target = FindTarget();
  if (!target) return 1;
  RECT rect{};
  GetWindowRect(target->main, &rect);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(target->main, &placement);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT list_rect{};
  GetWindowRect(target->list, &list_rect);
  RECT client{};
  GetClientRect(target->main, &client);
  POINT client_origin{0, 0};
  ClientToScreen(target->main, &client_origin);

  const LONG_PTR style = GetWindowLongPtrW(target->list, GWL_STYLE);
  const auto extended = Send(target->list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0).value_or(0);

  Print(L"title\t" + Escaped(TextOf(target->main)));
  Print(L"rect\t" + RectText(rect));
  Print(L"size\t" + Number(rect.right - rect.left) + L" " + Number(rect.bottom - rect.top));
  Print(L"normal\t" + RectText(placement.rcNormalPosition));
  Print(L"visible\t" + YesNo(IsWindowVisible(target->main)));
  Print(L"maximized\t" + YesNo(IsZoomed(target->main)));
  // The program is minimised to the taskbar when the window carrying its button (the main
  // window's owner) is.
  const HWND button = GetWindow(target->main, GW_OWNER);
  Print(L"minimized\t" + YesNo(IsIconic(target->main) || (button && IsIconic(button))));
  Print(L"workarea\t" + RectText(work));
  Print(L"client\t" + Number(client_origin.x) + L" " + Number(client_origin.y) + L" " +
        Number(client.right) + L" " + Number(client.bottom));
  Print(L"list-rect\t" + RectText(list_rect));
  Print(L"list-report\t" + YesNo((style & LVS_TYPEMASK) == LVS_REPORT));
  Print(L"list-ownerdata\t" + YesNo(style & LVS_OWNERDATA));
  Print(L"list-singlesel\t" + YesNo(style & LVS_SINGLESEL));
  Print(L"list-editlabels\t" + YesNo(style & LVS_EDITLABELS));
  Print(L"list-border\t" + YesNo(style & WS_BORDER));
  Print(L"list-gridlines\t" + YesNo(extended & LVS_EX_GRIDLINES));
  Print(L"list-fullrowselect\t" + YesNo(extended & LVS_EX_FULLROWSELECT));
  return 0;
}

// The desktop's work area: the screen without the taskbar, which Wine shows only while some
// program has a tray icon.
int Desktop() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  Print(L"workarea\t" + RectText(work));
  return 0;
}

int Close(int timeout_ms) {
  HWND main = FindMainWindow();
  if (!main) {
    PrintError(L"no main window to close");
    return 1;
  }
  // "Close window" on the taskbar: the system command goes to the window carrying the button,
  // the main window's owner.
  const HWND button = GetWindow(main, GW_OWNER);
  if (!button) {
    PrintError(L"the main window has no owner carrying the taskbar button");
    return 1;
  }
  OwnedHandle process(OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(main)));
  Stopwatch watch;
  PostMessageW(button, WM_SYSCOMMAND, SC_CLOSE, 0);
  if (!process || WaitForSingleObject(process.get(), timeout_ms) != WAIT_OBJECT_0) {
    PrintError(L"the program did not end within " + Number(timeout_ms) + L" ms");
    return 1;
  }
  Print(L"ended-ms\t" + Ms(watch.ElapsedMs()));
  return 0;
}

int Post(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND main = FindMainWindow();
  if (!main || !PostMessageW(main, message, wparam, lparam)) {
    PrintError(L"cannot post to the main window");
    return 1;
  }
  return 0;
}

// One line per reminder popup of the program: its title, then each child's class and text.
int Popups() {
  HWND main = FindMainWindow();
  const DWORD process_id = main ? ProcessOf(main) : 0;
  for (HWND popup : TopLevelWindows(kPopupClass, process_id)) {
    std::wstring line = Escaped(TextOf(popup));
    for (HWND child : Children(popup))
      line += L"\t" + ClassOf(child) + L":" + Escaped(TextOf(child));
    Print(line);
  }
  return 0;
}

// Where the keyboard is, in whichever process: the class of the foreground window, and the class
// and text of its focused control.
int Focus() {
  const HWND foreground = GetForegroundWindow();
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  const bool known =
      foreground && GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &thread);
  const HWND focus = known ? thread.hwndFocus : nullptr;
  Print(L"foreground\t" + (foreground ? ClassOf(foreground) : std::wstring(L"none")));
  Print(L"focus\t" +
        (focus ? ClassOf(focus) + L"\t" + Escaped(TextOf(focus)) : std::wstring(L"none")));
  return 0;
}

// The program's first visible window of `class_name` (a popup, the editor "TForm2"): one line per
// enabled, visible child: its class, text, the centre of its place on the screen and its id.
int Controls(const char* class_name) {
  HWND main = FindMainWindow();
  const DWORD process_id = main ? ProcessOf(main) : 0;
  const std::string name(class_name);
  for (HWND window : TopLevelWindows(std::wstring(name.begin(), name.end()).c_str(), process_id)) {
    if (!IsWindowVisible(window)) continue;
    for (HWND child : Children(window)) {
      if (!IsWindowVisible(child) || !IsWindowEnabled(child)) continue;
      RECT place{};
      GetWindowRect(child, &place);
      Print(ClassOf(child) + L"\t" + Escaped(TextOf(child)) + L"\t" +
            Number((place.left + place.right) / 2) + L" " + Number((place.top + place.bottom) / 2) +
            L"\t" + Number(GetDlgCtrlID(child)));
    }
    return 0;
  }
  PrintError(L"no visible window of that class");
  return 1;
}

// "Отложить" on the program's first popup, with the duration list at `choice` first.
int SnoozePopup(int choice) {
  HWND main = FindMainWindow();
  const DWORD process_id = main ? ProcessOf(main) : 0;
  const std::vector<HWND> popups = TopLevelWindows(kPopupClass, process_id);
  if (popups.empty()) {
    PrintError(L"no popup to put off");
    return 1;
  }
  const HWND list = GetDlgItem(popups.front(), 1), button = GetDlgItem(popups.front(), 2);
  if (!list || !button || SendMessageW(list, CB_SETCURSEL, choice, 0) != choice) {
    PrintError(L"the popup has no duration list or no snooze button");
    return 1;
  }
  const std::wstring title = TextOf(popups.front());
  SendMessageW(button, BM_CLICK, 0, 0);
  Print(L"snoozed\t" + Escaped(title));
  return 0;
}

// The program's warning before a shutdown: its title, each child's class and text, whether it is
// topmost, the class of the foreground window, and the centre of each button on the screen (for
// a real click). With a control id, clicks that control (BM_CLICK).
int ShutdownWarning(int click_id) {
  HWND main = FindMainWindow();
  const std::vector<HWND> found =
      TopLevelWindows(kShutdownWarningClass, main ? ProcessOf(main) : 0);
  if (!main || found.empty() || !IsWindowVisible(found.front())) {
    PrintError(L"no shutdown warning of the program");
    return 1;
  }
  const HWND warning = found.front();
  std::wstring line = Escaped(TextOf(warning));
  for (HWND child : Children(warning))
    line += L"\t" + ClassOf(child) + L":" + Escaped(TextOf(child));
  Print(line);
  Print(L"topmost\t" + YesNo((GetWindowLongPtrW(warning, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0));
  const HWND foreground = GetForegroundWindow();
  Print(L"foreground\t" + (foreground ? ClassOf(foreground) : std::wstring(L"none")));
  for (HWND child : Children(warning)) {
    RECT r{};
    GetWindowRect(child, &r);
    if (ClassOf(child) == L"Button")
      Print(L"button\t" + Number(GetDlgCtrlID(child)) + L"\t" + Number((r.left + r.right) / 2) +
            L" " + Number((r.top + r.bottom) / 2));
  }
  if (click_id < 0) return 0;
  const HWND button = GetDlgItem(warning, click_id);
  if (!button) {
    PrintError(L"the warning has no control " + Number(click_id));
    return 1;
  }
  PostMessageW(button, BM_CLICK, 0, 0);
  return 0;
}

// Visible message boxes of the program (with `any_process`, of every process, such as a second
// start's): caption TAB text. With a button id, clicks that button on the first one.
int Dialogs(int click_id, bool any_process = false) {
  HWND main = any_process ? nullptr : FindMainWindow();
  const DWORD process_id = main ? ProcessOf(main) : 0;
  std::vector<HWND> boxes;
  for (HWND dialog : TopLevelWindows(kDialogClass, process_id))
    if (IsWindowVisible(dialog)) boxes.push_back(dialog);
  for (HWND box : boxes)
    Print(Escaped(TextOf(box)) + L"\t" + Escaped(TextOf(GetDlgItem(box, 0xFFFF))));
  if (click_id < 0) return 0;
  if (boxes.empty()) {
    PrintError(L"no message box to answer");
    return 1;
  }
  HWND button = GetDlgItem(boxes.front(), click_id);
  if (!button) {
    PrintError(L"the message box has no button " + Number(click_id));
    return 1;
  }
  PostMessageW(button, BM_CLICK, 0, 0);
  return 0;
}

// Waits up to `timeout_ms` for a visible message box of the program, then prints them all as
// `dialogs` does.
int WaitDialogs(int timeout_ms) {
  Stopwatch watch;
  for (;;) {
    HWND main = FindMainWindow();
    const DWORD process_id = main ? ProcessOf(main) : 0;
    if (process_id) {
      for (HWND dialog : TopLevelWindows(kDialogClass, process_id))
        if (IsWindowVisible(dialog)) return Dialogs(-1);
    }
    if (watch.ElapsedMs() >= timeout_ms) break;
    Sleep(20);
  }
  PrintError(L"no message box of the program appeared within " + Number(timeout_ms) + L" ms");
  return 1;
}

int Select(int row) {
  auto list = OpenList();
  if (!list) return 1;
  if (!list->Select(row)) {
    PrintError(L"cannot select row " + Number(row));
    return 1;
  }
  return 0;
}

// Keys posted to the program's open popup menu (the tray menu), one WM_KEYDOWN each; waits up to
// `timeout_ms` for the menu to show. Its item texts cannot be read from another process.
int MenuKeys(int timeout_ms, const std::vector<int>& keys) {
  HWND main = FindMainWindow();
  const DWORD process_id = main ? ProcessOf(main) : 0;
  Stopwatch watch;
  HWND menu = nullptr;
  for (;;) {
    for (HWND candidate : TopLevelWindows(L"#32768", process_id))
      if (IsWindowVisible(candidate)) menu = candidate;
    if (menu || watch.ElapsedMs() >= timeout_ms) break;
    Sleep(10);
  }
  if (!menu) {
    PrintError(L"no popup menu of the program is open");
    return 1;
  }
  for (int key : keys) {
    PostMessageW(menu, WM_KEYDOWN, static_cast<WPARAM>(key), 0);
    Sleep(50);
  }
  return 0;
}

void PrintMemory(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) {
    PrintError(L"cannot read the memory counters");
    return;
  }
  Print(L"working-set-kb\t" + Number(static_cast<long long>(counters.WorkingSetSize / 1024)));
  Print(L"peak-working-set-kb\t" +
        Number(static_cast<long long>(counters.PeakWorkingSetSize / 1024)));
  Print(L"pagefile-kb\t" + Number(static_cast<long long>(counters.PagefileUsage / 1024)));
  // Each thread has a stack of its own, and each DLL its pages: what the working set is made of.
  const DWORD processId = GetProcessId(process);
  long long threads = 0;
  OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  THREADENTRY32 thread{};
  thread.dwSize = sizeof thread;
  if (snapshot.get() != INVALID_HANDLE_VALUE && Thread32First(snapshot.get(), &thread)) {
    do threads += thread.th32OwnerProcessID == processId;
    while (Thread32Next(snapshot.get(), &thread));
  }
  Print(L"threads\t" + Number(threads));
  HMODULE modules[512];
  DWORD bytes = 0;
  std::wstring names;
  if (EnumProcessModules(process, modules, sizeof modules, &bytes)) {
    for (DWORD i = 0; i < std::min<DWORD>(bytes / sizeof(HMODULE), 512); ++i) {
      wchar_t name[MAX_PATH] = L"";
      if (GetModuleBaseNameW(process, modules[i], name, MAX_PATH))
        names += (names.empty() ? L"" : L" ") + std::wstring(name);
    }
  }
  Print(L"modules\t" + names);
}

// The program's memory counters, as the system reports them.
int Memory() {
  HWND main = FindMainWindow();
  if (!main) {
    PrintError(L"no main window");
    return 1;
  }
  OwnedHandle process(
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ProcessOf(main)));
  if (!process) {
    PrintError(L"cannot open the program's process");
    return 1;
  }
  PrintMemory(process.get());
  return 0;
}

// The baseline to compare with: this process showing a bare window with an empty report list
// view, after its messages have settled. With a manifest (the program's own) the list view is
// that of the common controls 6, with visual styles, as in the program.
int BareWindowMemory(const char* manifest) {
  HANDLE context = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie = 0;
  if (manifest) {
    const std::wstring path(manifest, manifest + std::strlen(manifest));  // an ASCII path
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.lpSource = path.c_str();
    context = CreateActCtxW(&request);
    if (context == INVALID_HANDLE_VALUE || !ActivateActCtx(context, &cookie)) {
      PrintError(L"cannot activate the manifest " + path);
      return 1;
    }
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"VornakelBareWindow";
  RegisterClassW(&windowClass);
  // As large as the program's window while it is open: the memory behind a window's pixels grows
  // with its size.
  RECT frame{50, 50, 768, 588};
  if (HWND main = FindMainWindow()) GetWindowRect(main, &frame);
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"bare", WS_OVERLAPPEDWINDOW, 50, 50,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
  RECT client{};
  GetClientRect(window, &client);
  CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, client.right,
                  client.bottom, window, nullptr, windowClass.hInstance, nullptr);
  ShowWindow(window, SW_SHOW);
  Stopwatch watch;
  MSG message{};
  while (watch.ElapsedMs() < 1500) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  }
  PrintMemory(GetCurrentProcess());
  DestroyWindow(window);
  if (context != INVALID_HANDLE_VALUE) {
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(context);
  }
  return 0;
}

void Usage() {
  PrintError(
      L"usage: vornakel_e2e_driver <command>\n"
      L"  wait-window <timeout-ms>        wait for the main window\n"
      L"  wait-no-window <timeout-ms>     wait until no main window exists\n"
      L"  wait-rows <n> <timeout-ms>      wait until the list has n rows\n"
      L"  count                           number of list rows\n"
      L"  missed [ok]                     the list of missed reminders (then press its OK)\n"
      L"  rows [first [count]]            row cells, TAB-separated, one row a line\n"
      L"  columns                         column captions and widths\n"
      L"  window                          main window and list state, key TAB value\n"
      L"  desktop                         the work area, key TAB value\n"
      L"  close [timeout-ms]              close the taskbar button, wait for the process to end\n"
      L"  post <msg> <wparam> <lparam>    post a message to the main window\n"
      L"  popups                          reminder popups: title and child texts\n"
      L"  controls <class>                a window's controls: class, text, centre, id\n"
      L"  focus                           the foreground window's class, its focus and text\n"
      L"  snooze <choice>                 \"Отложить\" on the first popup, duration <choice>\n"
      L"  dialogs [button-id]             visible message boxes; click a button\n"
      L"  warning [control-id]            the shutdown warning; click a control\n"
      L"  any-dialogs [button-id]         the same for the boxes of every process\n"
      L"  hung-window <ms>                a main window that never answers, for <ms>\n"
      L"  wait-dialogs <timeout-ms>       wait for a message box, then print as dialogs\n"
      L"  select <row>                    select row (0-based) and give it the focus\n"
      L"  menu-keys <timeout-ms> <vk>...  post keys to the program's open popup menu\n"
      L"  memory                          the program's working set and page file use\n"
      L"  bare-memory [manifest]          the same for a bare window with an empty list view,\n"
      L"                                  as large as the program's window");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    Usage();
    return 2;
  }
  const std::string_view command = argv[1];
  const char* arg1 = argc > 2 ? argv[2] : nullptr;
  const char* arg2 = argc > 3 ? argv[3] : nullptr;
  const char* arg3 = argc > 4 ? argv[4] : nullptr;

  if (command == "wait-window" && arg1) return WaitWindow(ParseInt(arg1, 0));
  if (command == "wait-no-window" && arg1) return WaitNoWindow(ParseInt(arg1, 0));
  if (command == "wait-rows" && arg2) return WaitRows(ParseInt(arg1, 0), ParseInt(arg2, 0));
  if (command == "count") return Count();
  if (command == "rows") return Rows(ParseInt(arg1, 0), ParseInt(arg2, -1));
  if (command == "columns") return Columns();
  if (command == "window") return Window();
  if (command == "desktop") return Desktop();
  if (command == "close") return Close(ParseInt(arg1, 10000));
  if (command == "post" && arg3)
    return Post(static_cast<UINT>(ParseInt(arg1, 0)), static_cast<WPARAM>(ParseInt(arg2, 0)),
                static_cast<LPARAM>(ParseInt(arg3, 0)));
  if (command == "popups") return Popups();
  if (command == "missed") return Missed(arg1 && std::string(arg1) == "ok");
  if (command == "controls" && arg1) return Controls(arg1);
  if (command == "focus") return Focus();
  if (command == "snooze" && arg1) return SnoozePopup(ParseInt(arg1, -1));
  if (command == "memory") return Memory();
  if (command == "bare-memory") return BareWindowMemory(arg1);
  if (command == "menu-keys" && arg1) {
    std::vector<int> keys;
    for (int i = 3; i < argc; ++i) keys.push_back(ParseInt(argv[i], 0));
    return MenuKeys(ParseInt(arg1, 0), keys);
  }
  if (command == "dialogs") return Dialogs(ParseInt(arg1, -1));
  if (command == "warning") return ShutdownWarning(ParseInt(arg1, -1));
  if (command == "any-dialogs") return Dialogs(ParseInt(arg1, -1), true);
  if (command == "hung-window" && arg1) return HungWindow(ParseInt(arg1, 0));
  if (command == "wait-dialogs" && arg1) return WaitDialogs(ParseInt(arg1, 0));
  if (command == "select" && arg1) return Select(ParseInt(arg1, -1));
  Usage();
  return 2;
}
