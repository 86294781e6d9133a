// Removing tasks keeps the table and the list in step.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "core/DeleteTask.h"
#include "core/RowTexts.h"
#include "tests/support/FakePlatform.h"

namespace {

class DeleteTaskTest : public testing::Test {
 protected:
  void AddTasks(int n) {
    for (int i = 0; i < n; ++i) {
      Task t;
      t.recurrence = i;
      t.SetSecondOfDay(30600 + i);
      t.message = "Задача " + std::to_string(i + 1);
      t.showMessage = static_cast<uint8_t>(i % 2);
      t.fileName = "C:\\f" + std::to_string(i);
      t.status = StatusActive;
      t.lastRun.year = static_cast<uint16_t>(2000 + i);
      t.doneThisPeriod = static_cast<uint16_t>(i);
      t.armed = 1;
      t.id = store.NewId();
      store.tasks.push_back(t);
      BuildRow(store, i, true);
    }
    store.rows.TakeChanges();
  }

  Store store;
  FakePlatform platform;
  StoreLock lock{store.mutex};
};

TEST_F(DeleteTaskTest, FirstOfThreeMovesTheOthersUpWithAllFields) {
  AddTasks(3);
  const Task second = store.tasks[1];
  const Task third = store.tasks[2];
  ASSERT_TRUE(DeleteTask(store, lock, platform, 0, false));
  ASSERT_EQ(store.tasks.size(), 2u);
  for (const auto& [got, want] : {std::pair{store.tasks[0], second}, {store.tasks[1], third}}) {
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(got.recurrence, want.recurrence);
    EXPECT_EQ(got.secondOfDay, want.secondOfDay);
    EXPECT_EQ(got.second, want.second);
    EXPECT_EQ(got.message, want.message);
    EXPECT_EQ(got.showMessage, want.showMessage);
    EXPECT_EQ(got.fileName, want.fileName);
    EXPECT_EQ(got.lastRun.year, want.lastRun.year);
    EXPECT_EQ(got.doneThisPeriod, want.doneThisPeriod);
  }
  ASSERT_EQ(store.rows.Count(), 2);
  EXPECT_EQ(store.rows.Cell(0, 0), "1");
  EXPECT_EQ(store.rows.Cell(1, 0), "2");
  EXPECT_EQ(store.rows.Cell(0, ColumnMessage), "Задача 2");
  EXPECT_EQ(store.rows.Cell(1, ColumnMessage), "Задача 3");
  ASSERT_EQ(platform.questions.size(), 1u);
  EXPECT_EQ(platform.questions[0], "Подтвердите удаление задания|Удалить задание № 1 ?");
  const auto changes = store.rows.TakeChanges();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].kind, RowChange::Deleted);
  EXPECT_EQ(changes[0].row, 0);
}

TEST_F(DeleteTaskTest, LastAndOnlyTask) {
  AddTasks(3);
  ASSERT_TRUE(DeleteTask(store, lock, platform, 2, true));
  EXPECT_EQ(store.tasks.size(), 2u);
  EXPECT_EQ(store.rows.Cell(1, 0), "2");
  EXPECT_EQ(store.tasks[1].message, "Задача 2");
  EXPECT_TRUE(platform.questions.empty()) << "a silent deletion shows no box";

  ASSERT_TRUE(DeleteTask(store, lock, platform, 0, true));
  ASSERT_TRUE(DeleteTask(store, lock, platform, 0, true));
  EXPECT_TRUE(store.tasks.empty());
  EXPECT_EQ(store.rows.Count(), 0);
}

TEST_F(DeleteTaskTest, NoLeavesEverythingAsItWas) {
  AddTasks(3);
  platform.answerYes = false;
  EXPECT_FALSE(DeleteTask(store, lock, platform, 1, false));
  EXPECT_EQ(platform.questions.at(0), "Подтвердите удаление задания|Удалить задание № 2 ?");
  EXPECT_EQ(store.tasks.size(), 3u);
  EXPECT_EQ(store.rows.Count(), 3);
  EXPECT_EQ(store.tasks[1].message, "Задача 2");
  EXPECT_FALSE(store.rows.HasChanges());
}

TEST_F(DeleteTaskTest, OutOfRangeIndexChangesNothing) {
  AddTasks(2);
  EXPECT_FALSE(DeleteTask(store, lock, platform, 2, true));
  EXPECT_FALSE(DeleteTask(store, lock, platform, -1, false));
  EXPECT_EQ(store.tasks.size(), 2u);
  EXPECT_TRUE(platform.questions.empty());
}

// While the question box is open the lock is free: the checker may delete or move tasks.
// The answer must then apply to the task the user was asked about, found by its identity.
class RacingPlatform : public FakePlatform {
 public:
  std::function<void()> whileAsking;
  bool AskYesNo(const std::string& text, const std::string& caption) override {
    if (whileAsking) whileAsking();
    return FakePlatform::AskYesNo(text, caption);
  }
};

TEST_F(DeleteTaskTest, TaskMovedWhileAskingIsFoundByIdentity) {
  AddTasks(3);
  RacingPlatform racing;
  racing.whileAsking = [&] {
    // Another thread deletes task 1 while the box for task 3 is open.
    std::thread other([&] {
      StoreLock otherLock(store.mutex);
      DeleteTask(store, otherLock, racing, 0, true);
    });
    other.join();
  };
  ASSERT_TRUE(DeleteTask(store, lock, racing, 2, false));
  EXPECT_EQ(racing.questions.at(0), "Подтвердите удаление задания|Удалить задание № 3 ?");
  ASSERT_EQ(store.tasks.size(), 1u);
  EXPECT_EQ(store.tasks[0].message, "Задача 2");
  EXPECT_EQ(store.rows.Cell(0, ColumnMessage), "Задача 2");
  EXPECT_EQ(store.rows.Cell(0, 0), "1");
}

TEST_F(DeleteTaskTest, TaskGoneWhileAskingDeletesNothingElse) {
  AddTasks(2);
  RacingPlatform racing;
  racing.whileAsking = [&] {
    std::thread other([&] {
      StoreLock otherLock(store.mutex);
      DeleteTask(store, otherLock, racing, 1, true);
    });
    other.join();
  };
  EXPECT_FALSE(DeleteTask(store, lock, racing, 1, false));
  ASSERT_EQ(store.tasks.size(), 1u);
  EXPECT_EQ(store.tasks[0].message, "Задача 1");
}

}  // namespace
