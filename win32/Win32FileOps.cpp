#include "win32/Win32FileOps.h"

#include <windows.h>

#include <algorithm>

#include "win32/Handles.h"
#include "win32/Paths.h"
#include "win32/Text.h"

namespace {

// Virus scanners, indexers and sync tools open a freshly written file for a moment; a step
// refused for that is tried again for about a second before the failure is reported.
constexpr int kAttempts = 10;
constexpr DWORD kPauseMs = 100;

bool HeldByAnotherProgram(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
         error == ERROR_LOCK_VIOLATION;
}

// Access to a file that is not there is refused by its folder, which waiting does not change
// (a start in a folder that cannot be written would wait a second for nothing). A file being
// deleted while another program holds it answers "access denied" too.
bool HeldByAnotherProgram(DWORD error, const std::wstring& path) {
  if (error != ERROR_ACCESS_DENIED) return HeldByAnotherProgram(error);
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ||
         GetLastError() == ERROR_ACCESS_DENIED;
}

// Runs `step` until it succeeds, fails for another reason, or the attempts are spent; the
// last error stays that of the last attempt.
template <typename Step, typename Held>
auto RetriedWhile(Step step, Held held) {
  for (int attempt = 1;; ++attempt) {
    auto result = step();
    if (result || attempt == kAttempts || !held(GetLastError())) return result;
    Sleep(kPauseMs);
  }
}

template <typename Step>
auto RetriedWhileHeld(Step step) {
  return RetriedWhile(step, [](DWORD error) { return HeldByAnotherProgram(error); });
}

bool IsReadOnlyFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
         !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class Win32OutputFile : public OutputFile {
 public:
  explicit Win32OutputFile(UniqueHandle file) : file_(std::move(file)) {}

  size_t Write(std::string_view bytes) override {
    size_t total = 0;
    while (file_ && total < bytes.size()) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - total, 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file_.get(), bytes.data() + total, chunk, &written, nullptr) || written == 0)
        break;
      total += written;
    }
    return total;
  }

  bool FlushAndClose() override {
    if (!file_) return false;
    const bool flushed = FlushFileBuffers(file_.get()) != FALSE;
    const bool closed = CloseHandle(file_.release()) != FALSE;
    return flushed && closed;
  }

 private:
  UniqueHandle file_;
};

// The file opened for reading, sharing everything, with its size; null when either fails.
UniqueHandle OpenToRead(const std::string& path, uint64_t& size) {
  UniqueHandle file(CreateFileW(FromUtf8(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER bytes{};
  if (!file || !GetFileSizeEx(file.get(), &bytes) || bytes.QuadPart < 0) return UniqueHandle();
  size = static_cast<uint64_t>(bytes.QuadPart);
  return file;
}

}  // namespace

std::optional<std::string> Win32FileOps::ReadAll(const std::string& path) {
  uint64_t size = 0;
  const UniqueHandle file = OpenToRead(path, size);
  if (!file) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  size_t total = 0;
  while (total < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - total, 1u << 30));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + total, chunk, &read, nullptr)) return std::nullopt;
    if (read == 0) break;  // the file shrank meanwhile
    total += read;
  }
  bytes.resize(total);
  return bytes;
}

bool Win32FileOps::ReadInPlace(const std::string& path,
                               const std::function<void(std::string_view)>& use) {
  uint64_t size = 0;
  const UniqueHandle file = OpenToRead(path, size);
  if (!file) return false;
  // An empty file cannot be mapped; one too large for the address space is read as before.
  if (size == 0 || size > SIZE_MAX / 2) return FileOps::ReadInPlace(path, use);
  const UniqueHandle mapping(CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  const UniqueView view(mapping ? MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0) : nullptr);
  if (!view) return FileOps::ReadInPlace(path, use);
  use(std::string_view(static_cast<const char*>(view.get()), static_cast<size_t>(size)));
  return true;
}

bool Win32FileOps::Exists(const std::string& path) {
  return GetFileAttributesW(FromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileOps::IsReadOnly(const std::string& path) { return IsReadOnlyFile(FromUtf8(path)); }

std::unique_ptr<OutputFile> Win32FileOps::Create(const std::string& path) {
  const std::wstring wide = FromUtf8(path);
  if (IsReadOnlyFile(wide)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  UniqueHandle file = RetriedWhile(
      [&] {
        return UniqueHandle(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
      },
      [&](DWORD error) { return HeldByAnotherProgram(error, wide); });
  if (!file) return nullptr;
  return std::make_unique<Win32OutputFile>(std::move(file));
}

bool Win32FileOps::Replace(const std::string& from, const std::string& to) {
  // MoveFileEx needs full paths: a relative one is resolved against a directory that need not
  // be the one meant.
  const std::wstring target = FullPath(FromUtf8(to));
  if (IsReadOnlyFile(target)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  // A read-only Data.ini was refused above, at once: only a file held open is waited for.
  const std::wstring source = FullPath(FromUtf8(from));
  return RetriedWhileHeld([&] {
    return MoveFileExW(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  });
}

bool Win32FileOps::Remove(const std::string& path) {
  return DeleteFileW(FromUtf8(path).c_str()) != FALSE;
}

bool Win32FileOps::CreateFolder(const std::string& path) {
  const std::wstring wide = FromUtf8(path);
  if (CreateDirectoryW(wide.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
