#include "bench/PosixFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

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

std::optional<std::string> PosixFiles::ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
