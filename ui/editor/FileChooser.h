// The file chooser of the task editor: the system's file-open dialog with its default options (no
// filter, no title of its own). It keeps the chosen file's full name and its initial folder from
// one run to the next.
#pragma once

#include <windows.h>

#include <string>

class FileChooser {
 public:
  std::string fileName;       // full path, cp1251; the dialog starts in its folder when it has one
  std::string initialFolder;  // where the dialog starts when fileName names no folder

  enum class Choice {
    Cancelled,
    Chosen,           // fileName holds the file
    NameNotStorable,  // neither its name nor a short name fits code page 1251; fileName is kept
  };
  // Shows the dialog owned by `owner`.
  Choice Show(HWND owner);
};
