#include "win32/AutostartLink.h"

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/PathParts.h"
#include "win32/Handles.h"
#include "win32/Paths.h"
#include "win32/SystemTexts.h"
#include "win32/Text.h"

namespace {

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Whether the shortcut `link`, as loaded into `shellLink`, starts `exePath` in `folder`.
bool StartsThisCopy(IShellLinkW& shellLink, IPersistFile& file, const std::wstring& link,
                    const std::wstring& exePath, const std::wstring& folder) {
  if (FAILED(file.Load(link.c_str(), STGM_READ))) return false;
  wchar_t target[MAX_PATH] = {};
  wchar_t directory[MAX_PATH] = {};
  if (FAILED(shellLink.GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) ||
      FAILED(shellLink.GetWorkingDirectory(directory, MAX_PATH)))
    return false;
  return SamePath(target, exePath) && SamePath(directory, folder);
}

}  // namespace

std::wstring ReadShellFolder(const wchar_t* valueName) {
  // Read access is all a lookup needs; a user without write rights on the key still gets it.
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER,
                    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                    KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
    return {};
  const UniqueRegistryKey key(opened);
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key.get(), valueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return {};
  std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                       &bytes) != ERROR_SUCCESS)
    return {};
  // The stored value need not end with its zero.
  buffer[std::min(bytes / sizeof(wchar_t), buffer.size() - 1)] = L'\0';
  if (type != REG_EXPAND_SZ) return buffer.data();
  const DWORD needed = ExpandEnvironmentStringsW(buffer.data(), nullptr, 0);
  if (needed == 0) return {};
  std::wstring expanded(needed, L'\0');
  const DWORD length = ExpandEnvironmentStringsW(buffer.data(), expanded.data(), needed);
  if (length == 0 || length > needed) return {};
  expanded.resize(length - 1);  // without the terminating zero
  return expanded;
}

std::wstring StartupFolder() {
  const std::wstring folder = KnownFolderPath(FOLDERID_Startup);
  return folder.empty() ? ReadShellFolder(L"Startup") : folder;
}

std::wstring AutostartLinkPath(const std::wstring& startupFolder, const std::wstring& exePath) {
  if (startupFolder.empty()) return {};
  std::wstring name = NamePart(std::wstring_view(exePath));
  if (const size_t dot = name.rfind(L'.'); dot != std::wstring::npos) name.resize(dot);
  std::wstring folder = startupFolder;
  if (folder.back() != L'\\') folder += L'\\';
  return folder + name + L".lnk";
}

std::string OleErrorText(long code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", length);
  if (buffer) LocalFree(buffer);
  // The error box adds its own full stop.
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  if (!text.empty()) return ToCp1251(text);
  char fallback[32];
  std::snprintf(fallback, sizeof fallback, kOleErrorFormat, static_cast<unsigned long>(code));
  return fallback;
}

void SyncAutostartLink(const std::wstring& startupFolder, const std::wstring& exePath, bool enabled,
                       const std::function<void(const std::string&)>& reportError) {
  const std::wstring link = AutostartLinkPath(startupFolder, exePath);
  if (link.empty()) return;
  const bool exists = FileExists(link);
  if (!enabled) {
    // A shortcut that cannot be deleted is tried again at the next start.
    if (exists) DeleteFileW(link.c_str());
    return;
  }
  const auto failed = [&](HRESULT result) {
    if (SUCCEEDED(result)) return false;
    if (reportError) reportError(OleErrorText(result));
    return true;
  };

  // The wide interface: the paths are the system's own UTF-16, whatever the ANSI code page.
  ComPtr<IShellLinkW> shellLink;
  if (failed(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                              IID_IShellLinkW, shellLink.out())))
    return;
  ComPtr<IPersistFile> file;
  if (failed(shellLink->QueryInterface(IID_IPersistFile, file.out()))) return;
  const std::wstring folder = FolderPart(std::wstring_view(exePath));
  if (exists && StartsThisCopy(*shellLink.get(), *file.get(), link, exePath, folder)) return;
  if (failed(shellLink->SetPath(exePath.c_str())) ||
      failed(shellLink->SetWorkingDirectory(folder.c_str())) ||
      failed(file->Save(link.c_str(), TRUE)))
    return;
}
