#include "ui/editor/FileChooser.h"

// clang-format off
#include <commdlg.h>
#include <cderr.h>
// clang-format on

#include <vector>

#include "win32/Paths.h"
#include "win32/SystemLibrary.h"
#include "win32/Text.h"

namespace {

// The common dialogs library costs megabytes of memory under some systems; it is loaded the first
// time a file is chosen, not at start-up, and stays loaded from then on.
struct CommonDialogs {
  decltype(&GetOpenFileNameW) getOpenFileName = nullptr;
  decltype(&CommDlgExtendedError) extendedError = nullptr;
};

const CommonDialogs& LoadCommonDialogs() {
  static const CommonDialogs functions = [] {
    CommonDialogs loaded;
    if (HMODULE library = LoadSystemLibrary(L"comdlg32.dll")) {
      loaded.getOpenFileName = reinterpret_cast<decltype(&GetOpenFileNameW)>(
          reinterpret_cast<void*>(GetProcAddress(library, "GetOpenFileNameW")));
      loaded.extendedError = reinterpret_cast<decltype(&CommDlgExtendedError)>(
          reinterpret_cast<void*>(GetProcAddress(library, "CommDlgExtendedError")));
    }
    return loaded;
  }();
  return functions;
}

}  // namespace

FileChooser::Choice FileChooser::Show(HWND owner) {
  const CommonDialogs& dialogs = LoadCommonDialogs();
  if (!dialogs.getOpenFileName || !dialogs.extendedError) return Choice::Cancelled;
  std::vector<wchar_t> file(32768, L'\0');
  ToWideInto(fileName, file.data(), file.size());
  const std::wstring initialDir = ToWide(initialFolder);
  std::wstring filter;  // each text ended by a zero, the whole by a second one
  for (const char* text : filter_) filter += ToWide(text) + L'\0';

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = 1;
  // The chosen folder must not become the program's current one: it would stay in use (a USB
  // stick could not be ejected) for as long as the program runs.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (mustExist_) dialog.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  if (!dialogs.getOpenFileName(&dialog)) {
    // A remembered name the dialog refuses (a folder since removed, say) must not lock the user
    // out of choosing: start again from the initial folder alone.
    if (dialogs.extendedError() != FNERR_INVALIDFILENAME) return Choice::Cancelled;
    file[0] = L'\0';
    if (!dialogs.getOpenFileName(&dialog)) return Choice::Cancelled;
  }
  // A name the program could not store would be started as "?" and silently fail.
  const std::optional<std::string> chosen = ToProgramPathExactly(file.data());
  if (!chosen) return Choice::NameNotStorable;
  fileName = *chosen;
  return Choice::Chosen;
}
