#include "app/DataPath.h"

#include <windows.h>

#include "win32/Text.h"

namespace {

std::wstring ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

std::wstring ShortPath(const std::wstring& path) {
  const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) return {};
  std::wstring shortPath(needed, L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), needed);
  if (length == 0 || length >= needed) return {};
  shortPath.resize(length);
  return shortPath;
}

}  // namespace

std::string DataPathBesideExecutable() {
  std::wstring exe = ExecutablePath();
  const size_t slash = exe.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"" : exe.substr(0, slash + 1);
  bool lossless = true;
  std::string narrow = ToCp1251(folder, &lossless);
  if (!lossless) {
    const std::wstring shortFolder = ShortPath(folder);
    bool shortLossless = true;
    std::string shortNarrow = ToCp1251(shortFolder, &shortLossless);
    if (!shortFolder.empty() && shortLossless) narrow = std::move(shortNarrow);
  }
  return narrow + "Data.ini";
}
