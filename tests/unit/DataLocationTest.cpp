// Where Data.ini lives: beside the executable where that folder can be written, else in the
// user's folder for the program, started from the file beside the executable.
#include <gtest/gtest.h>

#include "storage/DataLocation.h"
#include "tests/unit/DataFileFixture.h"

namespace {

const std::string kProgramFolder = "C:\\Program Files\\Vornakel\\";
const std::string kRoaming = "C:\\Users\\anya\\AppData\\Roaming\\";
const std::string kUserFolder = kRoaming + "Vornakel\\";
const std::string kBeside = kProgramFolder + "Data.ini";
const std::string kUsers = kUserFolder + "Data.ini";

enum Files { kNone = 0, kFileBeside = 1, kUsersFile = 2, kUserFolderThere = 4 };
enum ReadOnly { kWritable = 0, kProgram = 1, kUsersOwn = 2, kRoamingToo = 4 };

TEST(DataLocation, BesideTheExecutableWhereItCanBeWrittenElseTheUsersFolder) {
  const struct {
    const char* label;
    int files, readOnly;
    std::string userFolder, path, startFrom, error;
  } cases[] = {
      {"a writable folder keeps its file", kFileBeside | kUsersFile, kWritable, kUserFolder,
       kBeside, "", ""},
      {"a writable folder without a file", kNone, kUsersOwn, kUserFolder, kBeside, "", ""},
      {"read-only, nothing anywhere", kNone, kProgram, kUserFolder, kUsers, "", ""},
      {"read-only, the folder there", kUserFolderThere, kProgram, kUserFolder, kUsers, "", ""},
      {"read-only, a file beside starts it", kFileBeside, kProgram, kUserFolder, kUsers, kBeside,
       ""},
      {"the user's file wins", kFileBeside | kUsersFile | kUserFolderThere, kProgram, kUserFolder,
       kUsers, "", ""},
      {"the user's folder cannot be written", kFileBeside | kUserFolderThere, kProgram | kUsersOwn,
       kUserFolder, kUsers, kBeside, "Cannot create file " + kUsers},
      {"the user's folder cannot be made", kNone, kProgram | kRoamingToo, kUserFolder, kUsers, "",
       "Cannot create file " + kUsers},
      {"no user's folder known", kFileBeside, kProgram, "", kBeside, "", ""},
  };
  for (const auto& c : cases) {
    MemoryFiles files;
    if (c.files & kFileBeside) files.files[kBeside].bytes = "beside";
    if (c.files & kUsersFile) files.files[kUsers].bytes = "user's";
    if (c.files & (kUsersFile | kUserFolderThere)) files.folders.insert(kUserFolder);
    if (c.readOnly & kProgram) files.readOnlyFolders.insert(kProgramFolder);
    if (c.readOnly & kUsersOwn) files.readOnlyFolders.insert(kUserFolder);
    if (c.readOnly & kRoamingToo) files.readOnlyFolders.insert(kRoaming);
    const auto before = files.files;

    const DataLocation location = ChooseDataLocation(files, kProgramFolder, c.userFolder);
    EXPECT_EQ(location.path, c.path) << c.label;
    EXPECT_EQ(location.startFrom, c.startFrom) << c.label;
    EXPECT_EQ(location.error.value_or(""), c.error) << c.label;
    // The trial files are gone, and no data file was touched.
    EXPECT_EQ(files.files.size(), before.size()) << c.label;
    for (const auto& [path, entry] : before) EXPECT_EQ(files.files[path].bytes, entry.bytes);
    // The user's folder exists once the data lives there and it could be made.
    const bool made = c.path == kUsers && !(c.readOnly & kRoamingToo);
    const bool there = (c.files & (kUsersFile | kUserFolderThere)) != 0;
    EXPECT_EQ(files.folders.count(kUserFolder) == 1, made || there) << c.label;
  }
}

// The first start in the user's folder reads the file beside the executable, and every save
// writes the user's file; the one beside stays as it was. A fault in it is named by its path.
TEST_F(DataFileFixture, AStartFromAnotherFileSavesOnlyToTheDataPath) {
  const std::string beside =
      IniLines({"[SETTINGS]", "TasksN=1", "[TASK0]", "Tex=Позвонить", "Stat=2"});
  platform.files.files[kBeside].bytes = beside;
  ASSERT_EQ(LoadData(store, platform, {}, kBeside), std::nullopt);
  ASSERT_EQ(store.tasks.size(), 1u);
  EXPECT_EQ(store.tasks[0].message, "Позвонить");
  ASSERT_EQ(SaveData(store, platform), std::nullopt);
  EXPECT_EQ(platform.files.files[kBeside].bytes, beside);
  EXPECT_NE(FileBytes().find("Tex=Позвонить\r\nDel=0"), std::string::npos);

  platform.files.files[kBeside].bytes = IniLines({"[SETTINGS]", "TasksN=2", "[TASK0]"});
  EXPECT_EQ(LoadData(store, platform, {}, kBeside),
            "File " + kBeside + " lacks [TASK1] of its task count TasksN=2");
}

}  // namespace
