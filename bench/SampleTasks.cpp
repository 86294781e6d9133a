#include "bench/SampleTasks.h"

#include <array>

namespace {

const std::array<const char*, 6> kMessages = {
    "Позвонить в банк насчёт перевода денег",  "Забрать детей из школы\r\nи купить хлеба",
    "Оплатить интернет и мобильную связь",     "Совещание у директора в 11 часов",
    "Принять таблетки после обеда, не забыть", "День рождения Ольги\r\nкупить подарок"};

}  // namespace

Task MakeTask(int i) {
  Task task;
  task.recurrence = i % 11;
  task.SetSecondOfDay((i * 37) % 86400);
  task.year = 2024 + i % 3;
  task.month = 1 + i % 12;
  task.day = 1 + i % 28;
  task.message = kMessages[static_cast<size_t>(i) % kMessages.size()];
  task.showMessage = i % 7 != 0;
  task.beep = i % 3 != 0;
  task.deleteAfter = i % 13 == 0;
  task.runFile = i % 10 == 0;
  if (task.runFile) task.fileName = "C:\\Program Files\\Утилиты\\backup.exe";
  task.status = i % 4;
  task.lastRun.year = 2024;
  task.lastRun.month = 3;
  task.lastRun.day = 14;
  task.lastRun.hour = 9;
  task.doneThisPeriod = task.status == StatusDoneToday;
  task.armed = 1;
  return task;
}

void FillStore(Store& store, int count) {
  store.settings.windowWidth = 718;
  store.settings.windowHeight = 538;
  store.settings.lastFileFolder = "C:\\Program Files\\Утилиты\\";
  store.tasks.clear();
  for (int i = 0; i < count; ++i) store.tasks.push_back(MakeTask(i));
}
