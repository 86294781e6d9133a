#include "ui/editor/EditorRecord.h"

#include <mutex>

#include "core/IntConversion.h"
#include "core/Schedule.h"
#include "core/Texts.h"

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
  Task record;
  std::string error;
  int32_t hour = 0, minute = 0, second = 0;
  if (!Convert(fields.hourText, hour, error) || !Convert(fields.minuteText, minute, error) ||
      !Convert(fields.secondText, second, error) || !Convert(fields.yearText, record.year, error))
    return {std::nullopt, error};

  record.SetTime(hour, minute, second);
  record.recurrence = fields.recurrenceIndex;
  record.message = fields.text;
  record.month = fields.monthIndex + 1;
  record.day = fields.dayIndex + 1;
  // A box that its recurrence or the shutdown box has disabled does not count for these two...
  record.deleteAfter = fields.deleteChecked && fields.deleteEnabled;
  record.runFile = fields.runFileChecked && fields.runFileEnabled && !fields.fileField.empty();
  // ...while these keep their checked state, so a shutdown task may still carry its message and
  // beep.
  record.shutDown = fields.shutDownChecked;
  record.showMessage = fields.showMessageChecked;
  record.beep = fields.beepChecked;
  record.fileName = fields.fileName;
  record.soundChoice = {
      fields.soundFile,
      fields.repeatChecked && RepeatAllowed(fields.showMessageChecked, fields.beepChecked)};
  record.wake = fields.wakeChecked;
  return {std::move(record), {}};
}

void WriteEditorRecord(Task& task, const Task& record) {
  task.recurrence = record.recurrence;
  task.message = record.message;
  task.SetTime(record.hour, record.minute, record.second);
  task.year = record.year;
  task.month = record.month;
  task.day = record.day;
  task.deleteAfter = record.deleteAfter;
  task.shutDown = record.shutDown;
  task.showMessage = record.showMessage;
  task.beep = record.beep;
  task.runFile = record.runFile;
  task.fileName = record.fileName;
  task.soundChoice = record.soundChoice;
  task.wake = record.wake;
}

CommitResult CommitEditor(Store& store, uint64_t editedTaskId, const EditorFields& fields,
                          const SystemTime& now) {
  ConvertedFields converted = ConvertEditorFields(fields);
  if (!converted.record)
    return {CommitResult::Outcome::NotANumber, 0, -1, std::move(converted.error)};

  std::lock_guard lock(store.mutex);
  if (editedTaskId == 0) {
    Task task;
    task.armed = false;  // the add command arms it once its row exists
    task.doneThisPeriod = 0;
    task.status = StatusActive;
    task.id = store.NewId();
    WriteEditorRecord(task, *converted.record);
    SkipMomentBeforeSaving(task, now);
    store.tasks.push_back(std::move(task));
    const int index = static_cast<int>(store.tasks.size()) - 1;
    return {CommitResult::Outcome::Written, store.tasks.back().id, index, {}};
  }

  const int index = store.IndexOf(editedTaskId);
  if (index < 0) return {CommitResult::Outcome::TaskGone, editedTaskId, -1, {}};
  Task& task = store.tasks[static_cast<size_t>(index)];
  const bool becomesActive = task.status == StatusDone || task.status == StatusDoneToday;
  const bool movedWhileActive = task.status == StatusActive && !SameMoment(task, *converted.record);
  if (becomesActive) task.status = StatusActive;
  task.doneThisPeriod = 0;
  WriteEditorRecord(task, *converted.record);
  if (becomesActive || movedWhileActive) SkipMomentBeforeSaving(task, now);
  return {CommitResult::Outcome::Written, task.id, index, {}};
}
