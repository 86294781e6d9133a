// Starting a task's file: the shell's "open" verb, in the file's own folder.
#include <gtest/gtest.h>

#include "tests/support/MessageBoxes.h"
#include "tests/support/TestFolder.h"
#include "win32/Text.h"
#include "win32/Win32Platform.h"

namespace {

TEST(OpenFile, StartsTheFileInItsOwnFolder) {
  TestFolder folder;
  const std::wstring script = folder.File(L"task.bat");
  // The batch file writes where it was started; a relative name lands in its working folder.
  ASSERT_TRUE(WriteBytes(script, "@echo started> started.txt\r\n"));
  Win32Platform platform;
  const std::string file = ToCp1251(script);
  platform.OpenFile(file, file.substr(0, file.find_last_of('\\') + 1));
  EXPECT_TRUE(PumpUntil([&] { return ReadBytes(folder.File(L"started.txt")).has_value(); },
                        std::chrono::seconds(20)));
}

}  // namespace
