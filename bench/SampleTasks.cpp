#include "bench/SampleTasks.h"

#include <array>

namespace {

const std::array<const char*, 6> kMessages = {
    "Позвонить в банк насчёт перевода денег",  "Забрать детей из школы\r\nи купить хлеба",
    "Оплатить интернет и мобильную связь",     "Совещание у директора в 11 часов",
    "Принять таблетки после обеда, не забыть", "День рождения Ольги\r\nкупить подарок"};

}  // namespace

Ttask MakeTask(int i) {
  Ttask task;
  task.Mode = i % 11;
  task.SetSsec((i * 37) % 86400);
  task.Year = 2024 + i % 3;
  task.Month = 1 + i % 12;
  task.Day = 1 + i % 28;
  task.Text = kMessages[static_cast<size_t>(i) % kMessages.size()];
  task.ShowMessage = i % 7 != 0;
  task.Sound = i % 3 != 0;
  task.DeleteAfter = i % 13 == 0;
  task.RunFile = i % 10 == 0;
  if (task.RunFile) task.FileName = "C:\\Program Files\\Утилиты\\backup.exe";
  task.Status = i % 4;
  task.PrevY = 2024;
  task.PrevM = 3;
  task.PrevD = 14;
  task.PrevH = 9;
  task.PrevMS = task.Status == StatusDoneToday;
  task.Armed = 1;
  return task;
}

void FillStore(Store& store, int count) {
  store.Session.WinW = 718;
  store.Session.WinH = 538;
  store.Session.LastOD = "C:\\Program Files\\Утилиты\\";
  store.Tasks.clear();
  for (int i = 0; i < count; ++i) store.Tasks.push_back(MakeTask(i));
}
