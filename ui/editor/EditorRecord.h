// What the editor's OK writes into the task table: the controls' values converted, then a new
// record appended or the edited one rewritten.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/Store.h"
#include "core/Task.h"

// The editor's controls as OK finds them.
struct EditorFields {
  int32_t recurrenceIndex = 0;
  std::string text;  // the message field's whole text, lines joined by CR LF
  std::string hourText, minuteText, secondText, yearText;
  int32_t monthIndex = 0, dayIndex = 0;
  bool deleteChecked = false, deleteEnabled = false, shutDownChecked = false;
  bool showMessageChecked = false, beepChecked = false;
  bool runFileChecked = false, runFileEnabled = false;
  std::string fileField;  // the name shown beside the run-file box
  std::string fileName;   // the file chooser's full path
  std::string soundFile;  // the sound chooser's full path; empty for the melody
  bool repeatChecked = false;
  bool wakeChecked = false;
  // The repeat rules' controls, read for the recurrence items after "Единожды" (RuleFields.h):
  // N, the end of the day's moments, the weekday boxes as WeekdayBit, the week of the month and
  // its weekday by list index.
  std::string everyText = "1";
  std::string tillHourText = "23", tillMinuteText = "59", tillSecondText = "59";
  int32_t weekdayBoxes = 0;
  int32_t weekOfMonthIndex = 0, weekdayIndex = 0;
  std::string warnText = "0";  // "Напомнить заранее за", in minutes
};

// "Повторять до ответа" needs a popup to answer and a sound to repeat; the shutdown box, which
// greys both out, leaves their states and so this one alone.
constexpr bool RepeatAllowed(bool showMessage, bool sound) { return showMessage && sound; }

// Converts the hour, minute, second and year fields, then those of the rule that the recurrence
// item uses (N, the end time) and the warning, in that order; the first that is not a whole
// number gives its error text (without the full stop the error box adds) and no record. The rule's
// numbers are kept within their ranges as their fields keep them. Weekdays with no box checked
// give `noWeekday` and no record.
// The record holds the fields OK writes: recurrence, rule and warning, message, time (its second
// of the day too), date, actions, file and sound choice. For a rule its recurrence is still to be
// set for older versions (SkipMomentBeforeSaving, KeepOlderRecurrence).
struct ConvertedFields {
  std::optional<Task> record;
  std::string error;
  bool noWeekday = false;
};
ConvertedFields ConvertEditorFields(const EditorFields& fields);

// Writes the record's fields into the task, its second of the day included.
void WriteEditorRecord(Task& task, const Task& record);

// OK's work on the table at the local time `now`. `editedTaskId` 0 appends a new task (unarmed,
// active, a fresh identity); otherwise the task written is the one with that identity, wherever
// it stands now (the checker may have deleted tasks before it while the editor was open). A done
// or done-for-today task becomes active. A new task, one that becomes active, and an active one
// given another moment count only the moments after `now` (SkipMomentBeforeSaving); an active
// task keeping its moment keeps its state, and a paused one stays paused.
// Every field is converted before the table is touched, so a field that is not a whole number
// leaves the table as it was. Takes the store's lock.
struct CommitResult {
  enum class Outcome {
    Written,
    NotANumber,  // `error` holds the conversion's text; nothing was changed
    NoWeekday,   // weekdays chosen with no weekday; nothing was changed
    TaskGone,    // the edited task no longer exists; nothing was changed
  };
  Outcome outcome = Outcome::TaskGone;
  uint64_t taskId = 0;  // the task written
  int index = -1;       // its index when it was written
  std::string error;
};
CommitResult CommitEditor(Store& store, uint64_t editedTaskId, const EditorFields& fields,
                          const SystemTime& now);
