// A store on the fake platform with the helpers the checker and firing tests share.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "checker/Checker.h"
#include "core/RowTexts.h"
#include "tests/support/FakePlatform.h"

// "2024-02-29 10:00:00" as the system's clock gives it, the day of the week included.
inline SystemTime Reading(const char* text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  EXPECT_EQ(std::sscanf(text, "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s), 6) << text;
  using namespace std::chrono;
  const year_month_day date{year{y}, month{static_cast<unsigned>(mo)},
                            day{static_cast<unsigned>(d)}};
  EXPECT_TRUE(date.ok()) << text;
  const weekday dayOfWeek{sys_days{date}};
  return SystemTime{static_cast<uint16_t>(y),
                    static_cast<uint16_t>(mo),
                    static_cast<uint16_t>(d),
                    static_cast<uint16_t>(h),
                    static_cast<uint16_t>(mi),
                    static_cast<uint16_t>(s),
                    0,
                    static_cast<uint16_t>(dayOfWeek.c_encoding())};
}

class CheckerFixture : public testing::Test {
 public:
  static constexpr const char* kDataPath = "C:\\Tools\\Data.ini";

 protected:
  CheckerFixture() { store.dataPath = kDataPath; }

  // Appends an armed task dated 14 March 2024 with its row, as loading would.
  int Add(int32_t recurrence, int32_t ssec, int32_t status, const std::string& text) {
    Task t;
    t.recurrence = recurrence;
    t.SetSecondOfDay(ssec);
    t.day = 14;
    t.month = 3;
    t.year = 2024;
    t.message = text;
    t.status = status;
    t.armed = 1;
    t.id = store.NewId();
    store.tasks.push_back(t);
    const int index = static_cast<int>(store.tasks.size()) - 1;
    BuildRow(store, index, true);
    return index;
  }

  // How many times Data.ini was replaced.
  int Saves() const {
    return static_cast<int>(
        std::count_if(platform.files.log.begin(), platform.files.log.end(),
                      [](const std::string& e) { return e.rfind("replace", 0) == 0; }));
  }

  std::vector<std::string> ActionsStartingWith(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& a : platform.actions)
      if (a.rfind(prefix, 0) == 0) out.push_back(a);
    return out;
  }

  // Whether the window's thread could take the table's lock at this moment.
  bool TableIsFree() {
    bool free = false;
    std::thread window([&] {
      if (!store.mutex.try_lock()) return;
      free = true;
      store.mutex.unlock();
    });
    window.join();
    return free;
  }

  Store store;
  FakePlatform platform;
  Checker checker{store, platform};
};
