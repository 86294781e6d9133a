#include "storage/DataLocation.h"

#include "core/Texts.h"

namespace {

// Not the temporary file of a save: a copy of another session saving in the same folder keeps
// its own.
constexpr char kProbeName[] = "Data.ini.probe";

// A file can be made, written to the disk and removed there: what a save does to the folder.
bool CanWriteIn(FileOps& files, const std::string& folder) {
  const std::string probe = folder + kProbeName;
  std::unique_ptr<OutputFile> file = files.Create(probe);
  if (!file) return false;
  const bool closed = file->FlushAndClose();
  file.reset();
  return files.Remove(probe) && closed;
}

}  // namespace

DataLocation ChooseDataLocation(FileOps& files, const std::string& executableFolder,
                                const std::string& userFolder) {
  DataLocation location;
  const std::string besideExecutable = executableFolder + kDataFileName;
  if (userFolder.empty() || CanWriteIn(files, executableFolder)) {
    location.path = besideExecutable;
    return location;
  }
  location.path = userFolder + kDataFileName;
  // The user's own file, once there, is the data; the one beside the executable only starts it.
  if (!files.Exists(location.path) && files.Exists(besideExecutable))
    location.startFrom = besideExecutable;
  if (!files.CreateFolder(userFolder) || !CanWriteIn(files, userFolder))
    location.error = CannotCreateFileText(location.path);
  return location;
}
