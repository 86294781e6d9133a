// FileOps over a real POSIX file system, so the benchmarks can also time the disk.
#pragma once

#include <string>

#include "core/FileOps.h"
#include "tests/support/FakePlatform.h"

class PosixFiles : public FileOps {
 public:
  std::optional<std::string> ReadAll(const std::string& path) override;
  bool Exists(const std::string& path) override;
  // Read-only here means: the owner may not write it.
  bool IsReadOnly(const std::string& path) override;
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
};

// The fake platform with a real file in the temporary folder.
class DiskPlatform : public FakePlatform {
 public:
  PosixFiles disk;
  FileOps& Files() override { return disk; }
};

// A Data.ini of this process in the temporary folder.
std::string DiskPath();
