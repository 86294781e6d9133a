// The command line: every form gives the task the editor would make for the same choices, and
// every mistake its own message with nothing half-read used.
#include <gtest/gtest.h>

#include <sstream>

#include "core/Store.h"
#include "ui/commandline/CommandLine.h"
#include "ui/commandline/TaskHandover.h"

namespace {

// Wednesday 15 May 2024, 18:00:10.
const SystemTime kNow{2024, 5, 15, 18, 0, 10, 0, 3};

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// The new task as the running copy's editor OK writes it, handed over, in short.
std::string TaskMade(const std::string& line) {
  const ParsedCommand command = ParseCommandLine(Words(line), kNow);
  if (command.kind != ParsedCommand::Kind::AddTask) return "error: " + command.error;
  const std::string record = EncodeTaskHandover(command.fields);
  const std::optional<HandedOverTask> handed = DecodeTaskHandover(record);
  if (!handed || DecodeTaskHandover(record.substr(0, record.size() - 1))) return "bad record";
  Store store;
  const CommitResult result = CommitEditor(store, 0, handed->fields, kNow);
  if (result.outcome != CommitResult::Outcome::Written) return "not written";
  const Task& t = store.tasks.at(0);
  std::ostringstream out;
  out << "Mod=" << t.recurrence << " " << t.hour << ":" << t.minute << ":" << t.second << " "
      << t.year << "-" << t.month << "-" << t.day << " NM=" << t.showMessage << " Snd=" << t.beep
      << " Del=" << t.deleteAfter << " Ex=" << t.runFile << " FN=" << t.fileName
      << " Tex=" << t.message;
  return out.str();
}

TEST(CommandLine, EachFormMakesTheEditorsTask) {
  const std::pair<const char*, const char*> cases[] = {
      {"/in 25m Чай", "Mod=10 18:25:10 2024-5-15 NM=1 Snd=1 Del=0 Ex=0 FN= Tex=Чай"},
      {"-IN 1h30m тест", "Mod=10 19:30:10 2024-5-15 NM=1 Snd=1 Del=0 Ex=0 FN= Tex=тест"},
      {"/in 90с а", "Mod=10 18:1:40 2024-5-15 NM=1 Snd=1 Del=0 Ex=0 FN= Tex=а"},
      {"/in 6Ч ночь", "Mod=10 0:0:10 2024-5-16 NM=1 Snd=1 Del=0 Ex=0 FN= Tex=ночь"},
      {"/at 18:30 /weekly пн Планёрка",
       "Mod=1 18:30:0 2024-5-15 NM=1 Snd=1 Del=0 Ex=0 FN= Tex=Планёрка"},
      {"/at 7:05:09 /weekly SUN x", "Mod=7 7:5:9 2024-5-15 NM=1 Snd=1 Del=0 Ex=0 FN= Tex=x"},
      {"/at 08:00 /daily /nosound Зарядка",
       "Mod=0 8:0:0 2024-5-15 NM=1 Snd=0 Del=0 Ex=0 FN= Tex=Зарядка"},
      {"/at 12:00 /monthly 31 Оплата",
       "Mod=8 12:0:0 2024-5-31 NM=1 Snd=1 Del=0 Ex=0 FN= Tex=Оплата"},
      {"/at 9:00 /yearly 29.02 ДР", "Mod=9 9:0:0 2024-2-29 NM=1 Snd=1 Del=0 Ex=0 FN= Tex=ДР"},
      {"/at 9:00 /on 01.01.2025 /delete /nomessage Год",
       "Mod=10 9:0:0 2025-1-1 NM=0 Snd=1 Del=1 Ex=0 FN= Tex=Год"},
      {"/at 18:00:11 /run C:\\bat\\go.bat",
       "Mod=10 18:0:11 2024-5-15 NM=1 Snd=1 Del=0 Ex=1 "
       "FN=C:\\bat\\go.bat Tex="},
      {"/at 18:00:10 завтра", "Mod=10 18:0:10 2024-5-16 NM=1 Snd=1 Del=0 Ex=0 FN= Tex=завтра"},
      {"/in 5m купить 1/2 литра\\nмолока",
       "Mod=10 18:5:10 2024-5-15 NM=1 Snd=1 Del=0 Ex=0 FN= Tex=купить 1/2 литра\r\nмолока"},
  };
  for (const auto& [line, expected] : cases) EXPECT_EQ(TaskMade(line), expected) << line;
}

TEST(CommandLine, EachMistakeIsNamedAndAddsNothing) {
  const std::pair<const char*, const char*> cases[] = {
      {"/in", "Неверная длительность: "},
      {"/in 25 Чай", "Неверная длительность: 25"},
      {"/in 5x Чай", "Неверная длительность: 5x"},
      {"/in 0m Чай", "Длительность должна быть больше нуля и не больше года: 0m"},
      {"/in 8785h Чай", "Длительность должна быть больше нуля и не больше года: 8785h"},
      {"/at 24:00 x", "Неверное время: 24:00"},
      {"/at 12:60 x", "Неверное время: 12:60"},
      {"/at 12 x", "Неверное время: 12"},
      {"/at 12:00:00:00 x", "Неверное время: 12:00:00:00"},
      {"/at 9:00 /on 31.04.2025 x", "В этом месяце нет такого дня: 31.04.2025"},
      {"/at 9:00 /on 29.02.2025 x", "В этом месяце нет такого дня: 29.02.2025"},
      {"/at 9:00 /on 1.13.2025 x", "Неверная дата: 1.13.2025"},
      {"/at 9:00 /yearly 30.02 x", "В этом месяце нет такого дня: 30.02"},
      {"/at 9:00 /weekly пт2 x", "Неверный день недели: пт2"},
      {"/at 9:00 /monthly 32 x", "Неверное число месяца: 32"},
      {"/at 9:00 /daily /delete x", "Ключ /delete — только для разового задания"},
      {"/in 5m /run", "Не указан файл после /run"},
      {"/in 5m /shutdown x", "Неизвестный ключ: /shutdown"},
      {"/soon 5m x", "Неизвестный ключ: /soon"},
      {"напомни", "Начните с /in или /at"},
  };
  for (const auto& [line, expected] : cases) {
    const ParsedCommand command = ParseCommandLine(Words(line), kNow);
    EXPECT_EQ(command.kind, ParsedCommand::Kind::Error) << line;
    EXPECT_EQ(command.error, expected) << line;
  }
  EXPECT_EQ(ParseCommandLine({}, kNow).kind, ParsedCommand::Kind::Start);
  EXPECT_EQ(ParseCommandLine({"-?"}, kNow).kind, ParsedCommand::Kind::Usage);
}

}  // namespace
