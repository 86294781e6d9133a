// Where Data.ini lives. Beside the executable wherever that folder can be written, so that a
// copy carried on a stick or unpacked from a zip keeps its tasks with it; where it cannot (an
// installation under Program Files, a read-only share) in the user's own folder for the
// program, which the first start there fills from the file beside the executable.
#pragma once

#include <optional>
#include <string>

#include "core/FileOps.h"

struct DataLocation {
  std::string path;       // the file every save writes
  std::string startFrom;  // read at start instead of `path`; empty: `path` itself
  // The user's folder cannot be written: said once at start; the program goes on, and each save
  // reports its own failure as for any file that cannot be written.
  std::optional<std::string> error;
};

// The file name of the program's data.
inline constexpr char kDataFileName[] = "Data.ini";

// Decided once at start by creating and removing a file in `executableFolder`, so every copy in
// that folder decides alike. `userFolder` (created when missing) may be empty when the system
// names none; the data then stays beside the executable. Both folders end in a separator.
DataLocation ChooseDataLocation(FileOps& files, const std::string& executableFolder,
                                const std::string& userFolder);
