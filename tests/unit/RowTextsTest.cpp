// The exact texts of the list's cells.
#include <gtest/gtest.h>

#include "core/RowTexts.h"

namespace {

Task MakeTask(int32_t recurrence, int32_t ssec, int32_t day = 15, int32_t month = 5,
              int32_t year = 2024) {
  Task t;
  t.recurrence = recurrence;
  t.SetSecondOfDay(ssec);
  t.day = day;
  t.month = month;
  t.year = year;
  return t;
}

TEST(TwoDigits, PadsOnlyBelowTen) {
  EXPECT_EQ(TwoDigits(0), "00");
  EXPECT_EQ(TwoDigits(7), "07");
  EXPECT_EQ(TwoDigits(10), "10");
  EXPECT_EQ(TwoDigits(59), "59");
  EXPECT_EQ(TwoDigits(-1), "0-1");  // below ten, so padded, as the rule says
}

TEST(MonthGenitive, AllMonthsAndOutOfRange) {
  const char* expected[] = {" января", " февраля", " марта",    " апреля",  " мая",    " июня",
                            " июля",   " августа", " сентября", " октября", " ноября", " декабря"};
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(MonthGenitive(m), expected[m - 1]) << m;
  EXPECT_EQ(MonthGenitive(0), "");
  EXPECT_EQ(MonthGenitive(13), "");
  EXPECT_EQ(MonthGenitive(-5), "");
}

struct MomentCase {
  int32_t recurrence, ssec, day, month, year;
  const char* expected;
};

class MomentTextTest : public testing::TestWithParam<MomentCase> {};

TEST_P(MomentTextTest, ReadsExactly) {
  const MomentCase& c = GetParam();
  EXPECT_EQ(MomentText(MakeTask(c.recurrence, c.ssec, c.day, c.month, c.year)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryRecurrence, MomentTextTest,
    testing::Values(MomentCase{0, 30600, 1, 1, 2024, "Ежедневно в 08:30:00"},
                    MomentCase{1, 25500, 1, 1, 2024, "Каждый понедельник в 07:05:00"},
                    MomentCase{2, 86399, 1, 1, 2024, "Каждый вторник в 23:59:59"},
                    MomentCase{3, 0, 1, 1, 2024, "Каждую среду в 00:00:00"},
                    MomentCase{4, 32400, 1, 1, 2024, "Каждый четверг в 09:00:00"},
                    MomentCase{5, 32400, 1, 1, 2024, "Каждую пятницу в 09:00:00"},
                    MomentCase{6, 32400, 1, 1, 2024, "Каждую субботу в 09:00:00"},
                    MomentCase{7, 32400, 1, 1, 2024, "Каждое воскресенье в 09:00:00"},
                    MomentCase{8, 32400, 15, 5, 2024, "15 числа ежемесячно в 09:00:00"},
                    MomentCase{9, 32400, 15, 5, 2024, "15 мая ежегодно  в 09:00:00"},
                    MomentCase{10, 32400, 15, 5, 2024, "15 мая 2024 года в 09:00:00"},
                    MomentCase{9, 32400, 31, 12, 2024, "31 декабря ежегодно  в 09:00:00"},
                    MomentCase{9, 32400, 3, 13, 2024, "3 ежегодно  в 09:00:00"},
                    MomentCase{10, 32400, 3, 0, 2030, "3 2030 года в 09:00:00"},
                    MomentCase{11, 45296, 1, 1, 2024, "12:34:56"},
                    MomentCase{-1, 45296, 1, 1, 2024, "12:34:56"},
                    MomentCase{0, -1, 1, 1, 2024, "Ежедневно в 00:00:0-1"}));

constexpr int32_t kMonWedFri = WeekdayBit(1) | WeekdayBit(3) | WeekdayBit(5);

// The rules beyond the recurrence, on 1 January 2024; a rule no kind allows reads as the
// recurrence.
TEST(MomentText, ReadsEveryRuleAndTheWarning) {
  const struct {
    const char* expected;
    RepeatRule rule;
    int32_t hour;  // the first moment's, whole
    int32_t warnMinutes = 0;
  } rows[] = {
      {"Каждые 45 мин с 09:00:00 до 18:00:00", {EveryNMinutes, 45, 0, 64800}, 9},
      {"Каждую минуту с 00:00:00 до 23:59:59", {EveryNMinutes, 1}, 0},
      {"Каждые 2 ч с 09:00:00 до 18:00:01 по пн, ср, пт", {EveryNHours, 2, kMonWedFri, 64801}, 9},
      {"Каждый час с 09:00:00 до 23:59:59 по рабочим дням", {EveryNHours, 1, kWorkingDays}, 9},
      {"По пн, ср, пт в 09:00:00", {OnWeekdays, 0, kMonWedFri}, 9},
      {"По рабочим дням в 09:00:00", {OnWeekdays, 0, kWorkingDays}, 9},
      {"По сб, вс в 09:00:00, заранее за 15 мин",
       {OnWeekdays, 0, WeekdayBit(6) | WeekdayBit(0)},
       9,
       15},
      {"Каждый второй вторник месяца в 10:00:00", {NthWeekdayOfMonth, 2, WeekdayBit(2)}, 10},
      {"Каждую последнюю пятницу месяца в 17:00:00", {NthWeekdayOfMonth, 5, WeekdayBit(5)}, 17},
      {"Каждое первое воскресенье месяца в 17:00:00", {NthWeekdayOfMonth, 1, WeekdayBit(0)}, 17},
      {"Каждые 3 дня в 09:00:00", {EveryNDays, 3}, 9},
      {"Каждый день в 09:00:00", {EveryNDays, 1}, 9},
      {"Каждые 12 дней в 09:00:00", {EveryNDays, 12}, 9},
      {"Каждые 111 дней в 09:00:00", {EveryNDays, 111}, 9},
      {"Каждый 21 день в 09:00:00, заранее за 1440 мин", {EveryNDays, 21}, 9, 1440},
      {"Ежедневно в 09:00:00, заранее за 1 мин", {}, 9, 1},
      {"Ежедневно в 09:00:00", {NthWeekdayOfMonth, 6, 1}, 9},
  };
  for (const auto& row : rows) {
    Task t = MakeTask(EveryDay, row.hour * 3600, 1, 1, 2024);
    t.rule = row.rule;
    t.warnMinutes = row.warnMinutes;
    EXPECT_EQ(MomentText(t), row.expected);
  }
}

struct ActionCase {
  uint8_t show, sound, run, shutdown, del;
  const char* text;
  const char* file;
  const char* expected;
};

class ActionTextTest : public testing::TestWithParam<ActionCase> {};

TEST_P(ActionTextTest, ReadsExactly) {
  const ActionCase& c = GetParam();
  Task t;
  t.showMessage = c.show;
  t.beep = c.sound;
  t.runFile = c.run;
  t.shutDown = c.shutdown;
  t.deleteAfter = c.del;
  t.message = c.text;
  t.fileName = c.file;
  EXPECT_EQ(ActionText(t), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCombination, ActionTextTest,
    testing::Values(ActionCase{1, 1, 1, 0, 0, "x", "C:\\a.exe",
                               "Показать сообщение, звуковой сигнал и запустить C:\\a.exe"},
                    ActionCase{0, 0, 0, 0, 0, "x", "", "Ничего не делать"},
                    ActionCase{0, 0, 0, 0, 1, "x", "", "Не показать сообщение и удалить задание"},
                    ActionCase{1, 1, 0, 1, 1, "x", "", "Выключить компьютер и удалить задание"},
                    ActionCase{1, 1, 1, 1, 0, "x", "C:\\a.exe", "Выключить компьютер"},
                    ActionCase{1, 0, 0, 0, 0, "", "", "Показать пустое сообщение"},
                    ActionCase{1, 1, 0, 0, 1, "", "",
                               "Показать пустое сообщение, звуковой сигнал и удалить задание"},
                    ActionCase{0, 1, 0, 0, 0, "", "", "Не показать сообщение, звуковой сигнал"},
                    ActionCase{0, 0, 1, 0, 0, "", "D:\\Мои файлы\\b.bat",
                               "Не показать сообщение и запустить D:\\Мои файлы\\b.bat"},
                    ActionCase{2, 0, 0, 0, 0, "x", "",
                               "Показать сообщение"}));  // any non-zero byte is set

TEST(MessageCellText, CutAt256ThenLineBreaksBecomeBlanks) {
  struct Case {
    std::string text, expected;
  } cases[] = {
      {"", ""},
      {"a\r\nb", "a b"},
      {"\r\n\r\n", "  "},
      {"a\rb\nc", "a\rb\nc"},  // lone CR and LF stay
      {std::string(256, 'x'), std::string(256, 'x')},
      {std::string(257, 'x'), std::string(256, 'x')},
      {std::string(255, 'x') + "\r\n", std::string(255, 'x') + "\r"},  // LF cut off, CR stays
      {"\r\n" + std::string(300, 'y'), " " + std::string(254, 'y')},
  };
  for (const Case& c : cases) {
    Task t;
    t.message = c.text;
    EXPECT_EQ(MessageCellText(t), c.expected) << c.text.size();
  }
}

TEST(StatusText, FourCodes) {
  EXPECT_STREQ(StatusText(0), "Выполнено");
  EXPECT_STREQ(StatusText(1), "Активно");
  EXPECT_STREQ(StatusText(2), "Приостановлено");
  EXPECT_STREQ(StatusText(3), "Выполнено на сегодня");
  EXPECT_STREQ(StatusText(4), "");
}

TEST(CyrillicLiterals, AreCp1251Bytes) {
  // "Активно" in code page 1251; catches a build without the execution charset.
  EXPECT_EQ(std::string(StatusText(1)), "\xC0\xEA\xF2\xE8\xE2\xED\xEE");
}

TEST(BuildRow, AppendShowsAllFiveCellsAndRebuildKeepsNumber) {
  Store store;
  for (int i = 0; i < 3; ++i) {
    Task t = MakeTask(0, 30600);
    t.message = "Позвонить\r\nв банк";
    t.showMessage = 1;
    t.beep = 1;
    t.status = StatusActive;
    store.tasks.push_back(t);
    BuildRow(store, i, true);
  }
  ASSERT_EQ(store.rows.Count(), 3);
  const RowModel::Row expected = {"2", "Позвонить в банк", "Ежедневно в 08:30:00",
                                  "Показать сообщение, звуковой сигнал", "Активно"};
  EXPECT_EQ(store.rows.At(1), expected);

  store.rows.TakeChanges();
  store.tasks[1].recurrence = Once;
  store.tasks[1].status = StatusDone;
  BuildRow(store, 1, false);
  EXPECT_EQ(store.rows.Cell(1, ColumnNumber), "2");
  EXPECT_EQ(store.rows.Cell(1, ColumnMoment), "15 мая 2024 года в 08:30:00");
  EXPECT_EQ(store.rows.Cell(1, ColumnStatus), "Выполнено");
  const std::vector<RowChange> changes = store.rows.TakeChanges();
  ASSERT_EQ(changes.size(), 4u);
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(changes[c].kind, RowChange::CellChanged);
    EXPECT_EQ(changes[c].row, 1);
    EXPECT_EQ(changes[c].column, c + 1);
  }
}

}  // namespace
