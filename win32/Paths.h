// The running program's own path, and paths as the program keeps them (cp1251).
#pragma once

#include <optional>
#include <string>

// The full path of the running executable; empty when the system cannot tell.
std::wstring ExecutablePath();

// A path in code page 1251. One that the code page cannot spell is given by its short (8.3)
// form when the file system keeps one, so the file can still be opened; nothing when neither
// fits.
std::optional<std::string> ToProgramPathExactly(const std::wstring& path);
// The same, with the characters the code page lacks as "?" when neither fits.
std::string ToProgramPath(const std::wstring& path);
