// Helpers of the Win32 tests: a private temporary folder and whole-file reads and writes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// A new empty folder under the system's temporary folder, removed with its files at the end.
class TestFolder {
 public:
  explicit TestFolder(const std::wstring& nameHint = L"vornakel");
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::wstring& Path() const { return path_; }  // with a trailing backslash
  std::wstring File(const std::wstring& name) const { return path_ + name; }
  // Names of the files in the folder, sorted.
  std::vector<std::wstring> FileNames() const;

 private:
  std::wstring path_;
};

bool WriteBytes(const std::wstring& path, const std::string& bytes);
std::optional<std::string> ReadBytes(const std::wstring& path);
