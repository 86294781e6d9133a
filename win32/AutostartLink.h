// The shortcut to the program in the user's Startup folder, which starts it with Windows. It
// exists exactly while the start-with-Windows option is on.
#pragma once

#include <functional>
#include <string>

// One string value of the current user's "Shell Folders" key, environment variables expanded;
// empty when the key or the value is missing. Kept for compatibility by Windows: only the
// fallback of StartupFolder.
std::wstring ReadShellFolder(const wchar_t* valueName);

// The current user's Startup folder, as the shell knows it (the known folder), or from the
// registry when the shell cannot tell; empty when neither can.
std::wstring StartupFolder();

// The shortcut's full name: the folder, a backslash and the executable's file name with its last
// extension replaced by ".lnk" (my.app.exe gives my.app.lnk). Empty when the folder is.
std::wstring AutostartLinkPath(const std::wstring& startupFolder, const std::wstring& exePath);

// The text of the error box when the shell link object cannot be created: the system's text for
// the code without its closing full stop, or "OLE error XXXXXXXX".
std::string OleErrorText(long code);

// Creates the shortcut (target `exePath`, working folder its folder with the trailing backslash)
// when `enabled` and it is missing, or rewrites one that starts another copy or works in another
// folder (the program was moved); deletes it when not `enabled` and present. With an empty
// folder nothing is done: the name would point at the root of the current drive. A step that
// fails (the link object, its target, its folder, the save) is reported through `reportError`
// and the rest is skipped. COM must be initialised on the calling thread.
void SyncAutostartLink(const std::wstring& startupFolder, const std::wstring& exePath, bool enabled,
                       const std::function<void(const std::string&)>& reportError);
