// A file chooser of the task editor: the system's file-open dialog, for the file to run with its
// default options (no filter, no title of its own), for the sound with a filter of its own. It
// keeps the chosen file's full name and its initial folder from one run to the next.
#pragma once

#include <windows.h>

#include <span>
#include <string>

class FileChooser {
 public:
  FileChooser() = default;
  // One that offers `filter`: descriptions each followed by its patterns ("*.wav"), the first
  // pair selected; with `mustExist`, only a file that exists can be chosen.
  FileChooser(std::span<const char* const> filter, bool mustExist)
      : filter_(filter), mustExist_(mustExist) {}

  std::string fileName;       // full path, cp1251; the dialog starts in its folder when it has one
  std::string initialFolder;  // where the dialog starts when fileName names no folder

  enum class Choice {
    Cancelled,
    Chosen,           // fileName holds the file
    NameNotStorable,  // neither its name nor a short name fits code page 1251; fileName is kept
  };
  // Shows the dialog owned by `owner`.
  Choice Show(HWND owner);

 private:
  std::span<const char* const> filter_;
  bool mustExist_ = false;
};
