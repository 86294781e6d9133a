// The texts the system layer shows itself, in code page 1251: the boxes of a failed shutdown, the
// buttons of the retry box and the name of an OLE error the system has no words for. The windows'
// texts are in ui/shared/WindowTexts.h, which win32 may not include.
#pragma once

// A failed shutdown step: this text in a box captioned with the failed call.
inline constexpr char kShutdownFailedText[] = "Exit Error";
inline constexpr char kOpenProcessTokenFailed[] = "OpenProcessToken() Failed";
inline constexpr char kLookupPrivilegeValueFailed[] = "LookupPrivilegeValue() Failed";
inline constexpr char kAdjustTokenPrivilegesFailed[] = "AdjustTokenPrivileges() Failed";

// The buttons of the box of a last save that failed, whatever the system's language.
inline constexpr char kRetryButton[] = "Повторить";
inline constexpr char kCancelRetryButton[] = "Отмена";

// The error's code in eight hexadecimal digits.
inline constexpr char kOleErrorFormat[] = "OLE error %.8lX";
