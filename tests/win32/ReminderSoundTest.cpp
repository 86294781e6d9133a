// A reminder's sound in the whole program: the checker fires the task, the popup opens, the
// sounder plays its file (here missing, so the melody takes its place) and, repeating, again after
// the pause; answering the popup leaves nothing to play, and the snooze keeps the sound choice.
#include <gtest/gtest.h>

#include "tests/support/ApplicationFixture.h"

namespace {

class ReminderSound : public ApplicationFixture {
 protected:
  SoundChoice choice;
  HWND popup = nullptr;

  // Polls with the messages handled until `done`: a bound against a hang, not a measure of time.
  template <typename Done>
  bool Until(Done done) {
    for (int i = 0; i < 3000 && !done(); ++i) {
      PumpMessages();
      Sleep(10);
    }
    return done();
  }
  Sounder& Sounds() { return app->platform().Sounds(); }

  // A one-time task long overdue, made active with its sound choice: the next pass fires it.
  void Fire() {
    ASSERT_NO_FATAL_FAILURE(
        CreateApplication({}, {{.recurrence = Once, .text = "Гонг", .status = 2}}));
    choice = {ToCp1251(folder.File(L"нет.wav")), true};
    {
      std::lock_guard lock(app->store().mutex);
      app->store().tasks[0].soundChoice = choice;
      app->store().tasks[0].status = StatusActive;
    }
    ASSERT_TRUE(
        Until([this] { return (popup = FindWindowW(ReminderPopups::kClassName, nullptr)); }));
    ASSERT_TRUE(Until([this] { return Sounds().Melodies() >= 1; }));
    EXPECT_EQ(Sounds().FilesTried(), 1u) << "the melody in place of the file, not after a pause";
  }
};

// Snoozed rather than OK: the same answer, and the choice must come back with the reminder.
TEST_F(ReminderSound, RepeatsWhileThePopupIsOpenStopsWhenAnsweredAndComesBackTheSame) {
  ASSERT_NO_FATAL_FAILURE(Fire());
  EXPECT_TRUE(Until([this] { return Sounds().Melodies() >= 2; })) << "played again";
  EXPECT_EQ(Sounds().FilesTried(), 2u);
  SendMessageW(GetDlgItem(popup, 2), BM_CLICK, 0, 0);  // "Отложить"
  EXPECT_TRUE(Until([this] { return Sounds().Quiet(); }));
  EXPECT_FALSE(IsWindow(popup));
  std::lock_guard lock(app->store().mutex);
  ASSERT_EQ(app->store().snoozed.size(), 1u);
  EXPECT_EQ(app->store().snoozed[0].soundChoice, choice);
}

}  // namespace
