// The autostart shortcut: its name, the link written through the shell's own object (read back
// the same way), the cases in which it is left alone or deleted, the Startup folder lookup and
// the error text when the link object cannot be created.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <thread>

#include "app/Application.h"
#include "tests/support/DataIniText.h"
#include "tests/support/TestFolder.h"
#include "win32/AutostartLink.h"
#include "win32/Text.h"

namespace {

struct LinkTarget {
  std::wstring path;
  std::wstring workingDirectory;
};

std::optional<LinkTarget> ReadLink(const std::wstring& link) {
  IShellLinkW* shellLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&shellLink))))
    return std::nullopt;
  IPersistFile* file = nullptr;
  std::optional<LinkTarget> target;
  if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    if (SUCCEEDED(file->Load(link.c_str(), STGM_READ))) {
      wchar_t path[MAX_PATH] = {};
      wchar_t folder[MAX_PATH] = {};
      shellLink->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH);
      shellLink->GetWorkingDirectory(folder, MAX_PATH);
      target = LinkTarget{path, folder};
    }
    file->Release();
  }
  shellLink->Release();
  return target;
}

std::vector<std::string> reported;
void Record(const std::string& text) { reported.push_back(text); }

TEST(AutostartLinkPath, IsTheProgramsNameWithTheLinkExtension) {
  struct Case {
    std::wstring folder, exe, link;
  };
  const Case cases[] = {
      {L"C:\\Start", L"C:\\Programs\\vornakel.exe", L"C:\\Start\\vornakel.lnk"},
      {L"C:\\Start\\", L"C:\\Programs\\vornakel.exe", L"C:\\Start\\vornakel.lnk"},
      {L"C:\\Start", L"C:\\Programs\\my.app.exe", L"C:\\Start\\my.app.lnk"},
      {L"C:\\Start", L"C:\\dir.v2\\prog", L"C:\\Start\\prog.lnk"},
      {L"C:\\Автозагрузка", L"D:\\Задачи\\напоминалка.exe", L"C:\\Автозагрузка\\напоминалка.lnk"},
      {L"", L"C:\\Programs\\vornakel.exe", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(AutostartLinkPath(c.folder, c.exe), c.link) << c.exe;
}

TEST(AutostartLink, IsCreatedWithTheProgramAndItsFolder) {
  TestFolder startup;
  // Wine keeps the target of a shortcut in the ANSI code page only: the folder stays ASCII here.
  const std::wstring exe = L"C:\\Programs\\Reminders\\my.app.exe";
  reported.clear();
  SyncAutostartLink(startup.Path(), exe, true, Record);
  EXPECT_TRUE(reported.empty());
  ASSERT_EQ(startup.FileNames(), std::vector<std::wstring>{L"my.app.lnk"});
  const auto target = ReadLink(startup.File(L"my.app.lnk"));
  ASSERT_TRUE(target);
  EXPECT_EQ(target->path, exe);
  EXPECT_EQ(target->workingDirectory, L"C:\\Programs\\Reminders\\");
}

TEST(AutostartLink, AShortcutToAnotherCopyIsRewrittenToThisOne) {
  TestFolder startup;
  reported.clear();
  SyncAutostartLink(startup.Path(), L"C:\\Old\\vornakel.exe", true, Record);
  SyncAutostartLink(startup.Path(), L"C:\\New\\vornakel.exe", true, Record);
  const auto target = ReadLink(startup.File(L"vornakel.lnk"));
  ASSERT_TRUE(target);
  EXPECT_EQ(target->path, L"C:\\New\\vornakel.exe");
  EXPECT_EQ(target->workingDirectory, L"C:\\New\\");
  EXPECT_TRUE(reported.empty());
}

TEST(AutostartLink, OptionOffDeletesTheShortcutAndLeavesOthers) {
  TestFolder startup;
  ASSERT_TRUE(WriteBytes(startup.File(L"other.lnk"), "x"));
  SyncAutostartLink(startup.Path(), L"C:\\P\\vornakel.exe", true, Record);
  ASSERT_EQ(startup.FileNames().size(), 2u);
  SyncAutostartLink(startup.Path(), L"C:\\P\\vornakel.exe", false, Record);
  EXPECT_EQ(startup.FileNames(), std::vector<std::wstring>{L"other.lnk"});
  // Nothing to delete: nothing happens.
  SyncAutostartLink(startup.Path(), L"C:\\P\\vornakel.exe", false, Record);
  EXPECT_EQ(startup.FileNames(), std::vector<std::wstring>{L"other.lnk"});
}

TEST(AutostartLink, AnEmptyStartupFolderSkipsTheStep) {
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::wstring rootLink = L"\\" + AutostartLinkPath(L"X", exe).substr(2);
  reported.clear();
  SyncAutostartLink(L"", exe, true, Record);
  EXPECT_EQ(GetFileAttributesW(rootLink.c_str()), INVALID_FILE_ATTRIBUTES) << rootLink;
  EXPECT_TRUE(reported.empty());
}

TEST(AutostartLink, ALinkObjectThatCannotBeCreatedIsReported) {
  TestFolder startup;
  reported.clear();
  // A thread without COM cannot create the object.
  std::thread withoutCom(
      [&] { SyncAutostartLink(startup.Path(), L"C:\\P\\vornakel.exe", true, Record); });
  withoutCom.join();
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0], OleErrorText(CO_E_NOTINITIALIZED));
  EXPECT_FALSE(reported[0].empty());
  EXPECT_NE(reported[0].back(), '.');  // the error box adds the full stop
  EXPECT_TRUE(startup.FileNames().empty());
}

TEST(AutostartLink, CodesWithoutASystemTextAreNamedByNumber) {
  EXPECT_EQ(OleErrorText(static_cast<long>(0x8004FFF7)), "OLE error 8004FFF7");
  const std::string known = OleErrorText(E_OUTOFMEMORY);
  EXPECT_EQ(known.find("OLE error"), std::string::npos) << known;
}

TEST(ReadShellFolder, FindsTheStartupFolderAndNothingForUnknownNames) {
  for (const std::wstring& startup : {StartupFolder(), ReadShellFolder(L"Startup")}) {
    ASSERT_FALSE(startup.empty());
    const DWORD attributes = GetFileAttributesW(startup.c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES) << startup;
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << startup;
  }
  EXPECT_EQ(ReadShellFolder(L"NoSuchFolderName"), L"");
}

TEST(AutostartLink, StartUpBringsTheShortcutInLineWithTheOption) {
  TestFolder startup;
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::wstring link = AutostartLinkPath(startup.Path(), exe);
  for (bool option : {true, false}) {
    TestFolder folder;
    ASSERT_TRUE(WriteBytes(folder.File(L"Data.ini"), DataIniText({.autostart = option}, {})));
    Application app;
    app.SetStartupFolderSource([&] { return startup.Path(); });
    ASSERT_TRUE(app.Start(ToUtf8(folder.File(L"Data.ini"))));
    EXPECT_EQ(GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES, option) << option;
    if (option) {
      const auto target = ReadLink(link);
      ASSERT_TRUE(target);
      EXPECT_EQ(target->path, exe);
    }
  }
}

}  // namespace
