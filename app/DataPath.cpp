#include "app/DataPath.h"

#include "core/PathParts.h"
#include "win32/Paths.h"
#include "win32/Text.h"
#include "win32/Win32FileOps.h"

DataLocation ChooseDataLocationOfThisCopy() {
  Win32FileOps files;
  const std::wstring roaming = KnownFolderPath(FOLDERID_RoamingAppData);
  return ChooseDataLocation(files, ToUtf8(FolderPart(std::wstring_view(ExecutablePath()))),
                            roaming.empty() ? std::string() : ToUtf8(roaming) + "\\Vornakel\\");
}
