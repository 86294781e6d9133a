#include "ui/editor/EditorRecord.h"

#include <mutex>

#include "core/IntConversion.h"
#include "core/Schedule.h"
#include "core/Texts.h"
#include "ui/editor/RuleFields.h"
#include "ui/editor/TimeFields.h"

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

// Converts a field kept within lowest..highest as its change handler keeps it.
bool ConvertBounded(const std::string& text, int32_t lowest, int32_t highest, int32_t& target,
                    std::string& error) {
  const NumberFieldValue value = NormaliseBoundedField(text, lowest, highest);
  if (!value.valid) error = value.error;
  target = value.position;
  return value.valid;
}

// The rule controls the recurrence item uses, converted; the others keep their starting values.
bool ConvertRuleControls(const EditorFields& fields, RuleControls& controls, std::string& error) {
  controls.listIndex = fields.recurrenceIndex;
  controls.weekdayBoxes = fields.weekdayBoxes;
  controls.weekOfMonthIndex = fields.weekOfMonthIndex;
  controls.weekdayIndex = fields.weekdayIndex;
  const RuleLayout layout = RuleLayoutFor(fields.recurrenceIndex);
  if (layout.every &&
      !ConvertBounded(fields.everyText, 1, layout.everyHighest, controls.every, error))
    return false;
  if (!layout.till) return true;
  int32_t hour = 0, minute = 0, second = 0;
  if (!ConvertBounded(fields.tillHourText, 0, kHourHighest, hour, error) ||
      !ConvertBounded(fields.tillMinuteText, 0, kMinuteHighest, minute, error) ||
      !ConvertBounded(fields.tillSecondText, 0, kMinuteHighest, second, error))
    return false;
  controls.tillSecond = SecondOfDay(hour, minute, second);
  return true;
}

}  // namespace

ConvertedFields ConvertEditorFields(const EditorFields& fields) {
  Task record;
  std::string error;
  int32_t hour = 0, minute = 0, second = 0;
  RuleControls ruleControls;
  if (!Convert(fields.hourText, hour, error) || !Convert(fields.minuteText, minute, error) ||
      !Convert(fields.secondText, second, error) || !Convert(fields.yearText, record.year, error) ||
      !ConvertRuleControls(fields, ruleControls, error) ||
      !ConvertBounded(fields.warnText, 0, kWarnHighest, record.warnMinutes, error))
    return {std::nullopt, error};

  record.SetTime(hour, minute, second);
  record.rule = RuleOfControls(ruleControls);
  if (!RuleIsValid(record.rule)) return {std::nullopt, {}, true};
  // A rule's recurrence for older versions is set as the task is saved.
  record.recurrence = IsRuleItem(fields.recurrenceIndex) ? EveryDay : fields.recurrenceIndex;
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
  task.ForgetQuiet();
  task.recurrence = record.recurrence;
  task.rule = record.rule;
  task.warnMinutes = record.warnMinutes;
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
  if (converted.noWeekday) return {CommitResult::Outcome::NoWeekday, 0, -1, {}};
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
  if (becomesActive || movedWhileActive)
    SkipMomentBeforeSaving(task, now);
  else  // a rule's recurrence and day for older versions, as the task now stands
    KeepOlderRecurrence(task, now);
  return {CommitResult::Outcome::Written, task.id, index, {}};
}
