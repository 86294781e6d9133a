// The file operations of Data.ini through the wide API. Paths arrive as UTF-8, which
// holds any file name exactly.
//
// A read-only file is neither truncated nor replaced, whatever the user's privileges: Windows
// refuses both for an ordinary user, and the program behaves the same for an administrator.
#pragma once

#include "core/FileOps.h"

class Win32FileOps : public FileOps {
 public:
  std::optional<std::string> ReadAll(const std::string& path) override;
  // A view of the file mapped for reading: its pages come from the system's file cache as they
  // are read, where a copy would first fill as many fresh pages of the heap.
  bool ReadInPlace(const std::string& path,
                   const std::function<void(std::string_view)>& use) override;
  bool Exists(const std::string& path) override;
  bool IsReadOnly(const std::string& path) override;
  // CREATE_ALWAYS, without sharing.
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
  // MoveFileExW(REPLACE_EXISTING | WRITE_THROUGH) on the full paths.
  bool Replace(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
};
