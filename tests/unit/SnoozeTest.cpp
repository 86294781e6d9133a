// Snoozed reminders: their moments, and how Data.ini keeps them beside the tasks.
#include <gtest/gtest.h>

#include "core/Snooze.h"
#include "core/Texts.h"
#include "tests/unit/DataFileFixture.h"

namespace {

TEST(SnoozeMoments, AddMinutesCrossesDaysMonthsAndLeapYearsAndEachFieldHasItsBounds) {
  struct Case {
    const char* from;
    int32_t minutes;
    const char* to;
  } cases[] = {
      {"2024-05-15 12:00:07", 10, "2024-05-15 12:10:07"},
      {"2024-05-15 23:55:00", 10, "2024-05-16 00:05:00"},
      {"2024-02-28 23:30:00", 60, "2024-02-29 00:30:00"},
      {"2023-02-28 23:30:00", 60, "2023-03-01 00:30:00"},
      {"2024-12-31 23:59:59", 1440, "2025-01-01 23:59:59"},
      {"2024-04-30 22:00:00", 120, "2024-05-01 00:00:00"},
      {"2024-02-29 23:59:00", 1, "2024-03-01 00:00:00"},
      {"0001-01-01 00:00:00", 59, "0001-01-01 00:59:00"},  // the lowest moment, before 1970
      {"0001-01-01 23:00:00", 60, "0001-01-02 00:00:00"},
  };
  for (const Case& c : cases) {
    const auto from = ParseDueText(c.from);
    ASSERT_TRUE(from) << c.from;
    EXPECT_EQ(DueText(AddMinutes(*from, c.minutes)), c.to) << c.from;
  }
  for (const char* bad : {"2023-02-29 10:00:00", "2024-13-01 10:00:00", "2024-04-31 10:00:00",
                          "0000-01-01 10:00:00", "2024-01-01 24:00:00", "2024-01-01 10:60:00",
                          "2024-00-10 10:00:00", "2024-01-00 10:00:00", "2024-01-01 10:00:60",
                          "2024-1-01 10:00:00", "2024-01-01T10:00:00", "2024-01-01 10:00:00x", ""})
    EXPECT_FALSE(ParseDueText(bad)) << bad;
  EXPECT_EQ(DueText(MomentOf({2024, 3, 14, 12, 5, 9, 250, 4})), "2024-03-14 12:05:09");
}

// The popup's duration list: a day is its last item; a number it does not offer selects the
// default.
TEST(SnoozeMoments, ChoiceOfTheDurationList) {
  EXPECT_STREQ(kSnoozeTexts[SnoozeChoiceIndex(24 * 60)], "1 день");
  EXPECT_STREQ(kSnoozeTexts[SnoozeChoiceIndex(7)], "10 мин");
}

class SnoozeFile : public DataFileFixture {};

TEST_F(SnoozeFile, PendingRemindersAreSavedAfterTheTasksAndReadBackInTheirOrder) {
  store.settings.snoozeMinutes = 30;
  InsertByDue(
      store.snoozed,
      {{2024, 5, 16, 9, 0, 0}, "16 мая 2024 года в 09:00:00", "Второе\r\n\"в кавычках\"", false});
  InsertByDue(
      store.snoozed,
      {{2024, 5, 15, 12, 10, 7}, "Ежедневно в 12:00:07", "Первое", true, {" D:\\гонг.wav", true}});
  Task task;
  task.message = "Задача";
  store.tasks.push_back(task);
  Store reloaded;
  ASSERT_NO_FATAL_FAILURE(SaveAndReload(reloaded));
  const std::string& file = FileBytes();
  EXPECT_NE(file.find("LastOD=\r\nSnooze=30\r\nSnoozeN=2\r\nLastSD=\r\nSeen=2024-03-14 10:00:00\r\n"
                      "[TASK0]\r\n"),
            std::string::npos);
  EXPECT_NE(file.find("[SNOOZE0]\r\nDue=2024-05-15 12:10:07\r\nMom=Ежедневно в 12:00:07\r\n"
                      "Tex=Первое\r\nSnd=1\r\nSndF=\" D:\\гонг.wav\"\r\nRpt=1\r\n[SNOOZE1]\r\n"),
            std::string::npos)
      << file;
  EXPECT_GT(file.find("[SNOOZE0]"), file.find("[TASK0]"));
  EXPECT_EQ(reloaded.settings.snoozeMinutes, 30);
  ASSERT_EQ(reloaded.snoozed.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    const SnoozedReminder &a = store.snoozed[i], &b = reloaded.snoozed[i];
    EXPECT_EQ(std::tie(a.due, a.moment, a.message, a.sound, a.soundChoice),
              std::tie(b.due, b.moment, b.message, b.sound, b.soundChoice))
        << i;
  }
}

TEST_F(SnoozeFile, AFileOfAnOlderVersionIsWrittenBackWithTheTwoNewLinesOnly) {
  Task task;
  task.message = "Задача";
  store.tasks.push_back(task);
  ASSERT_EQ(SaveData(store, platform), std::nullopt);
  const std::string current = FileBytes();
  std::string older = current;
  const size_t lines = older.find("Snooze=10\r\nSnoozeN=0\r\n");
  ASSERT_NE(lines, std::string::npos);
  older.erase(lines, 22);
  Store reloaded;
  reloaded.dataPath = kDataPath;
  PutFile(older);
  ASSERT_EQ(LoadData(reloaded, platform, nullptr), std::nullopt);
  ASSERT_EQ(SaveData(reloaded, platform), std::nullopt);
  EXPECT_EQ(FileBytes(), current);
}

TEST_F(SnoozeFile, AReminderWithABadMomentIsDroppedAndABadCountStopsTheLoad) {
  // Out of order in the file, one moment that is not a date, one section missing; a repeated
  // section, one beyond the count and one with a leading zero are no reminders.
  ASSERT_EQ(Load(IniLines({"[snooze01]", "Due=2024-05-14 09:00:00", "[SETTINGS]", "TasksN=0",
                           "SnoozeN=4", "[SNOOZE0]", "Due=2024-05-16 09:00:00", "Tex=позже",
                           "[SNOOZE1]", "Due=2024-02-30 09:00:00", "Tex=нет такого дня",
                           "[SNOOZE2]", "Due=2024-05-15 09:00:00", "Tex=раньше", "[Snooze2]",
                           "Due=2024-05-14 09:00:00", "[SNOOZE4]", "Due=2024-05-14 09:00:00"})),
            std::nullopt);
  ASSERT_EQ(store.snoozed.size(), 2u);
  EXPECT_EQ(store.snoozed[0].message, "раньше");
  EXPECT_EQ(store.snoozed[1].message, "позже");
  EXPECT_EQ(store.settings.snoozeMinutes, 10);
  EXPECT_EQ(Load(IniLines({"[SETTINGS]", "TasksN=0", "SnoozeN=два"})),
            "'два' is not a valid integer value");
}

TEST(SnoozeQueue, TakesWhatIsDueInOrder) {
  std::vector<SnoozedReminder> pending;
  for (int32_t minute : {30, 10, 20, 10}) {
    SnoozedReminder r;
    r.due = {2024, 5, 15, 12, minute, 0};
    r.message = std::to_string(minute) + "#" + std::to_string(pending.size());
    InsertByDue(pending, r);
  }
  const auto due = TakeDue(pending, {2024, 5, 15, 12, 20, 0});
  std::vector<std::string> taken;
  for (const auto& r : due) taken.push_back(r.message);
  // Those due at the same moment keep the order they were put off in.
  EXPECT_EQ(taken, (std::vector<std::string>{"10#1", "10#3", "20#2"}));
  ASSERT_EQ(pending.size(), 1u);
  EXPECT_EQ(pending[0].message, "30#0");
}

}  // namespace
