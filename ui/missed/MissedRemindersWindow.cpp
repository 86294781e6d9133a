#include "ui/missed/MissedRemindersWindow.h"

#include <iterator>
#include <string>

#include "ui/shared/DialogFrame.h"
#include "ui/shared/DpiScale.h"
#include "ui/shared/ReportList.h"
#include "ui/shared/WindowTexts.h"
#include "win32/CommonControls.h"
#include "win32/Dpi.h"
#include "win32/Fonts.h"
#include "win32/Text.h"

namespace {

// Above other programs' windows, without a taskbar button of its own, like a popup.
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr ScaledPlace kListPlace{4, 4, 632, 199};
constexpr ScaledPlace kOkPlace{265, 209, 110, 25};
// The columns' widths at 96 dots per inch: the moment, the count, the message, the actions.
constexpr int kColumnWidths[] = {150, 50, 190, 235};
static_assert(std::size(kColumnWidths) == std::size(kMissedColumnCaptions));

}  // namespace

void MissedRemindersWindow::Show(const std::vector<MissedReminder>& rows) {
  if (!hwnd_) {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    dpi_ = MonitorDpi(MonitorFromPoint({area.left, area.top}, MONITOR_DEFAULTTOPRIMARY));
    const SIZE size = FrameForClient(ScaleToDpi(kClientWidth, dpi_),
                                     ScaleToDpi(kClientHeight, dpi_), kStyle, kExStyle, dpi_);
    const int left = (area.left + area.right - size.cx) / 2;
    const int top = (area.top + area.bottom - size.cy) / 2;
    if (!CreateBound(kExStyle, kClassName, ToWide(kMissedCaption).c_str(), kStyle, left, top,
                     size.cx, size.cy, nullptr))
      return;
  }
  for (const MissedReminder& row : rows) AddRow(row);
  // The keyboard stays where the user is typing.
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT MissedRemindersWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // clang-format off
  switch (message) {
    case WM_CREATE: return OnCreate() ? 0 : -1;
    case WM_DPICHANGED: return OnDpiChanged(wParam, lParam);
    case WM_COMMAND:
      if (LOWORD(wParam) == kOkId) Destroy();
      return 0;
    case WM_CLOSE: Destroy(); return 0;
    case WM_DESTROY: list_ = ok_ = nullptr; return 0;
    default: return DefaultHandling(message, wParam, lParam);
  }
  // clang-format on
}

bool MissedRemindersWindow::OnCreate() {
  int widths[std::size(kColumnWidths)];
  for (size_t column = 0; column < std::size(widths); ++column)
    widths[column] = ScaleToDpi(kColumnWidths[column], dpi_);
  list_ = CreateReportList(hwnd_, WS_BORDER | LVS_SHOWSELALWAYS, 0, kMissedColumnCaptions, widths);
  ok_ = CreateWindowExW(0, L"BUTTON", ToWide(kOkButton).c_str(),
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOkId)),
                        GetModuleHandleW(nullptr), nullptr);
  if (!list_ || !ok_) return false;
  PlaceChildren();
  return true;
}

void MissedRemindersWindow::OnDensityChanged(int previousDpi) {
  for (int column = 0; column < static_cast<int>(std::size(kColumnWidths)); ++column) {
    const int width = static_cast<int>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, column, 0));
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, column,
                 MAKELPARAM(ScaleToDpi(UnscaleFromDpi(width, previousDpi), dpi_), 0));
  }
  PlaceChildren();
}

void MissedRemindersWindow::PlaceChildren() {
  UniqueFont font = CreatePixelFont(L"Arial", 15, true, dpi_);
  for (HWND child : {list_, ok_})
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  font_ = std::move(font);
  MoveToPlace(list_, kListPlace, dpi_);
  MoveToPlace(ok_, kOkPlace, dpi_);
}

void MissedRemindersWindow::AddRow(const MissedReminder& row) {
  const int at = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
  const std::string count = MissedCountText(row);
  const std::wstring cells[] = {ToWide(MissedMomentText(row.last)),
                                count.empty() ? std::wstring() : kTimesSign + ToWide(count),
                                ToWide(row.message), ToWide(row.actions)};
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = at;
  item.pszText = const_cast<wchar_t*>(cells[0].c_str());
  SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  for (int column = 1; column < static_cast<int>(std::size(cells)); ++column) {
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(cells[column].c_str());
    SendMessageW(list_, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&item));
  }
}
