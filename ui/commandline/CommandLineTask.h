// The task a command line asks for: the editor's choices for it, and the repeat rule and the
// warning before, which the command line names directly.
#pragma once

#include <cstdint>

#include "core/Store.h"
#include "core/Task.h"
#include "ui/editor/EditorRecord.h"

struct CommandLineTask {
  EditorFields fields;
  RepeatRule rule;          // PlainRule: `fields.recurrenceIndex` says how often
  int32_t warnMinutes = 0;  // 0..1440
};

// Appends the task as the editor's OK does for a new one with the same choices (CommitEditor).
CommitResult AddCommandLineTask(Store& store, const CommandLineTask& task, const SystemTime& now);
