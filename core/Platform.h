// What the core asks of the system. The Win32 build implements it; tests use a recording fake.
#pragma once

#include <string>

#include "core/FileOps.h"
#include "core/Task.h"

struct WorkAreaRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  virtual SystemTime LocalTime() = 0;
  // The primary screen without the taskbar.
  virtual WorkAreaRect WorkArea() = 0;

  // A Yes/No question box with the question-mark icon, owned by the main window.
  // Called without the table's lock held; true only for Yes.
  virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
  // The application's error box: stop icon, caption " Vornakel", the text with a full stop added.
  virtual void ShowError(const std::string& text) = 0;

  virtual FileOps& Files() = 0;

  // The row model has queued changes for the list control (may be called on any thread).
  virtual void RowsChanged() = 0;
};
