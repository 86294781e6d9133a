#include "ui/shared/ReportList.h"

#include <string>

#include "win32/CommonControls.h"
#include "win32/Text.h"

HWND CreateReportList(HWND parent, DWORD style, int controlId,
                      std::span<const char* const> captions, std::span<const int> widths) {
  const DWORD common =
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER;
  const HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", common | style, 0, 0, 0, 0, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                    GetModuleHandleW(nullptr), nullptr);
  if (!list) return nullptr;
  const DWORD extended = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  for (int column = 0; column < static_cast<int>(captions.size()); ++column) {
    std::wstring caption = ToWide(captions[static_cast<size_t>(column)]);
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
    info.fmt = LVCFMT_LEFT;
    info.cx = widths[static_cast<size_t>(column)];
    info.pszText = caption.data();
    info.iSubItem = column;
    SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
  }
  return list;
}
