// SaveData: the file byte for byte, the value forms, and failures that keep the old file.
#include <functional>

#include "tests/unit/DataFileFixture.h"

namespace {

const std::string kExampleFile = IniLines({
    "[SETTINGS]",
    "WinX=153",
    "WinY=100",
    "WinW=718",
    "WinH=538",
    "WinS=1",
    "Tray=1",
    "WinMax=0",
    "SMin=0",
    "Ln0=33",
    "Ln1=230",
    "Ln2=210",
    "Ln3=130",
    "Ln4=107",
    "TasksN=1",
    "LastOD=",
    "[TASK0]",
    "Mod=0",
    "Ssec=30600",
    "Year=2008",
    "Mon=3",
    "Day=14",
    "Tex=Позвонить\x01"
    "в банк",
    "Del=0",
    "NM=1",
    "Ex=0",
    "OFF=0",
    "Snd=1",
    "Stat=1",
    "FN=",
    "PrevY=2008",
    "PrevM=3",
    "PrevD=14",
    "PrevH=9",
    "PrevMin=0",
    "PrevS=0",
    "PrevMS=0",
});

void FillExample(Store& store) {
  TSreda& s = store.Session;
  s.WinX = 153, s.WinY = 100, s.WinW = 718, s.WinH = 538;
  s.WinS = 1, s.Tray = 1, s.WinMax = 0, s.SMin = 0;
  s.Ln0 = 33, s.Ln1 = 230, s.Ln2 = 210, s.Ln3 = 130, s.Ln4 = 107;
  Ttask t;
  t.Mode = ModeDaily;
  t.SetSsec(30600);
  t.Year = 2008, t.Month = 3, t.Day = 14;
  t.Text = "Позвонить\r\nв банк";
  t.ShowMessage = 1, t.Sound = 1, t.Status = StatusActive;
  t.PrevY = 2008, t.PrevM = 3, t.PrevD = 14, t.PrevH = 9;
  store.Tasks.push_back(t);
}

// The value of the first line "key=..." of the file, as written.
std::string WrittenValue(const std::string& file, const std::string& key) {
  const std::string start = "\r\n" + key + "=";
  const size_t at = file.find(start);
  if (at == std::string::npos) return "<missing>";
  const size_t from = at + start.size();
  return file.substr(from, file.find("\r\n", from) - from);
}

class SaveDataTest : public DataFileFixture {};

TEST_F(SaveDataTest, WritesTheExampleFileByteForByte) {
  FillExample(store);
  store.Session.TasksN = 7;  // stale: the table's length is written
  EXPECT_EQ(SaveData(store, platform), std::nullopt);
  EXPECT_EQ(FileBytes(), kExampleFile);
  EXPECT_EQ(store.OutBuffer, kExampleFile);
  EXPECT_EQ(store.Session.TasksN, 1);
  EXPECT_TRUE(OnlyDataFileExists());
  EXPECT_EQ(store.CheckEnabled, 1);
}

TEST_F(SaveDataTest, TheExampleLoadsAndSavesBackUnchanged) {
  ASSERT_EQ(Load(kExampleFile), std::nullopt);
  ASSERT_EQ(store.Tasks.size(), 1u);
  const Ttask& t = store.Tasks[0];
  EXPECT_EQ(t.Text, "Позвонить\r\nв банк");
  EXPECT_EQ((std::tuple{t.Hour, t.Minute, t.Second}), (std::tuple{8, 30, 0}));
  platform.files.files[kDataPath].bytes = "old";
  ASSERT_EQ(SaveData(store, platform), std::nullopt);
  EXPECT_EQ(FileBytes(), kExampleFile);
}

TEST_F(SaveDataTest, TaskSectionsAreNumberedInTableOrder) {
  for (int i = 0; i < 12; ++i) {
    Ttask t;
    t.Mode = i % 11;
    store.Tasks.push_back(t);
  }
  ASSERT_EQ(SaveData(store, platform), std::nullopt);
  size_t from = 0;
  for (int i = 0; i < 12; ++i) {
    const std::string header =
        "\r\n[TASK" + std::to_string(i) + "]\r\nMod=" + std::to_string(i % 11) + "\r\n";
    const size_t at = FileBytes().find(header, from);
    ASSERT_NE(at, std::string::npos) << i;
    from = at + 1;
  }
  EXPECT_EQ(FileBytes().substr(FileBytes().size() - 10), "PrevMS=0\r\n");
}

TEST_F(SaveDataTest, NumbersAndFlagsInTheirForms) {
  Ttask t;
  t.Mode = -3, t.Ssec = -1, t.Year = INT32_MAX, t.Month = INT32_MIN;
  t.DeleteAfter = 7, t.ShowMessage = 0, t.RunFile = 255, t.ShutDown = 1, t.Sound = 0;
  t.PrevY = 65535, t.PrevMS = 1;
  store.Tasks.push_back(t);
  store.Session.WinX = -8;
  store.Session.Tray = 2;
  ASSERT_EQ(SaveData(store, platform), std::nullopt);
  const std::string& f = FileBytes();
  const std::pair<const char*, const char*> expected[] = {{"WinX", "-8"},
                                                          {"Tray", "1"},
                                                          {"Mod", "-3"},
                                                          {"Ssec", "-1"},
                                                          {"Year", "2147483647"},
                                                          {"Mon", "-2147483648"},
                                                          {"Del", "1"},
                                                          {"NM", "0"},
                                                          {"Ex", "1"},
                                                          {"OFF", "1"},
                                                          {"Snd", "0"},
                                                          {"PrevY", "65535"},
                                                          {"PrevMS", "1"}};
  for (const auto& [key, value] : expected) EXPECT_EQ(WrittenValue(f, key), value) << key;
}

struct GeometryCase {
  const char* name;
  bool known, maximised;
  std::tuple<int, int, int, int, int> expectedMaxXYWH;
  int expectedLn0;
};

void PrintTo(const GeometryCase& c, std::ostream* os) { *os << c.name; }

class SaveGeometryTest : public DataFileFixture,
                         public testing::WithParamInterface<GeometryCase> {};

TEST_P(SaveGeometryTest, TakesTheWindowStateWhenKnown) {
  const GeometryCase& c = GetParam();
  store.Session.WinMax = 1;
  store.Session.WinX = 10, store.Session.WinY = 20, store.Session.WinW = 700;
  store.Session.WinH = 500;
  store.Session.Ln0 = store.Session.Ln1 = store.Session.Ln2 = store.Session.Ln3 =
      store.Session.Ln4 = 33;
  store.Window = WindowState{c.maximised, -4, 5, 800, 600, {40, 41, 42, 43, 44}, c.known};
  ASSERT_EQ(SaveData(store, platform), std::nullopt);
  const TSreda& s = store.Session;
  EXPECT_EQ((std::tuple<int, int, int, int, int>{s.WinMax, s.WinX, s.WinY, s.WinW, s.WinH}),
            c.expectedMaxXYWH);
  EXPECT_EQ(WrittenValue(FileBytes(), "WinX"), std::to_string(s.WinX));
  EXPECT_EQ(WrittenValue(FileBytes(), "WinMax"), std::to_string(s.WinMax));
  const int32_t widths[] = {s.Ln0, s.Ln1, s.Ln2, s.Ln3, s.Ln4};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(widths[i], c.expectedLn0 + (c.known ? i : 0)) << i;
    EXPECT_EQ(WrittenValue(FileBytes(), "Ln" + std::to_string(i)), std::to_string(widths[i]));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Window, SaveGeometryTest,
    testing::Values(GeometryCase{"Normal", true, false, {0, -4, 5, 800, 600}, 40},
                    GeometryCase{"MaximisedKeepsLastNormal", true, true, {1, 10, 20, 700, 500}, 40},
                    GeometryCase{"NoWindowYet", false, false, {1, 10, 20, 700, 500}, 33}),
    [](const auto& info) { return std::string(info.param.name); });

// A text value as written, and as the reader gives it back.
struct TextCase {
  const char* name;
  std::string text;
  std::string written;
  std::string readBack;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class SaveTextTest : public DataFileFixture, public testing::WithParamInterface<TextCase> {};

TEST_P(SaveTextTest, MessageIsEncodedAndComesBack) {
  const TextCase& c = GetParam();
  Ttask t;
  t.Text = c.text;
  store.Tasks.push_back(t);
  Store reloaded;
  SaveAndReload(reloaded);
  EXPECT_EQ(WrittenValue(FileBytes(), "Tex"), c.written);
  ASSERT_EQ(reloaded.Tasks.size(), 1u);
  EXPECT_EQ(reloaded.Tasks[0].Text, c.readBack);
  EXPECT_EQ(store.Tasks[0].Text, c.text);  // saving leaves the message in memory alone
}

// Texts without line breaks: a message, a file path and the last folder treat them alike.
const TextCase kPlainTexts[] = {
    {"Empty", "", "", ""},
    {"LeadingBlank", " a", "\" a\"", " a"},
    {"TrailingBlanks", "a  ", "\"a  \"", "a  "},
    {"TabAtStart", "\ta", "\"\ta\"", "\ta"},
    {"Quoted", "\"a\"", "\"\"a\"\"", "\"a\""},
    {"SingleQuoted", "'a'", "\"'a'\"", "'a'"},
    {"QuoteAtOneEnd", "a'", "\"a'\"", "a'"},
    {"LoneQuote", "\"", "\"\"\"", "\""},
    {"QuoteInside", "a\"b", "a\"b", "a\"b"},
    {"Cyrillic", "Купить хлеба", "Купить хлеба", "Купить хлеба"},
    {"Long256", std::string(256, 'x'), std::string(256, 'x'), std::string(256, 'x')},
};

const TextCase kLineBreakTexts[] = {
    {"TwoLines", "a\r\nb",
     "a\x01"
     "b",
     "a\r\nb"},
    {"TrailingBreak", "a\r\n", "a\x01", "a\r\n"},
    {"OnlyBreaks", "\r\n\r\n", "\x01\x01", "\r\n\r\n"},
    {"LoneLf", "a\nb",
     "a\x01"
     "b",
     "a\r\nb"},
    {"LoneCr", "a\rb",
     "a\x01"
     "b",
     "a\r\nb"},
    {"LfThenCr", "a\n\rb",
     "a\x01\x01"
     "b",
     "a\r\n\r\nb"},
    {"CrAtEnd", "a\r", "a\x01", "a\r\n"},
    {"MarkByteInMessage",
     "a\x01"
     "b",
     "a\x01"
     "b",
     "a\r\nb"},
    {"BlankThenBreak", " a\r\n", "\" a\x01\"", " a\r\n"},
    {"BreakThenBlank", "\r\n a", "\x01 a", "\r\n a"},
    {"Long300WithBreaks", std::string(150, 'y') + "\r\n" + std::string(150, 'y'),
     std::string(150, 'y') + "\x01" + std::string(150, 'y'),
     std::string(150, 'y') + "\r\n" + std::string(150, 'y')},
};

const auto kTextCaseName = [](const auto& info) { return std::string(info.param.name); };

INSTANTIATE_TEST_SUITE_P(Plain, SaveTextTest, testing::ValuesIn(kPlainTexts), kTextCaseName);
INSTANTIATE_TEST_SUITE_P(LineBreaks, SaveTextTest, testing::ValuesIn(kLineBreakTexts),
                         kTextCaseName);

class SavePathTest : public DataFileFixture, public testing::WithParamInterface<TextCase> {};

TEST_P(SavePathTest, FileNameAndLastFolderComeBackUnchanged) {
  const TextCase& c = GetParam();
  Ttask t;
  t.FileName = c.text;
  store.Tasks.push_back(t);
  store.Session.LastOD = c.text;
  Store reloaded;
  SaveAndReload(reloaded);
  EXPECT_EQ(WrittenValue(FileBytes(), "FN"), c.written);
  EXPECT_EQ(WrittenValue(FileBytes(), "LastOD"), c.written);
  EXPECT_EQ(reloaded.Tasks[0].FileName, c.text);
  EXPECT_EQ(reloaded.Session.LastOD, c.text);
}

INSTANTIATE_TEST_SUITE_P(Plain, SavePathTest, testing::ValuesIn(kPlainTexts), kTextCaseName);

TEST_F(SaveDataTest, LongPathsComeBackWhole) {
  const std::string folder = "C:\\" + std::string(300, 'p') + "\\";
  Ttask t;
  t.FileName = folder + "run.exe";
  store.Tasks.push_back(t);
  store.Session.LastOD = folder;
  Store reloaded;
  SaveAndReload(reloaded);
  EXPECT_EQ(reloaded.Tasks[0].FileName, folder + "run.exe");
  EXPECT_EQ(reloaded.Session.LastOD, folder);
}

TEST_F(SaveDataTest, EveryStoredFieldComesBack) {
  for (int i = 0; i < 30; ++i) {
    Ttask t;
    t.Mode = i % 12;
    t.SetSsec(i * 2917 % 86400);
    t.Year = 2000 + i, t.Month = 1 + i % 12, t.Day = 1 + i % 31;
    t.Text = "Задание " + std::to_string(i) + (i % 3 ? "\r\nвторая строка" : "");
    t.DeleteAfter = i % 2, t.ShowMessage = i % 3 != 0, t.RunFile = i % 5 == 0;
    t.ShutDown = i % 7 == 0, t.Sound = i % 4 != 0;
    t.FileName = i % 5 ? "" : "D:\\Программы\\a" + std::to_string(i) + ".exe";
    t.Status = i % 4;
    t.PrevY = static_cast<uint16_t>(2020 + i), t.PrevM = 12, t.PrevD = 31, t.PrevH = 23;
    t.PrevMin = 59, t.PrevS = 58, t.PrevMS = i % 2;
    store.Tasks.push_back(t);
  }
  store.Session.WinS = 0, store.Session.SMin = 1, store.Session.LastOD = "E:\\Музыка\\";
  Store reloaded;
  SaveAndReload(reloaded);
  ASSERT_EQ(reloaded.Tasks.size(), store.Tasks.size());
  for (size_t i = 0; i < store.Tasks.size(); ++i) {
    EXPECT_EQ(StoredFields(reloaded.Tasks[i]), StoredFields(store.Tasks[i])) << i;
    EXPECT_EQ(reloaded.Tasks[i].Armed, 1);
  }
  EXPECT_EQ(reloaded.Session.LastOD, "E:\\Музыка\\");
  EXPECT_EQ(std::tuple(reloaded.Session.WinS, reloaded.Session.SMin), std::tuple(0, 1));

  // And the reloaded table writes the same bytes again.
  const std::string first = FileBytes();
  reloaded.DataPath = kDataPath;
  ASSERT_EQ(SaveData(reloaded, platform), std::nullopt);
  EXPECT_EQ(FileBytes(), first);
}

TEST_F(SaveDataTest, WritesThroughATemporaryFileAndReplaces) {
  PutFile("old");
  ASSERT_EQ(SaveData(store, platform), std::nullopt);
  const std::string tmp = kDataPath + ".tmp";
  const std::vector<std::string> expected = {
      "create " + tmp, "write " + tmp + " " + std::to_string(store.OutBuffer.size()),
      "flush " + tmp, "replace " + tmp + " " + kDataPath};
  EXPECT_EQ(platform.files.log, expected);
  EXPECT_EQ(FileBytes(), store.OutBuffer);
  EXPECT_TRUE(OnlyDataFileExists());
}

// Files that note whether the checker was paused while the file was written.
class PauseSpyFiles : public MemoryFiles {
 public:
  explicit PauseSpyFiles(Store& store) : store_(store) {}
  std::unique_ptr<OutputFile> Create(const std::string& path) override {
    checkEnabledAtCreate = store_.CheckEnabled;
    return MemoryFiles::Create(path);
  }
  int checkEnabledAtCreate = -1;

 private:
  Store& store_;
};

class PauseSpyPlatform : public FakePlatform {
 public:
  explicit PauseSpyPlatform(Store& store) : spy(store) {}
  FileOps& Files() override { return spy; }
  PauseSpyFiles spy;
};

TEST_F(SaveDataTest, CheckerIsPausedWhileWriting) {
  PauseSpyPlatform spyPlatform(store);
  ASSERT_EQ(SaveData(store, spyPlatform), std::nullopt);
  EXPECT_EQ(spyPlatform.spy.checkEnabledAtCreate, 0);
  EXPECT_EQ(store.CheckEnabled, 1);
}

struct FaultCase {
  const char* name;
  std::function<void(MemoryFiles&)> inject;
  bool pathInText;  // "Cannot create file <path>", else "Stream write error"
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class SaveFaultTest : public DataFileFixture, public testing::WithParamInterface<FaultCase> {};

TEST_P(SaveFaultTest, KeepsTheOldFileAndReports) {
  const FaultCase& c = GetParam();
  const std::string old = IniLines({"[SETTINGS]", "WinX=1", "TasksN=0"});
  PutFile(old);
  FillExample(store);
  c.inject(platform.files);
  const auto error = SaveData(store, platform);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(*error,
            c.pathInText ? "Cannot create file C:\\Vornakel\\Data.ini" : "Stream write error");
  EXPECT_EQ(FileBytes(), old);
  EXPECT_TRUE(OnlyDataFileExists());
  EXPECT_EQ(store.CheckEnabled, 1);
  // The next save, once the fault is gone, succeeds.
  platform.files.failCreate = platform.files.failFlush = platform.files.failReplace = false;
  platform.files.writeLimit = SIZE_MAX;
  platform.files.files[kDataPath].readOnly = false;
  EXPECT_EQ(SaveData(store, platform), std::nullopt);
  EXPECT_EQ(FileBytes(), kExampleFile);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SaveFaultTest,
    testing::Values(FaultCase{"CreateFails", [](MemoryFiles& f) { f.failCreate = true; }, true},
                    FaultCase{"ShortWrite", [](MemoryFiles& f) { f.writeLimit = 100; }, false},
                    FaultCase{"NothingWritten", [](MemoryFiles& f) { f.writeLimit = 0; }, false},
                    FaultCase{"FlushFails", [](MemoryFiles& f) { f.failFlush = true; }, false},
                    FaultCase{"ReplaceFails", [](MemoryFiles& f) { f.failReplace = true; }, true},
                    FaultCase{"ReadOnlyTarget",
                              [](MemoryFiles& f) { f.files[kDataPath].readOnly = true; }, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaveDataTest, ReadOnlyTargetIsNotTouchedAtAll) {
  PutFile("old");
  platform.files.files[kDataPath].readOnly = true;
  EXPECT_EQ(SaveData(store, platform), "Cannot create file C:\\Vornakel\\Data.ini");
  EXPECT_TRUE(platform.files.log.empty());
  EXPECT_EQ(FileBytes(), "old");
}

}  // namespace
