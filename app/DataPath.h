// Where this copy keeps Data.ini (see storage/DataLocation.h).
#pragma once

#include "storage/DataLocation.h"

// Beside the running executable where its folder can be written, else in the user's
// "%APPDATA%\Vornakel\"; the paths in UTF-8, so that a folder named in any script is kept exactly.
DataLocation ChooseDataLocationOfThisCopy();
