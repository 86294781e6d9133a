#include "win32/Paths.h"

#include <windows.h>

#include "win32/Text.h"

std::wstring FullPath(const std::wstring& path) {
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return path;
  full.resize(length);
  return full;
}

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

std::wstring KnownFolderPath(REFKNOWNFOLDERID folder) {
  wchar_t* path = nullptr;
  std::wstring found;
  if (SUCCEEDED(SHGetKnownFolderPath(folder, 0, nullptr, &path)) && path) found = path;
  CoTaskMemFree(path);
  return found;
}

namespace {

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

std::optional<std::string> ToProgramPathExactly(const std::wstring& path) {
  bool lossless = true;
  std::string narrow = ToCp1251(path, &lossless);
  if (lossless) return narrow;
  const std::wstring shortPath = ShortPath(path);
  std::string shortNarrow = ToCp1251(shortPath, &lossless);
  if (!shortPath.empty() && lossless) return shortNarrow;
  return std::nullopt;
}
