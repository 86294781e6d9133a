#include "ui/editor/EditorRecord.h"

#include <mutex>

#include "storage/ErrorTexts.h"
#include "core/IntConversion.h"

namespace {

// Converts one field into `target`; false, with the error text, when it is not a whole number.
bool Convert(const std::string& text, int32_t& target, std::string& error) {
  const std::optional<int32_t> value = StrToInt32(text);
  if (!value) {
    error = NotAValidIntegerText(text);
    return false;
  }
  target = *value;
  return true;
}

}  // namespace

ConvertedFields ConvertEditorFields(const EditorFields& fields) {
  EditorRecord record;
  std::string error;
  if (!Convert(fields.hourText, record.Hour, error) ||
      !Convert(fields.minuteText, record.Minute, error) ||
      !Convert(fields.secondText, record.Second, error) ||
      !Convert(fields.yearText, record.Year, error))
    return {std::nullopt, error};

  record.Mode = fields.modeIndex;
  record.Text = fields.text;
  record.Month = fields.monthIndex + 1;
  record.Day = fields.dayIndex + 1;
  // A box that its mode or the shutdown box has disabled does not count for these two...
  record.DeleteAfter = fields.deleteChecked && fields.deleteEnabled;
  record.RunFile = fields.runFileChecked && fields.runFileEnabled && !fields.fileField.empty();
  // ...while these keep their checked state, so a shutdown task may still carry its message and
  // beep.
  record.ShutDown = fields.shutDownChecked;
  record.ShowMessage = fields.showMessageChecked;
  record.Sound = fields.soundChecked;
  record.FileName = fields.fileName;
  return {std::move(record), {}};
}

void WriteEditorRecord(Ttask& task, const EditorRecord& record) {
  task.Mode = record.Mode;
  task.Text = record.Text;
  task.Hour = record.Hour;
  task.Minute = record.Minute;
  task.Second = record.Second;
  task.Ssec = record.Hour * 3600 + record.Minute * 60 + record.Second;
  task.Year = record.Year;
  task.Month = record.Month;
  task.Day = record.Day;
  task.DeleteAfter = record.DeleteAfter;
  task.ShutDown = record.ShutDown;
  task.ShowMessage = record.ShowMessage;
  task.Sound = record.Sound;
  task.RunFile = record.RunFile;
  task.FileName = record.FileName;
}

CommitResult CommitEditor(Store& store, int32_t tag, uint64_t editedTaskId,
                          const EditorFields& fields) {
  ConvertedFields converted = ConvertEditorFields(fields);
  if (!converted.record)
    return {CommitResult::Outcome::NotANumber, 0, -1, std::move(converted.error)};

  std::lock_guard lock(store.Mutex);
  if (tag == -1) {
    Ttask task;
    task.Armed = 0;  // the add command arms it once its row exists
    task.PrevMS = 0;
    task.Status = StatusActive;
    task.Id = store.NewId();
    WriteEditorRecord(task, *converted.record);
    store.Tasks.push_back(std::move(task));
    const int index = static_cast<int>(store.Tasks.size()) - 1;
    return {CommitResult::Outcome::Written, store.Tasks.back().Id, index, {}};
  }

  const int index = tag >= 0 ? store.IndexOf(editedTaskId) : -1;
  if (index < 0) return {CommitResult::Outcome::TaskGone, editedTaskId, -1, {}};
  Ttask& task = store.Tasks[static_cast<size_t>(index)];
  if (task.Status == StatusDone || task.Status == StatusDoneToday) task.Status = StatusActive;
  task.PrevMS = 0;
  WriteEditorRecord(task, *converted.record);
  return {CommitResult::Outcome::Written, task.Id, index, {}};
}
