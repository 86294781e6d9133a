#include "bench/PosixFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

class PosixOutput : public OutputFile {
 public:
  explicit PosixOutput(int fd) : fd_(fd) {}
  ~PosixOutput() override {
    if (fd_ >= 0) close(fd_);
  }
  PosixOutput(const PosixOutput&) = delete;
  PosixOutput& operator=(const PosixOutput&) = delete;

  size_t Write(std::string_view bytes) override {
    const ssize_t n = write(fd_, bytes.data(), bytes.size());
    return n < 0 ? 0 : static_cast<size_t>(n);
  }

  bool FlushAndClose() override {
    const bool synced = fsync(fd_) == 0;
    const bool closed = close(fd_) == 0;
    fd_ = -1;
    return synced && closed;
  }

 private:
  int fd_;
};

}  // namespace

// As the program reads Data.ini: its size, then the whole file in one read call.
std::optional<std::string> PosixFiles::ReadAll(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  std::optional<std::string> bytes;
  if (fstat(fd, &info) == 0) {
    bytes.emplace(static_cast<size_t>(info.st_size), '\0');
    size_t total = 0;
    while (total < bytes->size()) {
      const ssize_t n = read(fd, bytes->data() + total, bytes->size() - total);
      if (n < 0) {
        bytes.reset();
        break;
      }
      if (n == 0) break;  // the file shrank meanwhile
      total += static_cast<size_t>(n);
    }
    if (bytes) bytes->resize(total);
  }
  close(fd);
  return bytes;
}

bool PosixFiles::Exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

bool PosixFiles::IsReadOnly(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0;
}

std::unique_ptr<OutputFile> PosixFiles::Create(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixOutput>(fd);
}

bool PosixFiles::Replace(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool PosixFiles::Remove(const std::string& path) { return unlink(path.c_str()) == 0; }

bool PosixFiles::CreateFolder(const std::string& path) {
  struct stat info {};
  return mkdir(path.c_str(), 0755) == 0 ||
         (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
}

std::string DiskPath() {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir ? dir : "/tmp") + "/vornakel_bench_" + std::to_string(getpid()) +
         "_Data.ini";
}
