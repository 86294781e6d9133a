#include "win32/Text.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace {

constexpr UINT kCyrillicCodePage = 1251;

int ClampedLength(size_t length) { return static_cast<int>(std::min<size_t>(length, INT_MAX)); }

}  // namespace

std::wstring ToWide(std::string_view cp1251) {
  if (cp1251.empty()) return {};
  const int length = ClampedLength(cp1251.size());
  std::wstring wide(static_cast<size_t>(length), L'\0');
  const int written =
      MultiByteToWideChar(kCyrillicCodePage, 0, cp1251.data(), length, wide.data(), length);
  wide.resize(static_cast<size_t>(std::max(written, 0)));
  return wide;
}

std::string ToCp1251(std::wstring_view wide, bool* lossless) {
  if (lossless) *lossless = true;
  if (wide.empty()) return {};
  const int length = ClampedLength(wide.size());
  // Without this flag the system maps a missing character to a similar one and reports no loss.
  constexpr DWORD kExactOnly = WC_NO_BEST_FIT_CHARS;
  const int needed = WideCharToMultiByte(kCyrillicCodePage, kExactOnly, wide.data(), length,
                                         nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string narrow(static_cast<size_t>(needed), '\0');
  BOOL usedDefault = FALSE;
  WideCharToMultiByte(kCyrillicCodePage, kExactOnly, wide.data(), length, narrow.data(), needed,
                      "?", &usedDefault);
  if (lossless) *lossless = !usedDefault;
  return narrow;
}

size_t ToWideInto(std::string_view cp1251, wchar_t* buffer, size_t capacity) {
  if (!buffer || capacity == 0) return 0;
  const int length = ClampedLength(std::min(cp1251.size(), capacity - 1));
  const int written =
      length > 0 ? MultiByteToWideChar(kCyrillicCodePage, 0, cp1251.data(), length, buffer, length)
                 : 0;
  const size_t end = static_cast<size_t>(std::max(written, 0));
  buffer[end] = L'\0';
  return end;
}

std::string ToUtf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length = ClampedLength(wide.size());
  const int needed =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string utf8(static_cast<size_t>(needed), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), needed, nullptr, nullptr);
  return utf8;
}

std::wstring FromUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int length = ClampedLength(utf8.size());
  const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<size_t>(needed), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), needed);
  return wide;
}
