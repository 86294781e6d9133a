#include "app/DataPath.h"

#include "core/PathParts.h"
#include "win32/Paths.h"
#include "win32/Text.h"

std::string DataPathBesideExecutable() {
  return ToUtf8(FolderPart(std::wstring_view(ExecutablePath()))) + "Data.ini";
}
