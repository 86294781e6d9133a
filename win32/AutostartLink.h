// The shortcut to the program in the user's Startup folder, which starts it with Windows. It
// exists exactly while the start-with-Windows option is on.
#pragma once

#include <functional>
#include <string>

// One string value of the current user's "Shell Folders" key; empty when the key or the value
// is missing.
std::wstring ReadShellFolder(const wchar_t* valueName);

// The shortcut's full name: the folder, a backslash and the executable's file name with its last
// extension replaced by ".lnk" (my.app.exe gives my.app.lnk). Empty when the folder is.
std::wstring AutostartLinkPath(const std::wstring& startupFolder, const std::wstring& exePath);

// The text of the error box when the shell link object cannot be created: the system's text for
// the code without its closing full stop, or "OLE error XXXXXXXX".
std::string OleErrorText(long code);

// Creates the shortcut (target `exePath`, working folder its folder with the trailing backslash)
// when `enabled` and it is missing, deletes it when not `enabled` and present; an existing
// shortcut is never rewritten. With an empty folder nothing is done: the name would point at the
// root of the current drive. A shell link object that cannot be created is reported through
// `reportError` and the rest is skipped. COM must be initialised on the calling thread.
void SyncAutostartLink(const std::wstring& startupFolder, const std::wstring& exePath, bool enabled,
                       const std::function<void(const std::string&)>& reportError);
