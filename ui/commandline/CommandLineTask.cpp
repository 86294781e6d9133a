#include "ui/commandline/CommandLineTask.h"

#include <string>

#include "ui/editor/RuleFields.h"

CommitResult AddCommandLineTask(Store& store, const CommandLineTask& task, const SystemTime& now) {
  // The rule and the warning as the editor's controls would hold them, so that OK's own path
  // writes the task.
  EditorFields fields = task.fields;
  if (task.rule.kind != PlainRule) {
    Task shown;
    shown.rule = task.rule;
    const RuleControls controls = ControlsOfTask(shown);
    fields.recurrenceIndex = controls.listIndex;
    fields.everyText = std::to_string(controls.every);
    fields.tillHourText = std::to_string(controls.tillSecond / 3600);
    fields.tillMinuteText = std::to_string(controls.tillSecond / 60 % 60);
    fields.tillSecondText = std::to_string(controls.tillSecond % 60);
    fields.weekdayBoxes = controls.weekdayBoxes;
    fields.weekOfMonthIndex = controls.weekOfMonthIndex;
    fields.weekdayIndex = controls.weekdayIndex;
  }
  fields.warnText = std::to_string(task.warnMinutes);
  return CommitEditor(store, 0, fields, now);
}
