#include "app/DataPath.h"

#include "core/PathParts.h"
#include "win32/Paths.h"

std::string DataPathBesideExecutable() {
  return ToProgramPath(FolderPart(std::wstring_view(ExecutablePath()))) + "Data.ini";
}
