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
    "Snooze=10",
    "SnoozeN=0",
    "LastSD=",
    "Seen=2008-03-14 09:15:00",
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
    "SndF=",
    "Rpt=0",
    "Wake=0",
});

// The same file as a version before the sound choice and the reminders put off wrote it.
std::string OlderExampleFile() {
  std::string file = kExampleFile;
  for (const char* line :
       {"Snooze=10\r\n", "SnoozeN=0\r\n", "LastSD=\r\n", "SndF=\r\n", "Rpt=0\r\n",
        "Wake=0\r\n"})
    file.erase(file.find(line), std::string_view(line).size());
  return file;
}

void FillExample(Store& store) {
  Settings& s = store.settings;
  s.windowLeft = 153, s.windowTop = 100, s.windowWidth = 718, s.windowHeight = 538;
  s.startWithWindows = 1, s.useTray = 1, s.maximised = 0, s.startHidden = 0;
  s.columnWidths[0] = 33, s.columnWidths[1] = 230, s.columnWidths[2] = 210, s.columnWidths[3] = 130,
  s.columnWidths[4] = 107;
  Task t;
  t.recurrence = EveryDay;
  t.SetSecondOfDay(30600);
  t.year = 2008, t.month = 3, t.day = 14;
  t.message = "Позвонить\r\nв банк";
  t.showMessage = 1, t.beep = 1, t.status = StatusActive;
  t.lastRun.year = 2008, t.lastRun.month = 3, t.lastRun.day = 14, t.lastRun.hour = 9;
  store.tasks.push_back(t);
  store.seen = LocalMoment{2008, 3, 14, 9, 15, 0};
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
  store.settings.taskCount = 7;  // stale: the table's length is written
  EXPECT_EQ(SaveData(store, platform), std::nullopt);
  EXPECT_EQ(FileBytes(), kExampleFile);
  EXPECT_EQ(store.outBuffer, kExampleFile);
  EXPECT_EQ(store.settings.taskCount, 1);
  EXPECT_TRUE(OnlyDataFileExists());
}

// An older version's file is written back with only the new keys added.
TEST_F(SaveDataTest, TheExampleAndItsOlderFormLoadAndSaveAsTheExample) {
  for (const std::string& file : {kExampleFile, OlderExampleFile()}) {
    ASSERT_EQ(Load(file), std::nullopt);
    ASSERT_EQ(store.tasks.size(), 1u);
    const Task& t = store.tasks[0];
    EXPECT_EQ(t.message, "Позвонить\r\nв банк");
    EXPECT_EQ((std::tuple{t.hour, t.minute, t.second}), (std::tuple{8, 30, 0}));
    EXPECT_EQ(t.soundChoice, SoundChoice{});
    platform.files.files[kDataPath].bytes = "old";
    ASSERT_EQ(SaveData(store, platform), std::nullopt);
    EXPECT_EQ(FileBytes(), kExampleFile);
  }
}

TEST_F(SaveDataTest, TaskSectionsAreNumberedInTableOrder) {
  for (int i = 0; i < 12; ++i) {
    Task t;
    t.recurrence = i % 11;
    store.tasks.push_back(t);
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
  EXPECT_EQ(FileBytes().substr(FileBytes().size() - 8), "Wake=0\r\n");
}

TEST_F(SaveDataTest, NumbersAndFlagsInTheirForms) {
  Task t;
  t.recurrence = -3, t.secondOfDay = -1, t.year = INT32_MAX, t.month = INT32_MIN;
  t.deleteAfter = 7, t.showMessage = 0, t.runFile = 255, t.shutDown = 1, t.beep = 0;
  t.lastRun.year = 65535, t.doneThisPeriod = 1, t.soundChoice.repeat = true;
  t.wake = true;
  t.rule = {NthWeekdayOfMonth, kLastOfMonth, WeekdayBit(5), 3600}, t.warnMinutes = 15;
  store.tasks.push_back(t);
  store.settings.windowLeft = -8;
  store.settings.useTray = 2;
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
                                                          {"PrevMS", "1"},
                                                          {"Rpt", "1"},
                                                          {"Wake", "1"},
                                                          {"Kind", "4"},
                                                          {"N", "5"},
                                                          {"Days", "32"},
                                                          {"Till", "3600"},
                                                          {"Pre", "15"},
                                                          // no pass yet: the save's own moment
                                                          {"Seen", "2024-03-14 10:00:00"}};
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
  store.settings.maximised = 1;
  store.settings.windowLeft = 10, store.settings.windowTop = 20, store.settings.windowWidth = 700;
  store.settings.windowHeight = 500;
  store.settings.columnWidths[0] = store.settings.columnWidths[1] = store.settings.columnWidths[2] =
      store.settings.columnWidths[3] = store.settings.columnWidths[4] = 33;
  store.window = WindowState{c.maximised, -4, 5, 800, 600, {40, 41, 42, 43, 44}, c.known};
  ASSERT_EQ(SaveData(store, platform), std::nullopt);
  const Settings& s = store.settings;
  EXPECT_EQ((std::tuple<int, int, int, int, int>{s.maximised, s.windowLeft, s.windowTop,
                                                 s.windowWidth, s.windowHeight}),
            c.expectedMaxXYWH);
  EXPECT_EQ(WrittenValue(FileBytes(), "WinX"), std::to_string(s.windowLeft));
  EXPECT_EQ(WrittenValue(FileBytes(), "WinMax"), std::to_string(s.maximised));
  const int32_t widths[] = {s.columnWidths[0], s.columnWidths[1], s.columnWidths[2],
                            s.columnWidths[3], s.columnWidths[4]};
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
    [](const auto& test) { return std::string(test.param.name); });

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
  Task t;
  t.message = c.text;
  store.tasks.push_back(t);
  Store reloaded;
  SaveAndReload(reloaded);
  EXPECT_EQ(WrittenValue(FileBytes(), "Tex"), c.written);
  ASSERT_EQ(reloaded.tasks.size(), 1u);
  EXPECT_EQ(reloaded.tasks[0].message, c.readBack);
  // Saving leaves the message in memory alone, but for a 0x01 byte: it takes the line break it
  // reads back as, so the list and the popup show a line break, not the byte.
  const bool heldMark = c.text.find('\x01') != std::string::npos;
  EXPECT_EQ(store.tasks[0].message, heldMark ? c.readBack : c.text);
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

const auto kTextCaseName = [](const auto& test) { return std::string(test.param.name); };

INSTANTIATE_TEST_SUITE_P(Plain, SaveTextTest, testing::ValuesIn(kPlainTexts), kTextCaseName);
INSTANTIATE_TEST_SUITE_P(LineBreaks, SaveTextTest, testing::ValuesIn(kLineBreakTexts),
                         kTextCaseName);

class SavePathTest : public DataFileFixture, public testing::WithParamInterface<TextCase> {};

TEST_P(SavePathTest, FileNamesAndLastFoldersComeBackUnchanged) {
  const TextCase& c = GetParam();
  Task t;
  t.fileName = c.text;
  t.soundChoice.file = c.text;
  store.tasks.push_back(t);
  store.settings.lastFileFolder = c.text;
  store.settings.lastSoundFolder = c.text;
  Store reloaded;
  SaveAndReload(reloaded);
  for (const char* key : {"FN", "LastOD", "SndF", "LastSD"})
    EXPECT_EQ(WrittenValue(FileBytes(), key), c.written) << key;
  EXPECT_EQ(reloaded.tasks[0].fileName, c.text);
  EXPECT_EQ(reloaded.tasks[0].soundChoice.file, c.text);
  EXPECT_EQ(reloaded.settings.lastFileFolder, c.text);
  EXPECT_EQ(reloaded.settings.lastSoundFolder, c.text);
}

INSTANTIATE_TEST_SUITE_P(Plain, SavePathTest, testing::ValuesIn(kPlainTexts), kTextCaseName);

TEST_F(SaveDataTest, LongPathsComeBackWhole) {
  const std::string folder = "C:\\" + std::string(300, 'p') + "\\";
  Task t;
  t.fileName = folder + "run.exe";
  store.tasks.push_back(t);
  store.settings.lastFileFolder = folder;
  Store reloaded;
  SaveAndReload(reloaded);
  EXPECT_EQ(reloaded.tasks[0].fileName, folder + "run.exe");
  EXPECT_EQ(reloaded.settings.lastFileFolder, folder);
}

TEST_F(SaveDataTest, EveryStoredFieldComesBack) {
  for (int i = 0; i < 30; ++i) {
    Task t;
    t.recurrence = i % 12;
    t.SetSecondOfDay(i * 2917 % 86400);
    t.year = 2000 + i, t.month = 1 + i % 12, t.day = 1 + i % 31;
    t.message = "Задание " + std::to_string(i) + (i % 3 ? "\r\nвторая строка" : "");
    t.deleteAfter = i % 2, t.showMessage = i % 3 != 0, t.runFile = i % 5 == 0;
    t.shutDown = i % 7 == 0, t.beep = i % 4 != 0;
    t.fileName = i % 5 ? "" : "D:\\Программы\\a" + std::to_string(i) + ".exe";
    t.status = i % 4;
    t.lastRun.year = static_cast<uint16_t>(2020 + i), t.lastRun.month = 12, t.lastRun.day = 31,
    t.lastRun.hour = 23;
    t.lastRun.minute = 59, t.lastRun.second = 58, t.doneThisPeriod = i % 2;
    t.soundChoice = {i % 3 ? "" : "E:\\Звуки\\" + std::to_string(i) + ".wav", i % 6 < 2};
    t.wake = i % 5 == 1;
    store.tasks.push_back(t);
  }
  store.settings.startWithWindows = 0, store.settings.startHidden = 1,
  store.settings.lastFileFolder = "E:\\Музыка\\";
  store.settings.lastSoundFolder = "E:\\Звуки\\";
  Store reloaded;
  SaveAndReload(reloaded);
  ASSERT_EQ(reloaded.tasks.size(), store.tasks.size());
  for (size_t i = 0; i < store.tasks.size(); ++i) {
    EXPECT_EQ(StoredFields(reloaded.tasks[i]), StoredFields(store.tasks[i])) << i;
    EXPECT_EQ(reloaded.tasks[i].armed, 1);
  }
  EXPECT_EQ(reloaded.settings.lastFileFolder, "E:\\Музыка\\");
  EXPECT_EQ(reloaded.settings.lastSoundFolder, "E:\\Звуки\\");
  EXPECT_EQ(std::tuple(reloaded.settings.startWithWindows, reloaded.settings.startHidden),
            std::tuple(0, 1));

  // And the reloaded table writes the same bytes again.
  const std::string first = FileBytes();
  reloaded.dataPath = kDataPath;
  ASSERT_EQ(SaveData(reloaded, platform), std::nullopt);
  EXPECT_EQ(FileBytes(), first);
}

// The buffer is reserved once for the whole file: a long sound path never makes it grow again
// while it is composed (a growth doubles it, which the capacity would show).
TEST_F(SaveDataTest, TheBufferIsReservedForLongSoundPaths) {
  const std::string path(100000, 'x');
  for (int field = 0; field < 3; ++field) {
    Store one;
    one.dataPath = kDataPath;
    if (field == 0) one.tasks.emplace_back().soundChoice.file = path;
    if (field == 1) one.settings.lastSoundFolder = path;
    if (field == 2) one.snoozed.push_back({{2024, 5, 16, 9, 0, 0}, "", "", true, {path, true}});
    ASSERT_EQ(SaveData(one, platform), std::nullopt);
    EXPECT_GT(one.outBuffer.size(), path.size());
    EXPECT_LT(one.outBuffer.capacity(), one.outBuffer.size() + 4096) << field;
  }
}

TEST_F(SaveDataTest, WritesThroughATemporaryFileAndReplaces) {
  PutFile("old");
  ASSERT_EQ(SaveData(store, platform), std::nullopt);
  const std::string tmp = kDataPath + ".tmp";
  const std::vector<std::string> expected = {
      "create " + tmp, "write " + tmp + " " + std::to_string(store.outBuffer.size()),
      "flush " + tmp, "replace " + tmp + " " + kDataPath};
  EXPECT_EQ(platform.files.log, expected);
  EXPECT_EQ(FileBytes(), store.outBuffer);
  EXPECT_TRUE(OnlyDataFileExists());
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
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(SaveDataTest, ReadOnlyTargetIsNotTouchedAtAll) {
  PutFile("old");
  platform.files.files[kDataPath].readOnly = true;
  EXPECT_EQ(SaveData(store, platform), "Cannot create file C:\\Vornakel\\Data.ini");
  EXPECT_TRUE(platform.files.log.empty());
  EXPECT_EQ(FileBytes(), "old");
}

}  // namespace
