// The few file operations that reading and safely replacing Data.ini need.
// Paths are UTF-8, so that any name the file system allows is kept exactly (the contents of
// Data.ini are code page 1251, its path need not be); the Win32 build converts them to UTF-16 at
// the system call.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class OutputFile {
 public:
  virtual ~OutputFile() = default;  // closes the file if still open
  // Bytes actually written; fewer than asked means the disk refused the rest.
  virtual size_t Write(std::string_view bytes) = 0;
  // Forces the bytes to the disk and closes the file.
  virtual bool FlushAndClose() = 0;
};

class FileOps {
 public:
  virtual ~FileOps() = default;
  // The whole file, or nothing when it does not exist or cannot be read.
  virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
  // Hands the whole file to `use` while its bytes are at hand, without a copy where the system
  // can map the file; false (and `use` not called) when it does not exist or cannot be read.
  virtual bool ReadInPlace(const std::string& path,
                           const std::function<void(std::string_view)>& use) {
    const std::optional<std::string> bytes = ReadAll(path);
    if (bytes) use(*bytes);
    return bytes.has_value();
  }
  // True when something exists at the path, readable or not. Loading tells a missing file
  // (first start: defaults) from one it cannot read (locked: never start empty over it).
  virtual bool Exists(const std::string& path) = 0;
  // True when the file exists and carries the read-only attribute.
  virtual bool IsReadOnly(const std::string& path) = 0;
  // Creates (or truncates) a file for writing; null when that is refused.
  virtual std::unique_ptr<OutputFile> Create(const std::string& path) = 0;
  // Moves `from` over `to`, replacing it in one step and writing through to the disk.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // Creates the folder (its parent must exist); true when it exists afterwards.
  virtual bool CreateFolder(const std::string& path) = 0;
};
