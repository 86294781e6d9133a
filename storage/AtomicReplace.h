// Replacing a file whole, so that a failure at any step leaves the old file as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/FileOps.h"

// The temporary file that a replace of `target` writes first, in the same folder.
std::string TemporaryPathFor(const std::string& target);

// Writes `bytes` to a temporary file beside `target`, forces them to the disk and moves the
// temporary file over `target` in one step. A read-only target is refused before anything is
// touched, as Windows would refuse it. Returns the failure's text ("Cannot create file <target>"
// or "Stream write error"); the temporary file is then removed and `target` is unchanged.
std::optional<std::string> ReplaceFileAtomically(FileOps& files, const std::string& target,
                                                 std::string_view bytes);
