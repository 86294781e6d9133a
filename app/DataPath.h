// Where Data.ini lives: beside the running executable.
#pragma once

#include <string>

// The executable's folder with its trailing backslash, followed by "Data.ini", in UTF-8: a
// folder named in any script is kept exactly.
std::string DataPathBesideExecutable();
