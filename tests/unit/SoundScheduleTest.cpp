// Which sound plays when: a player simulated on a clock of milliseconds plays what the schedule
// says, each file for its own length, and the table lists every start.
#include <gtest/gtest.h>

#include <map>

#include "core/SoundSchedule.h"

namespace {

enum Kind { Once, Repeating, Answer };
struct Event {
  int64_t at;
  Kind kind;
  uint64_t reminder;
  const char* file = "";
};

// How long each file plays; "missing.wav" cannot be played, the melody takes 180 ms.
const std::map<std::string, int64_t> kLengths = {
    {"a.wav", 2'000},  {"b.wav", 11'000},       {"c.wav", 3'588'000},
    {"e.wav", 20'000}, {"long.wav", 3'590'000}, {"long1.wav", 3'590'001},
    {"", 180}};

// "start reminder file" for each sound begun, "stop reminder" for each one cut short.
std::vector<std::string> Play(const std::vector<Event>& events) {
  SoundSchedule schedule;
  std::vector<std::string> log;
  const auto record = [&log](int64_t t, const std::string& what) {
    log.push_back(std::to_string(t) + " " + what);
  };
  std::optional<SoundToPlay> playing;
  int64_t now = 0, endsAt = 0;
  bool played = false;
  size_t next = 0;
  for (int step = 0; step < 10'000; ++step) {
    for (; next < events.size() && events[next].at <= now; ++next) {
      const Event& e = events[next];
      if (e.kind == Answer) {
        if (schedule.Answered(e.reminder)) {
          record(now, "stop " + std::to_string(e.reminder));
          endsAt = now;
          played = false;  // a sound cut short reports that it did not play
        }
      } else {
        schedule.Start(e.reminder, {e.file, e.kind == Repeating}, now);
      }
    }
    if (playing && endsAt <= now) {
      schedule.Ended(endsAt, played);
      playing.reset();
    }
    // Asked at every step, also while a sound plays: only one may play.
    if (auto sound = schedule.Next(now)) {
      playing = std::move(sound);
      const std::string name = playing->file.empty() ? "melody" : playing->file;
      record(now, std::to_string(playing->reminder) + " " + name);
      played = kLengths.count(playing->file) > 0;
      endsAt = now + (played ? kLengths.at(playing->file) : 0);
      continue;
    }
    int64_t wake = next < events.size() ? events[next].at : INT64_MAX;
    if (playing) wake = std::min(wake, endsAt);
    if (const auto due = schedule.WakeAt(); due && !playing) wake = std::min(wake, *due);
    if (wake == INT64_MAX) return log;
    now = std::max(now, wake);
  }
  ADD_FAILURE() << "the schedule never came to rest";
  return log;
}

struct ScheduleCase {
  const char* name;
  std::vector<Event> events;
  std::vector<std::string> starts;
};

class SoundScheduleTest : public testing::TestWithParam<ScheduleCase> {};

TEST_P(SoundScheduleTest, PlaysWhatIsDueOneAtATime) {
  EXPECT_EQ(Play(GetParam().events), GetParam().starts) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Reminders, SoundScheduleTest,
    testing::Values(
        ScheduleCase{"once", {{0, Once, 1, "a.wav"}}, {"0 1 a.wav"}},
        ScheduleCase{"10 s after each end until answered",
                     {{0, Repeating, 1, "a.wav"}, {30'000, Answer, 1}},
                     {"0 1 a.wav", "12000 1 a.wav", "24000 1 a.wav"}},
        ScheduleCase{"answered while it plays: stopped, and no melody for the cut",
                     {{0, Repeating, 1, "a.wav"}, {13'000, Answer, 1}},
                     {"0 1 a.wav", "12000 1 a.wav", "13000 stop 1"}},
        ScheduleCase{"the last start falls on the hour",
                     {{0, Repeating, 1, "long.wav"}},
                     {"0 1 long.wav", "3600000 1 long.wav"}},
        ScheduleCase{"a start a millisecond past the hour never comes",
                     {{0, Repeating, 1, "long1.wav"}},
                     {"0 1 long1.wav"}},
        ScheduleCase{
            "two popups: the one due waits for the other's end",
            {{0, Repeating, 1, "a.wav"},
             {0, Repeating, 2, "b.wav"},
             {24'000, Answer, 1},
             {24'000, Answer, 2}},
            {"0 1 a.wav", "2000 2 b.wav", "13000 1 a.wav", "23000 2 b.wav", "24000 stop 2"}},
        ScheduleCase{"a repetition kept waiting past its hour is dropped",
                     {{0, Repeating, 1, "c.wav"}, {3'589'000, Once, 2, "e.wav"}},
                     {"0 1 c.wav", "3589000 2 e.wav"}},
        ScheduleCase{"kept waiting until the hour it still plays",
                     {{0, Repeating, 1, "c.wav"}, {3'589'000, Once, 2, "b.wav"}},
                     {"0 1 c.wav", "3589000 2 b.wav", "3600000 1 c.wav"}},
        ScheduleCase{"a file that cannot play gives the melody at once, and is tried again",
                     {{0, Repeating, 1, "missing.wav"}, {15'000, Answer, 1}},
                     {"0 1 missing.wav", "0 1 melody", "10180 1 missing.wav", "10180 1 melody"}},
        ScheduleCase{"the melody repeats",
                     {{0, Repeating, 1}, {10'500, Answer, 1}},
                     {"0 1 melody", "10180 1 melody"}},
        ScheduleCase{"answered before it began", {{0, Once, 1, "a.wav"}, {0, Answer, 1}}, {}}));

}  // namespace
