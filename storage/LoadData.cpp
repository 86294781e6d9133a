// LoadData: Data.ini read once, indexed once, and every value taken by the reading rules.
#include <charconv>
#include <string_view>

#include "storage/DataFile.h"
#include "storage/ErrorTexts.h"
#include "storage/IniIndex.h"
#include "core/IntConversion.h"
#include "core/RowTexts.h"

namespace {

// More tasks than anybody keeps; a larger count is a damaged file, not a reason to allocate.
constexpr int32_t kMaxTasks = 1'000'000;

// Reads the values of one section at a time. The first value that is not a whole number stops
// the reading: that key and every later one leave their fields as they were.
class ValueReader {
 public:
  explicit ValueReader(const IniIndex& index) : index_(index) {}

  void EnterSection(std::string_view name) { section_ = index_.FindSection(name); }

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
  void Flag(std::string_view key, bool missing, uint8_t& field) {
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
    field.reserve(value.size());
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

void ReadSettings(ValueReader& reader, TSreda& session, const WorkAreaRect& workArea) {
  reader.EnterSection("SETTINGS");
  reader.Int("WinW", 718, session.WinW);
  reader.Int("WinH", 538, session.WinH);
  // Centred on the work area; integer division truncates toward zero.
  reader.Int("WinX", workArea.right / 2 - session.WinW / 2, session.WinX);
  reader.Int("WinY", workArea.bottom / 2 - session.WinH / 2, session.WinY);
  reader.Flag("WinS", true, session.WinS);
  reader.Flag("Tray", true, session.Tray);
  reader.Flag("WinMax", false, session.WinMax);
  reader.Flag("SMin", false, session.SMin);
  reader.Text("LastOD", session.LastOD);
  reader.Int("Ln0", 33, session.Ln0);
  reader.Int("Ln1", 230, session.Ln1);
  reader.Int("Ln2", 210, session.Ln2);
  reader.Int("Ln3", 130, session.Ln3);
  reader.Int("Ln4", 107, session.Ln4);
  reader.Int("TasksN", 0, session.TasksN);
}

void ReadTask(ValueReader& reader, int32_t n, const TSreda& session, Ttask& task) {
  char name[24] = "TASK";
  const char* end = std::to_chars(name + 4, name + sizeof name, n).ptr;
  reader.EnterSection(std::string_view(name, static_cast<size_t>(end - name)));

  reader.Int("Mod", ModeDaily, task.Mode);
  int32_t ssec = 0;
  reader.Int("Ssec", 9 * 3600, ssec);
  task.SetSsec(ssec);
  reader.Int("Year", session.Year, task.Year);
  reader.Int("Mon", session.Month, task.Month);
  reader.Int("Day", session.Day, task.Day);
  reader.Int("Stat", StatusActive, task.Status);
  reader.Text("FN", task.FileName);
  reader.Message("Tex", task.Text);
  reader.Flag("Del", false, task.DeleteAfter);
  reader.Flag("NM", true, task.ShowMessage);
  reader.Flag("Ex", false, task.RunFile);
  reader.Flag("OFF", false, task.ShutDown);
  reader.Flag("Snd", true, task.Sound);
  reader.Word("PrevY", session.Year, task.PrevY);
  reader.Word("PrevM", session.Month, task.PrevM);
  reader.Word("PrevD", session.Day, task.PrevD);
  reader.Word("PrevH", session.Hour, task.PrevH);
  reader.Word("PrevMin", session.Minute, task.PrevMin);
  reader.Word("PrevS", session.Second, task.PrevS);
  reader.Word("PrevMS", 0, task.PrevMS);
}

}  // namespace

std::optional<std::string> LoadData(Store& store, Platform& platform,
                                    const std::function<void()>& applySettings) {
  TSreda& session = store.Session;
  const SystemTime today = platform.LocalTime();
  session.Year = today.wYear;
  session.Month = today.wMonth;
  session.Day = today.wDay;
  session.Hour = 9;
  session.Minute = 0;
  session.Second = 0;

  // A missing file reads as an empty one: every key takes its default. One that exists but
  // cannot be read (held open by another program) must not load as an empty list, which the
  // next save would write over the user's tasks.
  std::optional<std::string> content = platform.Files().ReadAll(store.DataPath);
  if (!content && platform.Files().Exists(store.DataPath)) return CannotOpenFileText(store.DataPath);
  const std::string text = std::move(content).value_or(std::string());
  const IniIndex index(text);
  ValueReader reader(index);

  ReadSettings(reader, session, platform.WorkArea());
  if (reader.Failed()) return reader.Error();
  if (applySettings) applySettings();
  if (session.TasksN < 0 || session.TasksN > kMaxTasks) return std::string(kRangeCheckError);

  store.Tasks.clear();
  store.Rows.Clear();
  store.Tasks.reserve(static_cast<size_t>(session.TasksN));
  store.Rows.Reserve(static_cast<size_t>(session.TasksN));
  for (int32_t n = 0; n < session.TasksN; ++n) {
    Ttask& task = store.Tasks.emplace_back();
    task.Id = store.NewId();
    ReadTask(reader, n, session, task);
    if (reader.Failed()) {
      // Keep the list's one row per task: the half-read task goes.
      store.Tasks.pop_back();
      return reader.Error();
    }
    BuildRow(store, n, true);
    task.Armed = 1;
  }
  return std::nullopt;
}
