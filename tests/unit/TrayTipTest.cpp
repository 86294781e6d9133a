// The tray icon's tip: what comes next, today, another day or year, cut to the shell's bound; and
// when it must be composed again.
#include <gtest/gtest.h>

#include "core/Store.h"
#include "ui/main/TrayTip.h"

namespace {

const SystemTime kNow{2027, 6, 1, 10, 0, 0, 0, 2};  // Tuesday 1 June 2027, 10:00:00

Task Active(int32_t recurrence, int32_t day, int32_t month, int32_t year, std::string message) {
  Task task;
  task.recurrence = recurrence, task.day = day, task.month = month, task.year = year;
  task.SetSecondOfDay(recurrence == EveryDay ? 18 * 3600 + 30 * 60 : 9 * 3600);
  task.status = StatusActive;
  task.message = std::move(message);
  return task;
}

TEST(TrayTip, ShowsWhatComesNextCutToTheShellsBound) {
  const std::string x101(101, 'x'), x100(100, 'x');
  struct Row {
    Task task;
    std::optional<LocalMoment> snoozed;
    std::string tip;
  };
  const Row rows[] = {
      {Active(EveryDay, 0, 0, 0, "Планёрка\r\nзал 2"), {}, "Vornakel\nСледующее: 18:30 Планёрка"},
      {Active(EveryMonth, 12, 0, 0, "Оплатить интернет"),
       {},
       "Vornakel\nСледующее: 12.06 09:00 Оплатить интернет"},
      {Active(EveryYear, 1, 12, 0, "Открытка"), {}, "Vornakel\nСледующее: 01.12 09:00 Открытка"},
      {Active(Once, 1, 6, 2028, "Продлить"), {}, "Vornakel\nСледующее: 01.06.2028 09:00 Продлить"},
      {Active(EveryDay, 0, 0, 0, "\r\nвторая"), {}, "Vornakel\nСледующее: 18:30"},
      {Active(EveryDay, 0, 0, 0, "Загружено\nиз файла"),
       {},
       "Vornakel\nСледующее: 18:30 Загружено"},
      {Active(EveryDay, 0, 0, 0, x101), {}, "Vornakel\nСледующее: 18:30 " + x101},  // 127
      {Active(EveryDay, 0, 0, 0, x101 + "y"), {}, "Vornakel\nСледующее: 18:30 " + x100 + "\x85"},
      {Active(EveryDay, 0, 0, 0, "Планёрка"), LocalMoment{2027, 6, 1, 10, 5, 0},
       "Vornakel\nСледующее: 10:05 Отложено"},
      {Active(Once, 1, 5, 2027, "Прошло"), {}, "Vornakel\nСледующее: 10:00 Прошло"},  // caught up
      {Active(Once + 1, 1, 5, 2027, "Никогда"), {}, "Vornakel"},  // a recurrence that never fires
  };
  for (const Row& row : rows) {
    Store store;
    store.tasks = {Task{}, row.task};  // the first: paused, never
    store.tasks[0].status = StatusPaused;
    if (row.snoozed) store.snoozed = {SnoozedReminder{*row.snoozed, "", "Отложено"}};
    EXPECT_EQ(ComposeTrayTip(store, kNow).text, row.tip);
  }
}

TEST(NextMomentWatch, ComposesAgainOnAChangeANewDayOrTheMomentShown) {
  const TrayTip at1005{"", LocalMoment{2027, 6, 1, 10, 5, 0}};
  auto at = [](uint16_t day, uint16_t hour, uint16_t minute, uint16_t second) {
    return SystemTime{2027, 6, day, hour, minute, second, 0, 0};
  };
  const struct {
    TrayTip shown;
    uint64_t saves;
    SystemTime now;
    bool due;
  } rows[] = {
      {at1005, 7, at(1, 10, 4, 59), false},
      {at1005, 8, at(1, 10, 0, 1), true},
      {at1005, 7, at(1, 10, 5, 0), true},
      {TrayTip{}, 7, at(2, 0, 0, 0), true},
      {TrayTip{}, 7, at(1, 23, 59, 59), false},
      {TrayTip{"", LocalMoment{2027, 6, 1, 9, 0, 0}}, 7, at(1, 10, 0, 5), false},  // caught up
  };
  for (const auto& row : rows) {
    NextMomentWatch watch;
    EXPECT_TRUE(watch.Due(7, kNow));
    watch.Composed(7, kNow, row.shown.next);
    EXPECT_EQ(watch.Due(row.saves, row.now), row.due) << &row - rows;
    watch.Forget();
    EXPECT_TRUE(watch.Due(7, kNow));
  }
}

}  // namespace
