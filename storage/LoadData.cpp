// LoadData: Data.ini read once, indexed once, and every value taken by the reading rules.
#include <algorithm>
#include <charconv>
#include <string_view>

#include "core/IntConversion.h"
#include "core/RowTexts.h"
#include "core/TextEncodings.h"
#include "core/Texts.h"
#include "storage/DataFile.h"
#include "storage/IniIndex.h"

namespace {

// More tasks than anybody keeps; a larger count is a damaged file, not a reason to allocate.
constexpr int32_t kMaxTasks = 1'000'000;

// Reads the values of one section at a time. The first value that is not a whole number stops
// the reading: that key and every later one leave their fields as they were.
class ValueReader {
 public:
  explicit ValueReader(const IniIndex& index) : index_(index) {}

  // False when the file has no section of that name (every key then takes its default).
  bool EnterSection(std::string_view name) { return (section_ = index_.FindSection(name)); }

  bool Failed() const { return !error_.empty(); }
  const std::string& Error() const { return error_; }

  void Int(std::string_view key, int32_t missing, int32_t& field) {
    if (Failed()) return;
    const auto value = index_.Find(section_, key);
    if (!value) {
      field = missing;
      return;
    }
    if (const auto number = StrToInt32(*value))
      field = *number;
    else
      error_ = NotAValidIntegerText(*value);
  }

  // The 16-bit last-run words keep the low 16 bits of the number.
  void Word(std::string_view key, int32_t missing, uint16_t& field) {
    int32_t number = 0;
    Int(key, missing, number);
    if (!Failed()) field = static_cast<uint16_t>(static_cast<uint32_t>(number) & 0xFFFFu);
  }

  // Set exactly when the value's first character is "1".
  void Flag(std::string_view key, bool missing, bool& field) {
    if (Failed()) return;
    const auto value = index_.Find(section_, key);
    field = value ? (!value->empty() && value->front() == '1') : missing;
  }

  // Empty when missing.
  void Text(std::string_view key, std::string& field) {
    if (Failed()) return;
    const auto value = index_.Find(section_, key);
    field.assign(value ? *value : std::string_view());
  }

  // A message: each byte 0x01 stands for a line break, CR LF.
  void Message(std::string_view key, std::string& field) {
    if (Failed()) return;
    const std::string_view value = index_.Find(section_, key).value_or(std::string_view());
    field.clear();
    // Each 0x01 takes two bytes: reserved exactly, the string never grows to twice its size.
    field.reserve(value.size() +
                  static_cast<size_t>(std::count(value.begin(), value.end(), '\x01')));
    for (char c : value) {
      if (c == '\x01')
        field += "\r\n";
      else
        field += c;
    }
  }

 private:
  const IniIndex& index_;
  const IniIndex::Section* section_ = nullptr;
  std::string error_;
};

void ReadSettings(ValueReader& reader, Settings& settings, const WorkAreaRect& workArea,
                  std::optional<LocalMoment>& seen) {
  reader.EnterSection("SETTINGS");
  reader.Int("WinW", 718, settings.windowWidth);
  reader.Int("WinH", 538, settings.windowHeight);
  // Centred on the work area; integer division truncates toward zero.
  reader.Int("WinX", workArea.right / 2 - settings.windowWidth / 2, settings.windowLeft);
  reader.Int("WinY", workArea.bottom / 2 - settings.windowHeight / 2, settings.windowTop);
  reader.Flag("WinS", true, settings.startWithWindows);
  reader.Flag("Tray", true, settings.useTray);
  reader.Flag("WinMax", false, settings.maximised);
  reader.Flag("SMin", false, settings.startHidden);
  reader.Text("LastOD", settings.lastFileFolder);
  reader.Int("Ln0", 33, settings.columnWidths[0]);
  reader.Int("Ln1", 230, settings.columnWidths[1]);
  reader.Int("Ln2", 210, settings.columnWidths[2]);
  reader.Int("Ln3", 130, settings.columnWidths[3]);
  reader.Int("Ln4", 107, settings.columnWidths[4]);
  reader.Int("TasksN", 0, settings.taskCount);
  reader.Int("Snooze", kDefaultSnoozeMinutes, settings.snoozeMinutes);
  reader.Int("SnoozeN", 0, settings.snoozedCount);
  reader.Text("LastSD", settings.lastSoundFolder);
  // Missing (an older file) or not a moment: nothing was missed.
  std::string seenText;
  reader.Text("Seen", seenText);
  seen = ParseDueText(seenText);
}

// A file of a version before the sound choice gives the melody, played once.
void ReadSoundChoice(ValueReader& reader, SoundChoice& choice) {
  reader.Text("SndF", choice.file);
  reader.Flag("Rpt", false, choice.repeat);
}

// One put-off reminder; one whose moment is not a real one is dropped without a word (it must
// never keep the program from starting).
void ReadSnoozed(ValueReader& reader, int32_t n, std::vector<SnoozedReminder>& pending) {
  char name[24] = "SNOOZE";
  const char* end = std::to_chars(name + 6, name + sizeof name, n).ptr;
  reader.EnterSection(std::string_view(name, static_cast<size_t>(end - name)));
  std::string due;
  SnoozedReminder reminder;
  reader.Text("Due", due);
  reader.Message("Mom", reminder.moment);
  reader.Message("Tex", reminder.message);
  reader.Flag("Snd", false, reminder.sound);
  ReadSoundChoice(reader, reminder.soundChoice);
  if (const auto moment = ParseDueText(due)) {
    reminder.due = *moment;
    InsertByDue(pending, std::move(reminder));
  }
}

// A rule no kind allows is left to `Mod`, as an older version would read the task; so is a warning
// out of range.
void ReadRule(ValueReader& reader, Task& task) {
  RepeatRule rule;
  reader.Int("Kind", PlainRule, rule.kind);
  reader.Int("N", 0, rule.every);
  reader.Int("Days", 0, rule.weekdays);
  reader.Int("Till", 86399, rule.tillSecond);
  if (RuleIsValid(rule)) task.rule = rule;
  reader.Int("Pre", 0, task.warnMinutes);
  if (task.warnMinutes < 0 || task.warnMinutes > 1440) task.warnMinutes = 0;
}

// A task's missing date is today's, its missing last run today at 09:00:00. False when the file
// has no section for the task.
bool ReadTask(ValueReader& reader, int32_t n, const SystemTime& today, Task& task) {
  char name[24] = "TASK";
  const char* end = std::to_chars(name + 4, name + sizeof name, n).ptr;
  if (!reader.EnterSection(std::string_view(name, static_cast<size_t>(end - name)))) return false;

  reader.Int("Mod", EveryDay, task.recurrence);
  int32_t ssec = 0;
  reader.Int("Ssec", 9 * 3600, ssec);
  task.SetSecondOfDay(ssec);
  reader.Int("Year", today.year, task.year);
  reader.Int("Mon", today.month, task.month);
  reader.Int("Day", today.day, task.day);
  reader.Int("Stat", StatusActive, task.status);
  reader.Text("FN", task.fileName);
  reader.Message("Tex", task.message);
  reader.Flag("Del", false, task.deleteAfter);
  reader.Flag("NM", true, task.showMessage);
  reader.Flag("Ex", false, task.runFile);
  reader.Flag("OFF", false, task.shutDown);
  reader.Flag("Snd", true, task.beep);
  reader.Word("PrevY", today.year, task.lastRun.year);
  reader.Word("PrevM", today.month, task.lastRun.month);
  reader.Word("PrevD", today.day, task.lastRun.day);
  reader.Word("PrevH", 9, task.lastRun.hour);
  reader.Word("PrevMin", 0, task.lastRun.minute);
  reader.Word("PrevS", 0, task.lastRun.second);
  reader.Word("PrevMS", 0, task.doneThisPeriod);
  ReadSoundChoice(reader, task.soundChoice);
  reader.Flag("Wake", false, task.wake);
  ReadRule(reader, task);
  return true;
}

// The name of a section "TASKn" (any letter case, n in decimal) that the count does not cover:
// n at or beyond `count`, or written with a leading zero, which no task's section has. The one
// of the lowest number, if there is one.
std::optional<std::string_view> TaskSectionBeyond(const IniIndex& index, int32_t count) {
  std::optional<std::string_view> found;
  int64_t foundNumber = 0;
  index.ForEachSectionName([&](std::string_view name) {
    if (name.size() < 5 || name.size() > 14) return;
    for (size_t i = 0; i < 4; ++i)
      if ((name[i] | 0x20) != "task"[i]) return;
    const std::optional<uint64_t> digits = ParseDigits(name.substr(4), INT64_MAX);
    if (!digits) return;
    const auto number = static_cast<int64_t>(*digits);
    const bool leadingZero = name.size() > 5 && name[4] == '0';
    if ((number >= count || leadingZero) && (!found || number < foundNumber)) {
      found = name;
      foundNumber = number;
    }
  });
  return found;
}

}  // namespace

std::optional<std::string> LoadData(Store& store, Platform& platform,
                                    const std::function<void()>& applySettings,
                                    const std::string& startFrom) {
  Settings& settings = store.settings;
  const std::string& source = startFrom.empty() ? store.dataPath : startFrom;
  const SystemTime today = platform.LocalTime();

  // A missing file reads as an empty one: every key takes its default. One that exists but
  // cannot be read (held open by another program) must not load as an empty list, which the
  // next save would write over the user's tasks.
  std::optional<std::string> content = platform.Files().ReadAll(source);
  if (!content && platform.Files().Exists(source)) return CannotOpenFileText(source);
  // A file saved in Unicode (with a byte-order mark) is read as text all the same.
  const std::string text = FileTextAsCp1251(std::move(content).value_or(std::string()));
  const IniIndex index(text);
  ValueReader reader(index);

  ReadSettings(reader, settings, platform.WorkArea(), store.seen);
  if (reader.Failed()) return reader.Error();
  if (applySettings) applySettings();
  if (settings.taskCount < 0 || settings.taskCount > kMaxTasks)
    return std::string(kRangeCheckError);
  // Tasks the count leaves unread would be lost by the next save: the file is left alone.
  if (const auto beyond = TaskSectionBeyond(index, settings.taskCount))
    return TaskBeyondCountText(source, *beyond, settings.taskCount);

  store.tasks.clear();
  store.rows.Clear();
  store.tasks.reserve(static_cast<size_t>(settings.taskCount));
  store.rows.Reserve(static_cast<size_t>(settings.taskCount));
  for (int32_t n = 0; n < settings.taskCount; ++n) {
    Task& task = store.tasks.emplace_back();
    task.id = store.NewId();
    const bool found = ReadTask(reader, n, today, task);
    if (!found || reader.Failed()) {
      // Keep the list's one row per task: the half-read task goes. A file cut short must never
      // load as empty tasks that the next save would write over the user's.
      store.tasks.pop_back();
      return found ? reader.Error() : TaskSectionMissingText(source, n, settings.taskCount);
    }
    MakeLive(store, n, RowUpdate::Append);
  }
  store.snoozed.clear();
  const int32_t snoozed = std::clamp(settings.snoozedCount, 0, kMaxTasks);
  for (int32_t n = 0; n < snoozed; ++n) ReadSnoozed(reader, n, store.snoozed);
  return std::nullopt;
}
