// The running program's own path, and a chosen file's path as Data.ini keeps it (cp1251).
#pragma once

#include <shlobj.h>

#include <optional>
#include <string>

// `path` made full against the current folder; as given when that cannot be had.
std::wstring FullPath(const std::wstring& path);

// The full path of the running executable; empty when the system cannot tell.
std::wstring ExecutablePath();

// One of the user's folders that the shell names (FOLDERID_Startup, FOLDERID_RoamingAppData),
// without a final backslash; empty when the shell cannot tell.
std::wstring KnownFolderPath(REFKNOWNFOLDERID folder);

// A path as Data.ini stores a chosen file: in code page 1251. One that the code page cannot
// spell is given by its short (8.3) form when the file system keeps one, so the file can still
// be opened; nothing when neither fits.
std::optional<std::string> ToProgramPathExactly(const std::wstring& path);
