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
  int32_t modeIndex = 0;
  std::string text;  // the memo's whole text, lines joined by CR LF
  std::string hourText;
  std::string minuteText;
  std::string secondText;
  std::string yearText;
  int32_t monthIndex = 0;
  int32_t dayIndex = 0;
  bool deleteChecked = false;
  bool deleteEnabled = false;
  bool shutDownChecked = false;
  bool showMessageChecked = false;
  bool soundChecked = false;
  bool runFileChecked = false;
  bool runFileEnabled = false;
  std::string fileField;  // the name shown beside the run-file box
  std::string fileName;   // the file chooser's full path
};

// The task fields that OK writes, every number already converted.
struct EditorRecord {
  int32_t recurrence = EveryDay;
  std::string message;
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
  int32_t year = 0;
  int32_t month = 0;
  int32_t day = 0;
  bool deleteAfter = false;
  bool shutDown = false;
  bool showMessage = false;
  bool beep = false;
  bool runFile = false;
  std::string fileName;
};

// Converts the hour, minute, second and year fields, in that order; the first that is not a
// whole number gives its error text (without the full stop the error box adds) and no record.
struct ConvertedFields {
  std::optional<EditorRecord> record;
  std::string error;
};
ConvertedFields ConvertEditorFields(const EditorFields& fields);

// Writes the record's fields into the task, Ssec included.
void WriteEditorRecord(Task& task, const EditorRecord& record);

// Button1Click's work on the table. `tag` is the editor's Tag: -1 appends a new task (Armed 0,
// PrevMS 0, Status 1, a fresh identity); an index means an edit, and the task written is the
// one with `editedTaskId`, wherever it stands now (the checker may have deleted tasks before it
// while the editor was open). A done or done-for-today task becomes active; PrevMS becomes 0.
// Every field is converted before the table is touched, so a field that is not a whole number
// leaves the table as it was. Takes the store's lock.
struct CommitResult {
  enum class Outcome {
    Written,
    NotANumber,  // `error` holds the conversion's text; nothing was changed
    TaskGone,    // the edited task no longer exists; nothing was changed
  };
  Outcome outcome = Outcome::TaskGone;
  uint64_t taskId = 0;  // the task written
  int index = -1;       // its index when it was written
  std::string error;
};
CommitResult CommitEditor(Store& store, int32_t tag, uint64_t editedTaskId,
                          const EditorFields& fields);
