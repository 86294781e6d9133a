// Data.ini files for the window and program tests, composed line by line.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct TestTask {
  int recurrence = 0;
  int ssec = 32400;
  int year = 2024, month = 3, day = 14;
  std::string text{};  // cp1251; line breaks as 0x01
  bool deleteAfter = false, showMessage = true, runFile = false, shutDown = false, sound = true;
  int status = 1;
  std::string fileName{};
  bool wake = false;
};

struct TestSettings {
  int x = 120, y = 80, width = 700, height = 520;
  bool winMax = false;
  int widths[5] = {40, 250, 190, 160, 95};
  // The program's start-up options that later milestones act on; off so nothing else shows.
  bool autostart = false, tray = false, startMinimised = false;
};

inline std::string DataIniText(const TestSettings& s, const std::vector<TestTask>& tasks) {
  auto line = [](const std::string& key, const std::string& value) {
    return key + "=" + value + "\r\n";
  };
  auto flag = [](bool set) { return std::string(set ? "1" : "0"); };
  std::string file = "[SETTINGS]\r\n";
  file += line("WinX", std::to_string(s.x)) + line("WinY", std::to_string(s.y));
  file += line("WinW", std::to_string(s.width)) + line("WinH", std::to_string(s.height));
  file += line("WinS", flag(s.autostart)) + line("Tray", flag(s.tray));
  file += line("WinMax", flag(s.winMax)) + line("SMin", flag(s.startMinimised));
  for (int i = 0; i < 5; ++i) file += line("Ln" + std::to_string(i), std::to_string(s.widths[i]));
  file += line("TasksN", std::to_string(tasks.size())) + line("LastOD", "");
  // The last moment seen left empty: nothing was missed before the start.
  file += line("Snooze", "10") + line("SnoozeN", "0") + line("LastSD", "");
  file += line("Seen", "");
  for (size_t n = 0; n < tasks.size(); ++n) {
    const TestTask& t = tasks[n];
    file += "[TASK" + std::to_string(n) + "]\r\n";
    file += line("Mod", std::to_string(t.recurrence)) + line("Ssec", std::to_string(t.ssec));
    file += line("Year", std::to_string(t.year)) + line("Mon", std::to_string(t.month));
    file += line("Day", std::to_string(t.day)) + line("Tex", t.text);
    file += line("Del", flag(t.deleteAfter)) + line("NM", flag(t.showMessage));
    file += line("Ex", flag(t.runFile)) + line("OFF", flag(t.shutDown));
    file += line("Snd", flag(t.sound)) + line("Stat", std::to_string(t.status));
    file += line("FN", t.fileName);
    for (const char* key : {"PrevY", "PrevM", "PrevD", "PrevH", "PrevMin", "PrevS", "PrevMS"})
      file += line(key, "0");
    file += line("SndF", "") + line("Rpt", "0") + line("Wake", flag(t.wake));
  }
  return file;
}

// A Data.ini the program wrote, with the value of its Seen line (the last moment it ran, by the
// real clock) left out, as DataIniText writes it.
inline std::optional<std::string> WithoutSeenMoment(std::optional<std::string> file) {
  const size_t at = file ? file->find("\r\nSeen=") : std::string::npos;
  if (at == std::string::npos) return file;
  const size_t from = at + 7;
  file->erase(from, file->find("\r\n", from) - from);
  return file;
}
