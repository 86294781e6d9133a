// A task from the command line handed to the copy of the program that is already running
// (WM_COPYDATA): the editor's fields, the repeat rule and the warning as a small versioned
// record, so that the running copy adds it exactly as the editor's OK would.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/commandline/CommandLineTask.h"

// WM_COPYDATA's dwData for this record ("VKT" and 2). The record's first field is its version (4
// added the repeat rule and the warning): a copy of another version refuses the record, and its
// sender reports that nothing was added.
inline constexpr uintptr_t kTaskHandoverId = 0x564B5402;

// `deadline`: the sender's give-up moment on the system's millisecond tick; a copy that gets the
// record later refuses it, so that a sender that gave up never has its task added after all.
std::string EncodeTaskHandover(const CommandLineTask& task, uint64_t deadline = UINT64_MAX);
struct HandedOverTask {
  CommandLineTask task;
  uint64_t deadline = 0;
};
// Nothing for a record of another version or a damaged one, a rule no kind allows included.
std::optional<HandedOverTask> DecodeTaskHandover(std::string_view record);
