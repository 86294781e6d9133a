// A task from the command line handed to the copy of the program that is already running
// (WM_COPYDATA): the editor's fields as a small versioned record, so that the running copy adds
// it exactly as the editor's OK would.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/editor/EditorRecord.h"

// WM_COPYDATA's dwData for this record ("VKT" and the version 2, which added the sound choice).
// A copy of another version refuses the record, and its sender reports that nothing was added.
inline constexpr uintptr_t kTaskHandoverId = 0x564B5402;

// `deadline`: the sender's give-up moment on the system's millisecond tick; a copy that gets the
// record later refuses it, so that a sender that gave up never has its task added after all.
std::string EncodeTaskHandover(const EditorFields& fields, uint64_t deadline = UINT64_MAX);
struct HandedOverTask {
  EditorFields fields;
  uint64_t deadline = 0;
};
// Nothing for a record of another version or a damaged one.
std::optional<HandedOverTask> DecodeTaskHandover(std::string_view record);
