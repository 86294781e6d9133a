// Saving through the real file system: Data.ini is replaced whole or not at all.
#include <gtest/gtest.h>

#include <thread>

#include "storage/DataFile.h"
#include "tests/support/TestFolder.h"
#include "tests/win32/TestPlatform.h"
#include "win32/Handles.h"
#include "win32/Text.h"

namespace {

const std::string kOldContent = "[SETTINGS]\r\nTasksN=0\r\nWinW=800\r\n";

class FileReplace : public testing::Test {
 protected:
  // A Cyrillic folder name: every path goes through the cp1251 conversion.
  TestFolder folder{L"Задачи"};
  std::wstring dataIni = folder.File(L"Data.ini");
  FixedClockPlatform platform;
  Store store;

  void SetUp() override {
    store.dataPath = ToUtf8(dataIni);
    Task task;
    task.message = "Позвонить\r\nв банк";
    task.SetSecondOfDay(30600);
    task.status = StatusActive;
    store.tasks.push_back(task);
  }

  std::optional<std::string> Save() {
    std::lock_guard lock(store.mutex);
    return SaveData(store, platform);
  }
};

TEST_F(FileReplace, ReplacesDataIniWhole) {
  ASSERT_TRUE(WriteBytes(dataIni, kOldContent));
  EXPECT_EQ(Save(), std::nullopt);
  const auto saved = ReadBytes(dataIni);
  ASSERT_TRUE(saved);
  EXPECT_EQ(*saved, store.outBuffer);
  EXPECT_NE(saved->find("Tex="), std::string::npos);
  EXPECT_EQ(folder.FileNames(), std::vector<std::wstring>{L"Data.ini"});
}

TEST_F(FileReplace, CreatesAMissingDataIni) {
  EXPECT_EQ(Save(), std::nullopt);
  EXPECT_EQ(ReadBytes(dataIni), store.outBuffer);
  EXPECT_EQ(folder.FileNames(), std::vector<std::wstring>{L"Data.ini"});
}

TEST_F(FileReplace, ReadOnlyDataIniIsNeverReplaced) {
  ASSERT_TRUE(WriteBytes(dataIni, kOldContent));
  ASSERT_TRUE(SetFileAttributesW(dataIni.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(Save(), "Cannot create file " + ToCp1251(dataIni));
  EXPECT_EQ(ReadBytes(dataIni), kOldContent);
  EXPECT_EQ(folder.FileNames(), std::vector<std::wstring>{L"Data.ini"});
  EXPECT_TRUE(GetFileAttributesW(dataIni.c_str()) & FILE_ATTRIBUTE_READONLY);
}

UniqueHandle HoldWithoutSharing(const std::wstring& path) {
  return UniqueHandle(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

TEST_F(FileReplace, DataIniHeldOpenByAnotherProgramIsWaitedForAboutASecond) {
  ASSERT_TRUE(WriteBytes(dataIni, kOldContent));
  {
    // Held for the whole save: refused after the retries, nothing changed.
    UniqueHandle holder = HoldWithoutSharing(dataIni);
    ASSERT_TRUE(holder);
    EXPECT_EQ(Save(), "Cannot create file " + ToCp1251(dataIni));
  }
  EXPECT_EQ(ReadBytes(dataIni), kOldContent);
  EXPECT_EQ(folder.FileNames(), std::vector<std::wstring>{L"Data.ini"});
  // Held for 300 ms, as a virus scanner does: the save waits and succeeds.
  UniqueHandle holder = HoldWithoutSharing(dataIni);
  ASSERT_TRUE(holder);
  std::thread releaser([&] {
    Sleep(300);
    holder.reset();
  });
  EXPECT_EQ(Save(), std::nullopt);
  releaser.join();
  EXPECT_EQ(ReadBytes(dataIni), store.outBuffer);
}

TEST(Win32FileOps, HonoursTheReadOnlyAttributeAsWindowsDoes) {
  TestFolder folder;
  const std::wstring target = folder.File(L"target.ini");
  const std::wstring source = folder.File(L"source.tmp");
  ASSERT_TRUE(WriteBytes(target, "old"));
  ASSERT_TRUE(WriteBytes(source, "new"));
  ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  Win32FileOps files;

  EXPECT_TRUE(files.IsReadOnly(ToUtf8(target)));
  EXPECT_FALSE(files.IsReadOnly(ToUtf8(source)));
  EXPECT_FALSE(files.IsReadOnly(ToUtf8(folder.File(L"missing.ini"))));
  EXPECT_EQ(files.Create(ToUtf8(target)), nullptr);
  EXPECT_FALSE(files.Replace(ToUtf8(source), ToUtf8(target)));
  EXPECT_EQ(ReadBytes(target), "old");
  EXPECT_EQ(ReadBytes(source), "new");
}

TEST(Win32FileOps, WritesReadsAndReplacesByRelativePaths) {
  TestFolder folder{L"Папка"};
  struct CurrentDirectory {
    wchar_t previous[MAX_PATH] = {};
    CurrentDirectory() { GetCurrentDirectoryW(MAX_PATH, previous); }
    ~CurrentDirectory() { SetCurrentDirectoryW(previous); }
  } restore;
  ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
  Win32FileOps files;
  // Paths are UTF-8.
  const std::string data = ToUtf8(L"Данные.ini"), temporary = ToUtf8(L"Данные.tmp");

  EXPECT_EQ(files.ReadAll(data), std::nullopt);
  // Read in place: the mapped bytes, an empty file's none, a missing file not at all.
  const auto inPlace = [&files](const std::string& path) -> std::optional<std::string> {
    std::optional<std::string> seen;
    const bool read = files.ReadInPlace(path, [&seen](std::string_view bytes) { seen = bytes; });
    EXPECT_EQ(read, seen.has_value()) << path;
    return seen;
  };
  EXPECT_EQ(inPlace(data), std::nullopt);
  auto output = files.Create(temporary);
  ASSERT_NE(output, nullptr);
  const std::string bytes = std::string("Текст\x01\r\n") + '\0' + "end";
  EXPECT_EQ(output->Write(bytes), bytes.size());
  EXPECT_TRUE(output->FlushAndClose());
  output.reset();
  EXPECT_TRUE(files.Replace(temporary, data));
  EXPECT_EQ(files.ReadAll(data), bytes);
  EXPECT_EQ(inPlace(data), bytes);
  ASSERT_NE(files.Create(temporary), nullptr);
  EXPECT_EQ(inPlace(temporary), "");
  EXPECT_TRUE(files.Remove(temporary));
  EXPECT_EQ(folder.FileNames(), std::vector<std::wstring>{L"Данные.ini"});
  EXPECT_TRUE(files.Remove(data));
  EXPECT_FALSE(files.Remove(data));
}

}  // namespace
