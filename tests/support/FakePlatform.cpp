#include "tests/support/FakePlatform.h"

#include <algorithm>

#include "core/PathParts.h"

namespace {

class MemoryOutput : public OutputFile {
 public:
  MemoryOutput(MemoryFiles& owner, std::string path) : owner_(owner), path_(std::move(path)) {}

  size_t Write(std::string_view bytes) override {
    std::string& content = owner_.files[path_].bytes;
    const size_t room = owner_.writeLimit > content.size() ? owner_.writeLimit - content.size() : 0;
    const size_t n = std::min(room, bytes.size());
    content.append(bytes.substr(0, n));
    owner_.log.push_back("write " + path_ + " " + std::to_string(n));
    return n;
  }

  bool FlushAndClose() override {
    owner_.log.push_back("flush " + path_);
    return !owner_.failFlush;
  }

 private:
  MemoryFiles& owner_;
  std::string path_;
};

}  // namespace

std::optional<std::string> MemoryFiles::ReadAll(const std::string& path) {
  auto it = files.find(path);
  if (it == files.end() || failRead) return std::nullopt;
  return it->second.bytes;
}

bool MemoryFiles::IsReadOnly(const std::string& path) {
  auto it = files.find(path);
  return it != files.end() && it->second.readOnly;
}

std::unique_ptr<OutputFile> MemoryFiles::Create(const std::string& path) {
  log.push_back("create " + path);
  if (failCreate || IsReadOnly(path) || readOnlyFolders.count(FolderPart(path))) return nullptr;
  files[path].bytes.clear();
  return std::make_unique<MemoryOutput>(*this, path);
}

bool MemoryFiles::Replace(const std::string& from, const std::string& to) {
  log.push_back("replace " + from + " " + to);
  auto it = files.find(from);
  if (failReplace || it == files.end() || IsReadOnly(to)) return false;
  files[to].bytes = it->second.bytes;
  files.erase(from);
  return true;
}

bool MemoryFiles::Remove(const std::string& path) {
  log.push_back("remove " + path);
  return files.erase(path) > 0;
}

bool MemoryFiles::CreateFolder(const std::string& path) {
  const std::string parent = FolderPart(std::string_view(path).substr(0, path.size() - 1));
  return folders.count(path) || (!readOnlyFolders.count(parent) && folders.insert(path).second);
}

bool FakePlatform::AskYesNo(const std::string& text, const std::string& caption) {
  questions.push_back(caption + "|" + text);
  if (onQuestion) onQuestion();
  return answerYes;
}

SystemTime FakePlatform::LocalTime() {
  std::lock_guard<std::mutex> guard(clockMutex);
  return now;
}

void FakePlatform::WaitTick() {
  ++ticks;
  if (onTick) onTick();
}

void FakePlatform::Beep(uint32_t frequency, uint32_t milliseconds) {
  actions.push_back("beep " + std::to_string(frequency) + " " + std::to_string(milliseconds));
  if (onEffect) onEffect();
}

void FakePlatform::OpenFile(const std::string& fileName, const std::string& folder) {
  actions.push_back("open " + fileName + "|" + folder);
  if (onEffect) onEffect();
}

void FakePlatform::PostReminder(const std::string& momentText, const std::string& message,
                                bool sound, const SoundChoice& soundChoice, uint64_t reminder) {
  actions.push_back("reminder " + momentText + "|" + message);
  reminderSounds.push_back(sound);
  reminderChoices.push_back(soundChoice);
  reminderNumbers.push_back(reminder);
}

void FakePlatform::StartSound(uint64_t reminder, const SoundChoice& choice) {
  actions.push_back("sound " + std::to_string(reminder) + " " + choice.file +
                    (choice.repeat ? "|repeat" : ""));
}

void FakePlatform::ShutDownComputer() { actions.push_back("shutdown"); }

void FakePlatform::ReportError(const std::string& text) { actions.push_back("error " + text); }

void FakePlatform::PostMissed(std::vector<MissedReminder> missed) {
  actions.push_back("missed " + std::to_string(missed.size()));
  missedLists.push_back(std::move(missed));
}
