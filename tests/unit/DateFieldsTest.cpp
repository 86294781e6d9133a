// The date fields by recurrence: which controls a recurrence enables, the day list of a month and
// year, the remembered day kept within it, and the warning texts byte for byte.
#include <gtest/gtest.h>

#include "core/Texts.h"
#include "ui/editor/DateFields.h"

namespace {

constexpr int32_t kJanuary = 0, kFebruary = 1, kMarch = 2, kApril = 3;  // list indexes

TEST(DaysInMonth, FebruaryByTheYearRules) {
  struct Case {
    int32_t year, days;
  };
  for (const Case c : {Case{1900, 28}, Case{2000, 29}, Case{2023, 28}, Case{2024, 29},
                       Case{2100, 28}, Case{2400, 29}, Case{0, 29}, Case{2008, 29}})
    EXPECT_EQ(DaysInMonth(2, c.year), c.days) << c.year;
}

TEST(DaysInMonth, EveryMonthOfACommonAndALeapYear) {
  const int32_t common[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int32_t month = 1; month <= 12; ++month) {
    EXPECT_EQ(DaysInMonth(month, 2023), common[month - 1]) << month;
    EXPECT_EQ(DaysInMonth(month, 2024), month == 2 ? 29 : common[month - 1]) << month;
  }
  EXPECT_EQ(DaysInMonth(0, 2024), 31);  // a month list without a selection
}

TEST(LayoutForRecurrence, EnablesTheDateControlsOfEachRecurrence) {
  struct Case {
    int32_t recurrence;
    bool known, month, year, day, deleteAfter;
    RecurrenceFollowUp then;
  };
  const Case cases[] = {
      {0, true, false, false, false, false, RecurrenceFollowUp::None},
      {1, true, false, false, false, false, RecurrenceFollowUp::None},
      {7, true, false, false, false, false, RecurrenceFollowUp::None},
      {8, true, false, false, true, false, RecurrenceFollowUp::MonthlyDayList},
      {9, true, true, false, true, false, RecurrenceFollowUp::MonthLogic},
      {10, true, true, true, true, true, RecurrenceFollowUp::MonthLogic},
      {-1, false, false, false, false, false, RecurrenceFollowUp::None},
      {11, true, false, false, false, false, RecurrenceFollowUp::None},
      {15, true, false, false, false, false, RecurrenceFollowUp::None},
      {16, true, true, true, true, false, RecurrenceFollowUp::MonthLogic},  // from its date
      {17, false, false, false, false, false, RecurrenceFollowUp::None},
  };
  for (const Case& c : cases) {
    const RecurrenceLayout layout = LayoutForRecurrence(c.recurrence);
    EXPECT_EQ(layout.known, c.known) << c.recurrence;
    EXPECT_EQ(layout.month, c.month) << c.recurrence;
    EXPECT_EQ(layout.year, c.year) << c.recurrence;
    EXPECT_EQ(layout.day, c.day) << c.recurrence;
    EXPECT_EQ(layout.deleteAfter, c.deleteAfter) << c.recurrence;
    EXPECT_EQ(layout.then, c.then) << c.recurrence;
  }
}

EditorMoment MomentOn(int32_t year, int32_t month, int32_t day) {
  EditorMoment moment;
  moment.year = year;
  moment.month = month;
  moment.day = day;
  return moment;
}

TEST(MonthChosen, ThirtyFirstOfMarchToAprilAndBackKeepsThirty) {
  EditorMoment moment = MomentOn(2024, 3, 31);
  DayList april = MonthChosen(moment, kApril, Once);
  EXPECT_EQ(april.count, 30);
  EXPECT_EQ(april.selectedIndex, 29);
  EXPECT_EQ(moment.month, 4);
  EXPECT_EQ(moment.day, 30);
  DayList march = MonthChosen(moment, kMarch, Once);
  EXPECT_EQ(march.count, 31);
  EXPECT_EQ(march.selectedIndex, 29);
  EXPECT_EQ(moment.day, 30);
  EXPECT_FALSE(april.warning || march.warning);
}

TEST(MonthChosen, LeapToCommonYearMovesTheTwentyNinthOfFebruaryToTheTwentyEighth) {
  EditorMoment moment = MomentOn(2024, 2, 29);
  EXPECT_EQ(MonthChosen(moment, kFebruary, Once).count, 29);
  EXPECT_EQ(moment.day, 29);
  moment.year = 2023;  // the year field changed
  const DayList list = MonthChosen(moment, kFebruary, Once);
  EXPECT_EQ(list.count, 28);
  EXPECT_EQ(list.selectedIndex, 27);
  EXPECT_EQ(moment.day, 28);
}

TEST(MonthChosen, AYearlyTasksFebruaryHasTheTwentyNinthInAnyYearAndWarnsOfIt) {
  struct Case {
    int32_t year, day, recurrence;
    bool warns;
    int32_t dayAfter, count;
  };
  const Case cases[] = {
      {2024, 29, EveryYear, true, 29, 29},
      {2024, 31, EveryYear, true, 29, 29},  // February chosen while the remembered day is later
      {2024, 28, EveryYear, false, 28, 29},
      {2023, 29, EveryYear, true, 29, 29},  // the year field shows a common year
      {2023, 30, EveryYear, true, 29, 29},
      {2023, 29, Once, false, 28, 28},  // a one-time task names its year
      {2024, 29, Once, false, 29, 29},
  };
  for (const Case& c : cases) {
    EditorMoment moment = MomentOn(c.year, 1, c.day);
    const DayList list = MonthChosen(moment, kFebruary, c.recurrence);
    EXPECT_EQ(list.warning.has_value(), c.warns) << c.year << " " << c.day << " " << c.recurrence;
    if (list.warning) {
      EXPECT_EQ(*list.warning, "Не каждый год содержит 29 дней в феврале");
    }
    EXPECT_EQ(moment.day, c.dayAfter);
    EXPECT_EQ(list.count, c.count);
    EXPECT_EQ(list.selectedIndex, c.dayAfter - 1);
  }
  EditorMoment moment = MomentOn(2023, 2, 29);
  EXPECT_FALSE(MonthChosen(moment, kJanuary, EveryYear).warning);
  EXPECT_EQ(MonthChosen(moment, kApril, EveryYear).count, 30);
}

TEST(DayChosen, MonthlyWarningTextsForTheLastDays) {
  struct Case {
    int32_t dayIndex;
    const char* warning;  // nullptr: none
  };
  const Case cases[] = {{0, nullptr},
                        {27, nullptr},
                        {28, "Не каждый месяц содержит 29 дней"},
                        {29, "Не каждый месяц содержит 30 дней"},
                        {30, "Не каждый месяц содержит 31 день"}};
  for (const Case& c : cases) {
    EditorMoment moment = MomentOn(2024, 2, 1);
    const std::optional<std::string> warning = DayChosen(moment, c.dayIndex, EveryMonth);
    EXPECT_EQ(moment.day, c.dayIndex + 1);
    if (c.warning) {
      ASSERT_TRUE(warning) << c.dayIndex;
      EXPECT_EQ(*warning, c.warning);
    } else {
      EXPECT_FALSE(warning) << c.dayIndex;
    }
  }
}

TEST(DayChosen, FebruaryWarningOnlyForAYearlyTask) {
  EditorMoment yearly = MomentOn(2024, 2, 1);
  EXPECT_EQ(DayChosen(yearly, 28, EveryYear), std::optional<std::string>(kFebruaryWarning));
  EditorMoment march = MomentOn(2024, 3, 1);
  EXPECT_FALSE(DayChosen(march, 28, EveryYear));
  EditorMoment once = MomentOn(2024, 2, 1);
  EXPECT_FALSE(DayChosen(once, 28, Once));
  EditorMoment daily = MomentOn(2024, 2, 1);
  EXPECT_FALSE(DayChosen(daily, 30, EveryDay));
}

TEST(WarningTexts, AreWindowsCyrillicBytes) {
  // "Обратите внимание!" and "Не каждый месяц содержит 31 день" in code page 1251.
  const std::string caption = kWarningCaption;
  EXPECT_EQ(caption, "\xCE\xE1\xF0\xE0\xF2\xE8\xF2\xE5 \xE2\xED\xE8\xEC\xE0\xED\xE8\xE5!");
  EXPECT_EQ(*MonthlyDayWarning(31),
            "\xCD\xE5 \xEA\xE0\xE6\xE4\xFB\xE9 \xEC\xE5\xF1\xFF\xF6 "
            "\xF1\xEE\xE4\xE5\xF0\xE6\xE8\xF2 31 \xE4\xE5\xED\xFC");
}

}  // namespace
