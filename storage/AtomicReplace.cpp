#include "storage/AtomicReplace.h"

#include <memory>

#include "core/Texts.h"

namespace {

bool WriteAll(OutputFile& file, std::string_view bytes) {
  while (!bytes.empty()) {
    const size_t written = file.Write(bytes);
    if (written == 0 || written > bytes.size()) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

std::string TemporaryPathFor(const std::string& target) { return target + ".tmp"; }

std::optional<std::string> ReplaceFileAtomically(FileOps& files, const std::string& target,
                                                 std::string_view bytes) {
  // Some systems let a privileged user replace a read-only file; the attribute is honoured here
  // so the program behaves the same everywhere.
  if (files.IsReadOnly(target)) return CannotCreateFileText(target);

  const std::string temporary = TemporaryPathFor(target);
  std::unique_ptr<OutputFile> file = files.Create(temporary);
  if (!file) return CannotCreateFileText(target);

  const bool written = WriteAll(*file, bytes) && file->FlushAndClose();
  file.reset();  // closed before it is removed or moved
  if (!written) {
    files.Remove(temporary);
    return std::string(kStreamWriteError);
  }
  if (!files.Replace(temporary, target)) {
    files.Remove(temporary);
    return CannotCreateFileText(target);
  }
  return std::nullopt;
}
