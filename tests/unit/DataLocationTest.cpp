// Where Data.ini lives: beside the executable where that folder can be written, else in the
// user's folder for the program, started from the file beside the executable.
#include <gtest/gtest.h>

#include "storage/DataLocation.h"
#include "tests/support/FakePlatform.h"

TEST(DataLocation, BesideTheExecutableWhereItCanBeWrittenElseTheUsersFolder) {
  const std::string exe = "C:\\Program Files\\Vornakel\\", roaming = "C:\\Users\\a\\Roaming\\";
  const std::string user = roaming + "Vornakel\\", beside = exe + "Data.ini",
                    users = user + "Data.ini", refused = "Cannot create file " + users;
  const struct {
    const char* label;
    std::vector<std::string> files, readOnlyFolders;
    std::string userFolder, path, startFrom, error;
    bool userFolderAfter;
  } cases[] = {
      {"writable, a file in each", {beside, users}, {}, user, beside, "", "", true},
      {"writable, none", {}, {user}, user, beside, "", "", false},
      {"read-only, none", {}, {exe}, user, users, "", "", true},
      {"read-only, one beside", {beside}, {exe}, user, users, beside, "", true},
      {"read-only, the user's wins", {beside, users}, {exe}, user, users, "", "", true},
      {"the user's folder refuses", {beside}, {exe, user}, user, users, beside, refused, true},
      {"the user's folder cannot be made", {}, {exe, roaming}, user, users, "", refused, false},
      {"no user's folder known", {beside}, {exe}, "", beside, "", "", false},
  };
  for (const auto& c : cases) {
    MemoryFiles files;
    for (const std::string& path : c.files) files.files[path].bytes = path;
    if (files.files.count(users)) files.folders.insert(user);
    files.readOnlyFolders.insert(c.readOnlyFolders.begin(), c.readOnlyFolders.end());
    const auto before = files.files;

    const DataLocation location = ChooseDataLocation(files, exe, c.userFolder);
    EXPECT_EQ(location.path, c.path) << c.label;
    EXPECT_EQ(location.startFrom, c.startFrom) << c.label;
    EXPECT_EQ(location.error.value_or(""), c.error) << c.label;
    // No trial file is left, no data file touched, and the user's folder exists where it is used.
    EXPECT_EQ(files.files.size(), before.size()) << c.label;
    for (const auto& [path, entry] : before) EXPECT_EQ(files.files[path].bytes, path) << c.label;
    EXPECT_EQ(files.folders.count(user) == 1, c.userFolderAfter) << c.label;
  }
}
