// Where Data.ini lives: beside the running executable.
#pragma once

#include <string>

// The executable's folder with its trailing backslash, followed by "Data.ini", as cp1251 text.
// A folder whose name code page 1251 cannot spell is given by its short (8.3) name when the
// file system keeps one.
std::string DataPathBesideExecutable();
