// LoadData: defaults, the reading rules applied to every kind of key, and loading that stops.
#include <thread>

#include "core/RowTexts.h"
#include "core/TextEncodings.h"
#include "tests/unit/DataFileFixture.h"

namespace {

class LoadDataTest : public DataFileFixture {};

TEST_F(LoadDataTest, NoFileGivesEveryDefault) {
  ASSERT_EQ(Load(), std::nullopt);
  const Settings& s = store.settings;
  EXPECT_EQ((std::tuple{s.windowLeft, s.windowTop, s.windowWidth, s.windowHeight}),
            (std::tuple{153, 100, 718, 538}));
  EXPECT_EQ(
      (std::tuple{int{s.startWithWindows}, int{s.useTray}, int{s.maximised}, int{s.startHidden}}),
      (std::tuple{1, 1, 0, 0}));
  EXPECT_EQ(s.columnWidths, (std::array<int32_t, 5>{33, 230, 210, 130, 107}));
  EXPECT_EQ(s.taskCount, 0);
  EXPECT_EQ(s.lastFileFolder, "");
  EXPECT_EQ(store.seen, std::nullopt);
  EXPECT_TRUE(store.tasks.empty());
  EXPECT_EQ(store.rows.Count(), 0);
  EXPECT_EQ(settingsApplied, 1);
}

TEST_F(LoadDataTest, AFileThatCannotBeReadStopsLoadingInsteadOfStartingEmpty) {
  const std::string bytes = "[SETTINGS]\r\nTasksN=1\r\n[TASK0]\r\nTex=x\r\n";
  platform.files.files[store.dataPath].bytes = bytes;
  platform.files.failRead = true;
  EXPECT_EQ(Load(), "Cannot open file " + store.dataPath);
  EXPECT_TRUE(store.tasks.empty());
  EXPECT_EQ(settingsApplied, 0);
  EXPECT_EQ(platform.files.files[store.dataPath].bytes, bytes);
  // So does the file a first start in the user's folder reads instead, named as such.
  const std::string beside = "C:\\Program Files\\Vornakel\\Data.ini";
  platform.files.files[beside].bytes = bytes;
  platform.files.files.erase(store.dataPath);
  EXPECT_EQ(LoadData(store, platform, {}, beside), "Cannot open file " + beside);
}

// As the program starts: the file read on another thread while the windows are made, then taken.
TEST_F(LoadDataTest, AFileReadApartReachesTheStoreOnlyWhenTaken) {
  PutFile(IniLines({"[SETTINGS]", "TasksN=1", "WinW=500", "[TASK0]", "Tex=x"}));
  DataFileContents contents;
  std::thread([&] {
    contents = ReadDataFile(platform, store.dataPath, store.settings, store.seen);
  }).join();
  EXPECT_EQ(store.settings.windowWidth, 0);
  EXPECT_TRUE(store.tasks.empty());
  const auto applied = [&] {
    ++settingsApplied;
    EXPECT_EQ(store.settings.windowWidth, 500);
    EXPECT_EQ(store.rows.Count(), 0);  // the window is placed before it has rows
  };
  ASSERT_EQ(TakeDataFile(store, std::move(contents), applied), std::nullopt);
  EXPECT_EQ(settingsApplied, 1);
  ASSERT_EQ(store.rows.Count(), 1);
  EXPECT_EQ(store.tasks[0].message, "x");
  EXPECT_TRUE(store.tasks[0].armed);
}

struct CentreCase {
  WorkAreaRect area;
  const char* widthAndHeight;  // lines of the settings section, or ""
  int expectedX, expectedY;
};

void PrintTo(const CentreCase& c, std::ostream* os) {
  *os << c.area.right << 'x' << c.area.bottom << ' ' << c.widthAndHeight;
}

class LoadCentreTest : public DataFileFixture, public testing::WithParamInterface<CentreCase> {};

TEST_P(LoadCentreTest, MissingPositionIsCentredOnTheWorkArea) {
  const CentreCase& c = GetParam();
  platform.workArea = c.area;
  ASSERT_EQ(Load(IniLines({"[SETTINGS]", c.widthAndHeight})), std::nullopt);
  EXPECT_EQ(store.settings.windowLeft, c.expectedX);
  EXPECT_EQ(store.settings.windowTop, c.expectedY);
}

INSTANTIATE_TEST_SUITE_P(
    WorkAreas, LoadCentreTest,
    testing::Values(CentreCase{{0, 0, 1024, 738}, "", 153, 100},
                    CentreCase{{0, 0, 1023, 737}, "", 152, 99},
                    CentreCase{{0, 0, 1920, 1040}, "WinW=1001\r\nWinH=601", 460, 220},
                    CentreCase{{0, 0, 1024, 738}, "WinW=-3\r\nWinH=-5", 513, 371},
                    CentreCase{{0, 0, -5, -7}, "WinW=0\r\nWinH=0", -2, -3},
                    CentreCase{{0, 0, 1024, 738}, "WinX=-8\r\nWinY=$10", -8, 16}));

TEST_F(LoadDataTest, AnEmptySectionTakesTheDefaults) {
  ASSERT_EQ(Load(IniLines({"[SETTINGS]", "TasksN=2", "[TASK0]", "Mod=8", "Tex=первое", "[TASK1]"})),
            std::nullopt);
  ASSERT_EQ(store.tasks.size(), 2u);
  ASSERT_EQ(store.rows.Count(), 2);
  EXPECT_EQ(store.tasks[0].recurrence, EveryMonth);
  EXPECT_EQ(store.tasks[0].message, "первое");

  Task expected;  // daily at 09:00:00, active, message and sound, last run today at 09:00:00
  expected.SetSecondOfDay(32400);
  expected.year = 2024, expected.month = 3, expected.day = 14;
  expected.showMessage = 1, expected.beep = 1, expected.status = StatusActive;
  expected.lastRun.year = 2024, expected.lastRun.month = 3, expected.lastRun.day = 14,
  expected.lastRun.hour = 9;
  const Task& second = store.tasks[1];
  EXPECT_EQ(StoredFields(second), StoredFields(expected));
  EXPECT_EQ(second.armed, 1);
  EXPECT_EQ(second.lastRun.dayOfWeek, 0);
  EXPECT_NE(second.id, 0u);
  EXPECT_NE(second.id, store.tasks[0].id);
  EXPECT_EQ(store.rows.Cell(1, ColumnNumber), "2");
  EXPECT_EQ(store.rows.Cell(1, ColumnMoment), "Ежедневно в 09:00:00");
  EXPECT_EQ(store.rows.Cell(1, ColumnAction), "Показать пустое сообщение, звуковой сигнал");
  EXPECT_EQ(store.rows.Cell(1, ColumnStatus), "Активно");
}

TEST_F(LoadDataTest, RowsAreBuiltFromTheLoadedFields) {
  ASSERT_EQ(Load(IniLines({"[SETTINGS]", "TasksN=1", "[TASK0]", "Mod=10", "Ssec=30600", "Year=2024",
                           "Mon=5", "Day=15",
                           "Tex=a\x01"
                           "b",
                           "Snd=0", "Stat=3"})),
            std::nullopt);
  for (int column = 0; column < ColumnCount; ++column) {
    const std::string expected = column == ColumnNumber    ? "1"
                                 : column == ColumnMessage ? MessageCellText(store.tasks[0])
                                 : column == ColumnMoment  ? "15 мая 2024 года в 08:30:00"
                                 : column == ColumnAction  ? "Показать сообщение"
                                                          : "Выполнено на сегодня";
    EXPECT_EQ(store.rows.Cell(0, column), expected) << column;
  }
  EXPECT_EQ(store.rows.Cell(0, ColumnMessage), "a b");
}

// Notepad saves in UTF-8 or UTF-16 with a byte-order mark; such a file is read as text, and
// characters that code page 1251 lacks become "?".
TEST_F(LoadDataTest, AFileSavedInUnicodeLoadsItsTasks) {
  const std::u16string text = u"[SETTINGS]\r\nTasksN=1\r\n[TASK0]\r\nTex=Звонок № 5 ✓\r\n";
  std::string utf8 = "\xEF\xBB\xBF";
  for (char8_t c : std::u8string(u8"[SETTINGS]\r\nTasksN=1\r\n[TASK0]\r\nTex=Звонок № 5 ✓\r\n"))
    utf8 += static_cast<char>(c);
  std::string little = "\xFF\xFE", big = "\xFE\xFF";
  for (char16_t c : text) {
    little += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    big += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
  }
  for (const std::string& file : {utf8, little, big}) {
    ASSERT_EQ(Load(file), std::nullopt);
    ASSERT_EQ(store.tasks.size(), 1u);
    EXPECT_EQ(store.tasks[0].message, "Звонок № 5 ?");
  }
}

// Only well-formed Unicode is decoded: each bad sequence's valid start is one "?", never a
// control character or a line break (overlong, surrogate-coded, beyond U+10FFFF, cut off); the
// characters at the ends of the well-formed ranges and of the code page are decoded.
TEST(FileTextAsCp1251, RefusesMalformedSequences) {
  const auto bytes = [](std::string_view text) { return std::string(text); };
  using namespace std::string_view_literals;
  const std::pair<std::string, std::string> rows[] = {
      {bytes("\xEF\xBB\xBFZ\xC1\x81\xC2\xA0Y"sv), "Z??\xA0Y"},
      {bytes("\xEF\xBB\xBF\xC0\x8A"sv), "??"},
      {bytes("\xEF\xBB\xBF\xF8\x80\x80\x81\xF5\x80"sv), "??????"},
      {bytes("\xEF\xBB\xBF\xE0\x9F\xBF\xE0\xA0\x80"sv), "????"},
      {bytes("\xEF\xBB\xBF\xED\xA0\x80\xED\x9F\xBF"sv), "????"},
      {bytes("\xEF\xBB\xBF\xF4\x90\x80\x80\xF4\x8F\xBF\xBF"sv), "?????"},
      {bytes("\xEF\xBB\xBF\xF0\x8F\xBF\xBF\xF0\x90\x80\x80"sv), "?????"},
      {bytes("\xEF\xBB\xBF\xD0\x90\xD1\x8F\xE2\x84\x96\xD0"sv), "\xC0\xFF\xB9?"},
      {bytes("\xEF\xBB\xBF\xE2\x84x"sv), "?x"},
      {bytes("\xEF\xBB\xBF\xC2\x80\xD0\x82\xD1\x97\xD0\xBF\xD1\x80\xDF\xBF\xEF\xBF\xBD"sv),
       "?\x80\xBF\xEF\xF0??"},
      {bytes("\xFF\xFEZ\0Y\0X"sv), "ZY?"},
      {bytes("\xFF\xFE\x00\xD8Z\0\x00\xDC"sv), "?Z?"},
      {bytes("\xFF\xFE\xFF\xDB\xFF\xDF\x00\xD8\x00\xDC"sv), "??"},
      {bytes("\xFE\xFF\xD8\x3D\xDE\x00\x04\x10\x04\x4F"sv), "?\xC0\xFF"},
  };
  for (const auto& [file, text] : rows) EXPECT_EQ(FileTextAsCp1251(file), text) << file;
  EXPECT_EQ(Utf8AsCp1251("C:\\\xD0\x9F\xD0\xBF\xC0\xAF"), "C:\\Пп??");  // a path for a message
}

TEST_F(LoadDataTest, NamesInAnyCaseAndSectionsInAnyOrder) {
  ASSERT_EQ(Load(IniLines({"[task1]", "TEX=второе", "[Task0]", "tex=первое", "mod=3", "[settings]",
                           "tasksn=2", "winw=800", "LASTOD=C:\\Temp\\", "lastsd=D:\\Звуки\\"})),
            std::nullopt);
  ASSERT_EQ(store.tasks.size(), 2u);
  EXPECT_EQ(store.tasks[0].message, "первое");
  EXPECT_EQ(store.tasks[0].recurrence, 3);
  EXPECT_EQ(store.tasks[1].message, "второе");
  EXPECT_EQ(store.settings.windowWidth, 800);
  EXPECT_EQ(store.settings.lastFileFolder, "C:\\Temp\\");
  EXPECT_EQ(store.settings.lastSoundFolder, "D:\\Звуки\\");
}

TEST_F(LoadDataTest, FirstSectionAndFirstKeyWin) {
  ASSERT_EQ(Load(IniLines({"[SETTINGS]", "TasksN=1", "WinW=600", "WinW=700", "[TASK0]", "Mod=2",
                           "[TASK0]", "Mod=5", "Day=20", "[SETTINGS]", "WinH=300"})),
            std::nullopt);
  EXPECT_EQ(store.settings.windowWidth, 600);
  EXPECT_EQ(store.settings.windowHeight, 538);  // only in the repeated section: not found
  ASSERT_EQ(store.tasks.size(), 1u);
  EXPECT_EQ(store.tasks[0].recurrence, 2);
  EXPECT_EQ(store.tasks[0].day, 14);  // today's
}

// One task key's stored value and what the task's field becomes.
struct FieldCase {
  const char* line;
  std::function<int64_t(const Task&)> field;
  int64_t expected;
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.line; }

class LoadFieldTest : public DataFileFixture, public testing::WithParamInterface<FieldCase> {};

TEST_P(LoadFieldTest, ReadsTheValue) {
  const FieldCase& c = GetParam();
  ASSERT_EQ(Load(IniLines({"[SETTINGS]", "TasksN=1", "[TASK0]", c.line})), std::nullopt);
  ASSERT_EQ(store.tasks.size(), 1u);
  EXPECT_EQ(c.field(store.tasks[0]), c.expected) << c.line;
}

const auto kDelete = [](const Task& t) -> int64_t { return t.deleteAfter; };
const auto kShow = [](const Task& t) -> int64_t { return t.showMessage; };
const auto kSound = [](const Task& t) -> int64_t { return t.beep; };
const auto kRepeat = [](const Task& t) -> int64_t { return t.soundChoice.repeat; };
const auto kWake = [](const Task& t) -> int64_t { return t.wake; };
const auto kPrevY = [](const Task& t) -> int64_t { return t.lastRun.year; };
const auto kPrevMS = [](const Task& t) -> int64_t { return t.doneThisPeriod; };
const auto kRecurrence = [](const Task& t) -> int64_t { return t.recurrence; };
const auto kStatus = [](const Task& t) -> int64_t { return t.status; };
const auto kKind = [](const Task& t) -> int64_t { return t.rule.kind; };
const auto kRule = [](const Task& t) -> int64_t {  // kind, N, days, till in decimal places
  return ((t.rule.kind * 10000LL + t.rule.every) * 1000 + t.rule.weekdays) * 100000 +
         t.rule.tillSecond;
};
const auto kWarning = [](const Task& t) -> int64_t { return t.warnMinutes; };
const auto kDate = [](const Task& t) -> int64_t {
  return (t.year * 100LL + t.month) * 100 + t.day;
};
const auto kLastRun = [](const Task& t) -> int64_t {
  const SystemTime& r = t.lastRun;
  return ((((r.year * 100LL + r.month) * 100 + r.day) * 100 + r.hour) * 100 + r.minute) * 100 +
         r.second;
};
const auto kRunOrShutDown = [](const Task& t) -> int64_t { return t.runFile * 10 + t.shutDown; };
const auto kTime = [](const Task& t) -> int64_t {
  return t.hour * 10000 + t.minute * 100 + t.second;
};

INSTANTIATE_TEST_SUITE_P(
    Flags, LoadFieldTest,
    testing::Values(FieldCase{"Del=1", kDelete, 1}, FieldCase{"Del=10", kDelete, 1},
                    FieldCase{"Del=1abc", kDelete, 1}, FieldCase{"Del= 1", kDelete, 1},
                    FieldCase{"Del='1'", kDelete, 1}, FieldCase{"Del=0", kDelete, 0},
                    FieldCase{"Del=2", kDelete, 0}, FieldCase{"Del=01", kDelete, 0},
                    FieldCase{"Del=", kDelete, 0}, FieldCase{"Del=yes", kDelete, 0},
                    FieldCase{"NM=", kShow, 0}, FieldCase{"NM=0", kShow, 0},
                    FieldCase{"Other=0", kShow, 1}, FieldCase{"Snd=0", kSound, 0},
                    FieldCase{"Other=0", kSound, 1}, FieldCase{"Rpt=1", kRepeat, 1},
                    FieldCase{"Rpt=0", kRepeat, 0}, FieldCase{"Other=1", kRepeat, 0},
                    FieldCase{"Wake=1", kWake, 1}, FieldCase{"Wake=0", kWake, 0},
                    FieldCase{"Other=1", kWake, 0}, FieldCase{"Ex=1", kRunOrShutDown, 10},
                    FieldCase{"OFF=1", kRunOrShutDown, 1}));

INSTANTIATE_TEST_SUITE_P(
    Numbers, LoadFieldTest,
    testing::Values(FieldCase{"PrevY=-1", kPrevY, 65535}, FieldCase{"PrevY=70000", kPrevY, 4464},
                    FieldCase{"PrevY=65535", kPrevY, 65535}, FieldCase{"PrevY=$10001", kPrevY, 1},
                    FieldCase{"PrevMS=1", kPrevMS, 1}, FieldCase{"Mod=$A", kRecurrence, 10},
                    FieldCase{"Mod= 7 ", kRecurrence, 7}, FieldCase{"Mod=\"9\"", kRecurrence, 9},
                    FieldCase{"Mod=-1", kRecurrence, -1}, FieldCase{"Stat=0", kStatus, 0},
                    FieldCase{"Ssec=30600", kTime, 83000}, FieldCase{"Ssec=86399", kTime, 235959},
                    FieldCase{"Ssec=-1", kTime, -1}, FieldCase{"Ssec=0", kTime, 0},
                    FieldCase{"Other=0", kTime, 90000},
                    FieldCase{"Year=2031\r\nMon=2\r\nDay=3", kDate, 2031'02'03},
                    FieldCase{"Other=0", kDate, 2024'03'14},
                    FieldCase{"PrevY=2023\r\nPrevM=4\r\nPrevD=5\r\nPrevH=6\r\nPrevMin=7\r\nPrevS=8",
                              kLastRun, 2023'04'05'06'07'08},
                    FieldCase{"Other=0", kLastRun, 2024'03'14'09'00'00},
                    // The first key of a name counts, also one without a value.
                    FieldCase{"Mod=4\r\nmod=5", kRecurrence, 4},
                    FieldCase{"Mod\r\nMod=4", kRecurrence, 0}));

// A rule no kind allows leaves the task to its `Mod`.
INSTANTIATE_TEST_SUITE_P(
    Rules, LoadFieldTest,
    testing::Values(
        FieldCase{"Kind=4\r\nN=5\r\nDays=32\r\nTill=3600", kRule, 40005'032'03600},
        FieldCase{"Other=1", kRule, 86399}, FieldCase{"Kind=1\r\nN=1440", kKind, 1},
        FieldCase{"Kind=1\r\nN=1441", kKind, 0}, FieldCase{"Kind=1\r\nN=0", kKind, 0},
        FieldCase{"Kind=2\r\nN=24\r\nDays=127", kKind, 2}, FieldCase{"Kind=2\r\nN=25", kKind, 0},
        FieldCase{"Kind=2\r\nN=1\r\nDays=128", kKind, 0},
        FieldCase{"Kind=1\r\nN=5\r\nTill=86400", kKind, 0},
        FieldCase{"Kind=1\r\nN=5\r\nTill=-1", kKind, 0}, FieldCase{"Kind=3\r\nDays=62", kKind, 3},
        FieldCase{"Kind=3\r\nDays=0", kKind, 0}, FieldCase{"Kind=4\r\nN=1\r\nDays=1", kKind, 4},
        FieldCase{"Kind=4\r\nN=6\r\nDays=1", kKind, 0},
        FieldCase{"Kind=4\r\nN=0\r\nDays=1", kKind, 0},
        FieldCase{"Kind=4\r\nN=1\r\nDays=3", kKind, 0}, FieldCase{"Kind=5\r\nN=366", kKind, 5},
        FieldCase{"Kind=5\r\nN=367", kKind, 0}, FieldCase{"Kind=6\r\nN=1", kKind, 0},
        FieldCase{"Kind=-1\r\nN=1", kKind, 0}, FieldCase{"Pre=1440", kWarning, 1440},
        FieldCase{"Pre=1441", kWarning, 0}, FieldCase{"Pre=-1", kWarning, 0}));

TEST_F(LoadDataTest, SettingsNumbersInEveryForm) {
  ASSERT_EQ(
      Load(IniLines({"[SETTINGS]", "WinW=$2CE", "WinH= 718", "Ln0=x10", "Ln1=0X10", "Ln2='-5'",
                     "WinS=0", "Tray=", "SMin=1", "WinMax=1", "seen= 2024-02-29 23:59:59 "})),
      std::nullopt);
  EXPECT_EQ(store.seen, (LocalMoment{2024, 2, 29, 23, 59, 59}));
  const Settings& s = store.settings;
  EXPECT_EQ((std::tuple{s.windowWidth, s.windowHeight, s.columnWidths[0], s.columnWidths[1],
                        s.columnWidths[2]}),
            (std::tuple{718, 718, 16, 16, -5}));
  EXPECT_EQ(
      (std::tuple{int{s.startWithWindows}, int{s.useTray}, int{s.startHidden}, int{s.maximised}}),
      (std::tuple{0, 0, 1, 1}));
}

TEST_F(LoadDataTest, MessagesAndTextsAsStored) {
  const std::string long256(256, 'm');
  const std::string longPath = "C:\\" + std::string(400, 'd') + "\\a.exe";
  ASSERT_EQ(Load(IniLines({"[SETTINGS]", "TasksN=4", "LastOD=\"C:\\Мои документы\\\"", "[TASK0]",
                           "Tex=" + long256, "FN=" + longPath, "[TASK1]", "Tex=a\x01", "[TASK2]",
                           "Tex=  a b  ", "SndF=  'D:\\гонг.wav'  ", "[TASK3]", "Tex=x\ny"})),
            std::nullopt);
  EXPECT_EQ(store.tasks[0].message, long256);
  EXPECT_EQ(store.tasks[0].fileName, longPath);
  EXPECT_EQ(store.tasks[1].message, "a\r\n");
  EXPECT_EQ(store.tasks[2].message, "a b");
  EXPECT_EQ(store.tasks[2].soundChoice.file, "D:\\гонг.wav");
  EXPECT_EQ(store.tasks[3].message, "x");  // a lone LF ends a line written by hand
  EXPECT_EQ(store.settings.lastFileFolder, "C:\\Мои документы\\");
}

// A file that stops loading, the text returned, and how far loading got.
struct StopCase {
  const char* name;
  std::string file;
  std::string error;
  int settingsApplied;
  size_t tasks;
};

void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }

class LoadStopTest : public DataFileFixture, public testing::WithParamInterface<StopCase> {};

TEST_P(LoadStopTest, ReturnsTheErrorText) {
  const StopCase& c = GetParam();
  EXPECT_EQ(Load(c.file), c.error);
  EXPECT_EQ(settingsApplied, c.settingsApplied);
  EXPECT_EQ(store.tasks.size(), c.tasks);
  EXPECT_EQ(static_cast<size_t>(store.rows.Count()), c.tasks);
  for (const Task& t : store.tasks) EXPECT_EQ(t.armed, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Stops, LoadStopTest,
    testing::Values(StopCase{"LettersAfterDigits", IniLines({"[SETTINGS]", "WinW=718abc"}),
                             "'718abc' is not a valid integer value", 0, 0},
                    StopCase{"EmptyNumber", IniLines({"[SETTINGS]", "Ln2="}),
                             "'' is not a valid integer value", 0, 0},
                    StopCase{"LoneMinus", IniLines({"[SETTINGS]", "TasksN=-"}),
                             "'-' is not a valid integer value", 0, 0},
                    StopCase{"TextAsReturned", IniLines({"[SETTINGS]", "WinY=\" 1 2 \""}),
                             "' 1 2 ' is not a valid integer value", 0, 0},
                    StopCase{"CyrillicValue", IniLines({"[SETTINGS]", "Ln4=сто"}),
                             "'сто' is not a valid integer value", 0, 0},
                    StopCase{"NegativeCount", IniLines({"[SETTINGS]", "TasksN=-1", "[TASK0]"}),
                             "Range check error", 1, 0},
                    StopCase{"HexNegativeCount", IniLines({"[SETTINGS]", "TasksN=$FFFFFFFF"}),
                             "Range check error", 1, 0},
                    StopCase{"CountTooLarge", IniLines({"[SETTINGS]", "TasksN=1000001"}),
                             "Range check error", 1, 0},
                    StopCase{"HugeCount", IniLines({"[SETTINGS]", "TasksN=2147483647"}),
                             "Range check error", 1, 0},
                    StopCase{"BadKeyInSecondTask",
                             IniLines({"[SETTINGS]", "TasksN=3", "[TASK0]", "[TASK1]", "Day=5x"}),
                             "'5x' is not a valid integer value", 1, 1},
                    // Tasks the count leaves unread would be lost by the next save.
                    StopCase{"TaskSectionBeyondTheCount",
                             IniLines({"[SETTINGS]", "TasksN=1", "[TASK0]", "[task2]"}),
                             "File C:\\Vornakel\\Data.ini holds [task2] beyond its task count "
                             "TasksN=1",
                             1, 0},
                    // A section with a leading zero is no task's: it is named as written.
                    StopCase{"TaskSectionWithALeadingZero",
                             IniLines({"[SETTINGS]", "TasksN=2", "[TASK0]", "[TASK1]", "[TASK01]"}),
                             "File C:\\Vornakel\\Data.ini holds [TASK01] beyond its task count "
                             "TasksN=2",
                             1, 0},
                    // A file cut short never loads as empty tasks.
                    StopCase{"TaskSectionMissing",
                             IniLines({"[SETTINGS]", "TasksN=3", "[TASK0]", "[TASK2]"}),
                             "File C:\\Vornakel\\Data.ini lacks [TASK1] of its task count "
                             "TasksN=3",
                             1, 1},
                    StopCase{"TaskSectionWithoutACount", IniLines({"[SETTINGS]", "[TASK0]"}),
                             "File C:\\Vornakel\\Data.ini holds [TASK0] beyond its task count "
                             "TasksN=0",
                             1, 0},
                    StopCase{"TaskSectionAtTheCount",
                             IniLines({"[SETTINGS]", "TasksN=1", "[TASK0]", "[TASK1]"}),
                             "File C:\\Vornakel\\Data.ini holds [TASK1] beyond its task count "
                             "TasksN=1",
                             1, 0},
                    StopCase{"TaskSectionBeyondTheCountBeforeIt",
                             IniLines({"[TASK1]", "[TASK0]", "[SETTINGS]", "TasksN=1"}),
                             "File C:\\Vornakel\\Data.ini holds [TASK1] beyond its task count "
                             "TasksN=1",
                             1, 0},
                    // The value an older version meets first, reading task after task in the
                    // order of its keys, wherever the file holds it.
                    StopCase{"FirstBadValueInReadingOrder",
                             IniLines({"[SETTINGS]", "TasksN=3", "[TASK2]", "Mod=c", "[TASK1]",
                                       "Pre=b", "Mod=a", "Mod=d", "[TASK0]"}),
                             "'a' is not a valid integer value", 1, 1},
                    StopCase{"MissingSectionBeforeABadValue",
                             IniLines({"[SETTINGS]", "TasksN=3", "[TASK2]", "Day=x", "[TASK0]"}),
                             "File C:\\Vornakel\\Data.ini lacks [TASK1] of its task count "
                             "TasksN=3",
                             1, 1},
                    StopCase{"BadLastRunWord",
                             IniLines({"[SETTINGS]", "TasksN=1", "[TASK0]", "PrevMS=?"}),
                             "'?' is not a valid integer value", 1, 0}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(LoadDataTest, KeysBeforeTheBadOneKeepTheirValuesAndLaterOnesAreNotRead) {
  ASSERT_EQ(Load(IniLines({"[SETTINGS]", "WinW=640", "LastOD=C:\\x\\", "Ln0=40", "Ln1=41",
                           "Ln2=4 2", "Ln3=43", "TasksN=1"})),
            "'4 2' is not a valid integer value");
  const Settings& s = store.settings;
  EXPECT_EQ((std::tuple{s.windowWidth, s.columnWidths[0], s.columnWidths[1], s.columnWidths[2],
                        s.columnWidths[3], s.taskCount}),
            (std::tuple{640, 40, 41, 0, 0, 0}));
  EXPECT_EQ(s.lastFileFolder, "C:\\x\\");
}

}  // namespace
