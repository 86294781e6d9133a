// LoadData: Data.ini read in one pass over its lines, each task's value set on its field as its
// key is read (TaskSections.h); the settings and put-off reminders (a few sections) are taken by
// the same rules from their keys once their section is known whole.
#include <algorithm>
#include <array>
#include <string_view>

#include "core/IntConversion.h"
#include "core/RowTexts.h"
#include "core/TextEncodings.h"
#include "core/Texts.h"
#include "storage/DataFile.h"
#include "storage/DataFileKeys.h"
#include "storage/IniLines.h"
#include "storage/TaskSections.h"

namespace {

// More tasks than anybody keeps; a larger count is a damaged file, not a reason to allocate.
constexpr int32_t kMaxTasks = 1'000'000;

// The number n of a section named `prefix` and n in decimal (any letter case), n at most
// `highest`. `leadingZero` tells a number written with one, which no section of ours has.
std::optional<int64_t> SectionNumber(std::string_view name, std::string_view prefix,
                                     uint64_t highest, bool& leadingZero) {
  if (name.size() <= prefix.size()) return std::nullopt;
  for (size_t i = 0; i < prefix.size(); ++i)
    if ((name[i] | 0x20) != prefix[i]) return std::nullopt;
  const std::string_view digits = name.substr(prefix.size());
  const std::optional<uint64_t> number = ParseDigits(digits, highest);
  if (!number) return std::nullopt;
  leadingZero = digits.size() > 1 && digits[0] == '0';
  return static_cast<int64_t>(*number);
}

// The first key of each name in one section, for the settings and the put-off reminders, which
// take defaults from one another and are read in a fixed order.
struct SectionKeys {
  struct Slot {
    std::string_view value;
    bool found = false;
    bool hasValue = false;
  };
  std::array<Slot, KeyCount> slots;

  void Add(const IniLine& line) {
    const Key key = KeyNamed(line.name);
    if (key == KeyUnknown || slots[key].found) return;
    slots[key] = Slot{line.value, true, line.hasValue};
  }
};

// Reads the values of one section's keys. The first value that is not a whole number stops
// the reading: that key and every later one leave their fields as they were.
class SectionReader {
 public:
  explicit SectionReader(const SectionKeys& keys) : keys_(keys) {}

  bool Failed() const { return !error_.empty(); }
  const std::string& Error() const { return error_; }

  void Int(Key key, int32_t missing, int32_t& field) {
    if (Failed()) return;
    const auto value = Find(key);
    if (!value) {
      field = missing;
      return;
    }
    if (const auto number = StrToInt32(*value))
      field = *number;
    else
      error_ = NotAValidIntegerText(*value);
  }

  void Flag(Key key, bool missing, bool& field) {
    if (Failed()) return;
    const auto value = Find(key);
    field = value ? FlagValue(*value) : missing;
  }

  // Empty when missing.
  void Text(Key key, std::string& field) {
    if (Failed()) return;
    field.assign(Find(key).value_or(std::string_view()));
  }

  void Message(Key key, std::string& field) {
    if (Failed()) return;
    AssignMessage(Find(key).value_or(std::string_view()), field);
  }

 private:
  // The value trimmed and unquoted; nullopt when the key is missing or its line has no "=".
  std::optional<std::string_view> Find(Key key) const {
    const SectionKeys::Slot& slot = keys_.slots[key];
    if (!slot.hasValue) return std::nullopt;
    return Unquoted(slot.value);
  }

  const SectionKeys& keys_;
  std::string error_;
};

void ReadSettings(SectionReader& reader, Settings& settings, const WorkAreaRect& workArea,
                  std::optional<LocalMoment>& seen) {
  reader.Int(KeyWinW, 718, settings.windowWidth);
  reader.Int(KeyWinH, 538, settings.windowHeight);
  // Centred on the work area; integer division truncates toward zero.
  reader.Int(KeyWinX, workArea.right / 2 - settings.windowWidth / 2, settings.windowLeft);
  reader.Int(KeyWinY, workArea.bottom / 2 - settings.windowHeight / 2, settings.windowTop);
  reader.Flag(KeyWinS, true, settings.startWithWindows);
  reader.Flag(KeyTray, true, settings.useTray);
  reader.Flag(KeyWinMax, false, settings.maximised);
  reader.Flag(KeySMin, false, settings.startHidden);
  reader.Text(KeyLastOD, settings.lastFileFolder);
  reader.Int(KeyLn0, 33, settings.columnWidths[0]);
  reader.Int(KeyLn1, 230, settings.columnWidths[1]);
  reader.Int(KeyLn2, 210, settings.columnWidths[2]);
  reader.Int(KeyLn3, 130, settings.columnWidths[3]);
  reader.Int(KeyLn4, 107, settings.columnWidths[4]);
  reader.Int(KeyTasksN, 0, settings.taskCount);
  reader.Int(KeySnooze, kDefaultSnoozeMinutes, settings.snoozeMinutes);
  reader.Int(KeySnoozeN, 0, settings.snoozedCount);
  reader.Text(KeyLastSD, settings.lastSoundFolder);
  // Missing (an older file) or not a moment: nothing was missed.
  std::string seenText;
  reader.Text(KeySeen, seenText);
  seen = ParseDueText(seenText);
}

// One put-off reminder; one whose moment is not a real one is dropped without a word (it must
// never keep the program from starting). A file of a version before the sound choice gives the
// melody, played once.
void ReadSnoozed(const SectionKeys& keys, std::vector<SnoozedReminder>& pending) {
  SectionReader reader(keys);
  std::string due;
  SnoozedReminder reminder;
  reader.Text(KeyDue, due);
  reader.Message(KeyMom, reminder.moment);
  reader.Message(KeyTex, reminder.message);
  reader.Flag(KeySnd, false, reminder.sound);
  reader.Text(KeySndF, reminder.soundChoice.file);
  reader.Flag(KeyRpt, false, reminder.soundChoice.repeat);
  if (const auto moment = ParseDueText(due)) {
    reminder.due = *moment;
    InsertByDue(pending, std::move(reminder));
  }
}

// A section the pass passes over and comes back to: a task's met before the task count, or a
// put-off reminder's.
struct LaterSection {
  int64_t number;
  std::string_view name;
  std::string_view body;
};

// Where the line that holds `p` ends.
const char* LineEnd(const char* p, const char* end) {
  while (p < end && *p != '\r' && *p != '\n') ++p;
  return p;
}

bool IsSettingsName(std::string_view name) {
  constexpr std::string_view kSettings = "settings";
  if (name.size() != kSettings.size()) return false;
  for (size_t i = 0; i < name.size(); ++i)
    if (LowerCp1251(static_cast<unsigned char>(name[i])) != kSettings[i]) return false;
  return true;
}

// The one pass over the file.
class DataFileReader {
 public:
  DataFileReader(DataFileContents& contents, Platform& platform, std::string_view source,
                 std::string_view text)
      : contents_(contents),
        platform_(platform),
        source_(source),
        text_(text),
        today_(platform.LocalTime()) {}

  void Read() {
    ForEachIniLine(text_, [this](const IniLine& line) { Visit(line); });
    CloseSection(text_.data() + text_.size());
    if (!settingsRead_) ApplySettings();  // a file without settings takes the defaults
    if (error_) {
      contents_.error = error_;
      return;
    }
    if (beyond_) {
      contents_.error = TaskBeyondCountText(source_, *beyond_, contents_.settings.taskCount);
      return;
    }
    contents_.tasks = table_->Finish(source_, contents_.error);
    contents_.tasksRead = true;
    if (!contents_.error) ReadSnoozedSections();
  }

 private:
  enum class Current { Nothing, Settings, Task, Later };

  void Visit(const IniLine& line) {
    if (line.isSection) {
      CloseSection(line.start);
      EnterSection(line);
      return;
    }
    switch (current_) {
      case Current::Settings:
        settingsKeys_.Add(line);
        break;
      case Current::Task:
        table_->Add(currentNumber_, *currentTask_, line);
        break;
      default:
        break;
    }
  }

  // The section that ends where `end` begins is known whole.
  void CloseSection(const char* end) {
    if (current_ == Current::Later) {
      LaterSection& later = *laterOpen_;
      later.body =
          std::string_view(later.body.data(), static_cast<size_t>(end - later.body.data()));
    }
    if (current_ == Current::Settings && !ApplySettings()) stopped_ = true;
    current_ = Current::Nothing;
  }

  void EnterSection(const IniLine& line) {
    if (stopped_) return;
    const char* bodyStart = LineEnd(line.name.data(), text_.data() + text_.size());
    bool leadingZero = false;
    // As an older version names a task's section: "TASK" and at most ten digits.
    if (const auto n = line.name.size() <= 14
                           ? SectionNumber(line.name, "task", 9'999'999'999, leadingZero)
                           : std::nullopt) {
      if (leadingZero)
        NoteBeyond(*n, line.name);
      else if (!table_)
        Later(laterTasks_, *n, line.name, bodyStart);
      else
        EnterTask(*n, line.name);
      return;
    }
    if (const auto n = SectionNumber(line.name, "snooze", kMaxTasks, leadingZero)) {
      if (!leadingZero) Later(laterSnoozed_, *n, line.name, bodyStart);
      return;
    }
    if (!settingsSeen_ && IsSettingsName(line.name)) {
      settingsSeen_ = true;
      current_ = Current::Settings;
    }
  }

  void EnterTask(int64_t n, std::string_view name) {
    if (n >= contents_.settings.taskCount) {
      NoteBeyond(n, name);
      return;
    }
    currentTask_ = table_->Enter(n);
    if (!currentTask_) return;  // a repeated section is ignored whole
    currentNumber_ = n;
    current_ = Current::Task;
  }

  void Later(std::vector<LaterSection>& sections, int64_t n, std::string_view name,
             const char* bodyStart) {
    sections.push_back({n, name, std::string_view(bodyStart, 0)});
    laterOpen_ = &sections.back();
    current_ = Current::Later;
  }

  // Tasks the count leaves unread would be lost by the next save: the lowest such section is
  // named.
  void NoteBeyond(int64_t n, std::string_view name) {
    if (beyond_ && beyondNumber_ <= n) return;
    beyond_ = name;
    beyondNumber_ = n;
  }

  // False when the settings stop the load (error_ then says why).
  bool ApplySettings() {
    settingsRead_ = true;
    Settings& settings = contents_.settings;
    SectionReader reader(settingsKeys_);
    ReadSettings(reader, settings, platform_.WorkArea(), contents_.seen);
    if (reader.Failed()) {
      error_ = reader.Error();
      return false;
    }
    contents_.settingsValid = true;
    if (settings.taskCount < 0 || settings.taskCount > kMaxTasks) {
      error_ = std::string(kRangeCheckError);
      return false;
    }
    table_.emplace(settings.taskCount, today_);
    // The tasks' sections met before the count, in the order they came.
    for (const LaterSection& later : laterTasks_) {
      if (later.number >= settings.taskCount) {
        NoteBeyond(later.number, later.name);
        continue;
      }
      Task* task = table_->Enter(later.number);
      if (!task) continue;
      ForEachIniLine(later.body, [&](const IniLine& line) {
        if (!line.isSection) table_->Add(later.number, *task, line);
      });
    }
    laterTasks_.clear();
    return true;
  }

  void ReadSnoozedSections() {
    const int32_t count = std::clamp(contents_.settings.snoozedCount, 0, kMaxTasks);
    // The first section of each number counts.
    std::stable_sort(
        laterSnoozed_.begin(), laterSnoozed_.end(),
        [](const LaterSection& a, const LaterSection& b) { return a.number < b.number; });
    int64_t last = -1;
    for (const LaterSection& later : laterSnoozed_) {
      if (later.number >= count) break;
      if (later.number == last) continue;
      last = later.number;
      SectionKeys keys;
      ForEachIniLine(later.body, [&](const IniLine& line) {
        if (!line.isSection) keys.Add(line);
      });
      ReadSnoozed(keys, contents_.snoozed);
    }
  }

  DataFileContents& contents_;
  Platform& platform_;
  std::string_view source_;
  std::string_view text_;
  SystemTime today_;

  Current current_ = Current::Nothing;
  bool settingsSeen_ = false;
  bool settingsRead_ = false;
  bool stopped_ = false;
  std::optional<std::string> error_;
  SectionKeys settingsKeys_;
  std::optional<TaskTable> table_;  // once the task count is known
  Task* currentTask_ = nullptr;
  int64_t currentNumber_ = 0;
  std::vector<LaterSection> laterTasks_;
  std::vector<LaterSection> laterSnoozed_;
  LaterSection* laterOpen_ = nullptr;
  std::optional<std::string_view> beyond_;
  int64_t beyondNumber_ = 0;
};

}  // namespace

std::optional<std::string> LoadData(Store& store, Platform& platform,
                                    const std::function<void()>& applySettings,
                                    const std::string& startFrom) {
  const std::string& source = startFrom.empty() ? store.dataPath : startFrom;
  return TakeDataFile(store, ReadDataFile(platform, source, store.settings, store.seen),
                      applySettings);
}

DataFileContents ReadDataFile(Platform& platform, const std::string& source, Settings settings,
                              std::optional<LocalMoment> seen) {
  DataFileContents contents;
  contents.settings = std::move(settings);
  contents.seen = seen;
  const auto read = [&](std::string_view bytes) {
    // A file saved in Unicode (with a byte-order mark) is read as text all the same.
    const std::optional<std::string> decoded = UnicodeFileAsCp1251(bytes);
    DataFileReader(contents, platform, source, decoded ? *decoded : bytes).Read();
  };
  if (platform.Files().ReadInPlace(source, read)) return contents;
  // A missing file reads as an empty one: every key takes its default. One that exists but
  // cannot be read (held open by another program) must not load as an empty list, which the
  // next save would write over the user's tasks.
  if (platform.Files().Exists(source)) {
    contents.error = CannotOpenFileText(source);
    return contents;
  }
  read({});
  return contents;
}

std::optional<std::string> TakeDataFile(Store& store, DataFileContents contents,
                                        const std::function<void()>& applySettings) {
  store.settings = std::move(contents.settings);
  store.seen = contents.seen;
  if (contents.settingsValid && applySettings) applySettings();
  if (!contents.tasksRead) return contents.error;
  store.tasks = std::move(contents.tasks);
  store.rows.Clear();
  for (size_t n = 0; n < store.tasks.size(); ++n) {
    store.tasks[n].id = store.NewId();
    MakeLive(store, static_cast<int>(n), RowUpdate::Append);
  }
  if (contents.error) {
    store.NewId();  // the half-read task's, as when it was read on its own
    return contents.error;
  }
  store.snoozed = std::move(contents.snoozed);
  return std::nullopt;
}
