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

// The arguments as a Windows program gets them: blanks part them, quotes group and go.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  bool quoted = false, inWord = false;
  for (char c : line) {
    if (c == '"') quoted = !quoted;
    if (!quoted && c == ' ') inWord = false;
    if (c == '"' || (!quoted && c == ' ')) continue;
    if (!inWord) words.emplace_back();
    inWord = true;
    words.back() += c;
  }
  return words;
}

// The new task as the running copy's editor OK writes it, handed over, in short: its flags only
// where they are not the editor's defaults (a message with a beep, nothing else).
std::string TaskMade(const std::string& line) {
  const ParsedCommand command = ParseCommandLine(Words(line), kNow);
  if (command.kind != ParsedCommand::Kind::AddTask) return "error: " + command.error;
  const std::string record = EncodeTaskHandover(command.task);
  const std::optional<HandedOverTask> handed = DecodeTaskHandover(record);
  if (!handed || handed->deadline != UINT64_MAX ||
      DecodeTaskHandover(record.substr(0, record.size() - 1)))
    return "bad record";
  Store store;
  const CommitResult result = AddCommandLineTask(store, handed->task, kNow);
  if (result.outcome != CommitResult::Outcome::Written) return "not written";
  const Task& t = store.tasks.at(0);
  std::ostringstream out, flags;
  flags << " NM=" << t.showMessage << " Snd=" << t.beep << " Del=" << t.deleteAfter
        << " Ex=" << t.runFile << t.shutDown << " FN=" << t.fileName;
  out << "Mod=" << t.recurrence << " " << t.hour << ":" << t.minute << ":" << t.second << " "
      << t.year << "-" << t.month << "-" << t.day
      << (flags.str() == " NM=1 Snd=1 Del=0 Ex=00 FN=" ? "" : flags.str());
  if (t.soundChoice != SoundChoice{})
    out << " SndF=" << t.soundChoice.file << " Rpt=" << t.soundChoice.repeat;
  if (t.wake) out << " Wake=1";
  if (t.rule.kind != PlainRule)
    out << " Rule=" << t.rule.kind << "/" << t.rule.every << "/" << t.rule.weekdays << "/"
        << t.rule.tillSecond << " Stat=" << t.status;
  if (t.warnMinutes != 0) out << " Pre=" << t.warnMinutes;
  out << " Tex=" << t.message;
  return out.str();
}

TEST(CommandLine, EachFormMakesTheEditorsTask) {
  const std::pair<const char*, const char*> cases[] = {
      {"/in 25m Чай", "Mod=10 18:25:10 2024-5-15 Tex=Чай"},
      {"-IN 1h30m тест", "Mod=10 19:30:10 2024-5-15 Tex=тест"},
      {"/in 90с а", "Mod=10 18:1:40 2024-5-15 Tex=а"},
      {"/in 6Ч ночь", "Mod=10 0:0:10 2024-5-16 Tex=ночь"},
      {"/at 18:30 /weekly пн Планёрка", "Mod=1 18:30:0 2024-5-15 Tex=Планёрка"},
      {"/at 7:05:09 /weekly SUN x", "Mod=7 7:5:9 2024-5-15 Tex=x"},
      {"/at 7:00 /weekly ВТ x", "Mod=2 7:0:0 2024-5-15 Tex=x"},
      {"/at 7:00 /weekly thu x", "Mod=4 7:0:0 2024-5-15 Tex=x"},
      {"/at 7:00 /weekly Сб x", "Mod=6 7:0:0 2024-5-15 Tex=x"},
      {"/at 08:00 /daily /nosound Зарядка",
       "Mod=0 8:0:0 2024-5-15 NM=1 Snd=0 Del=0 Ex=00 FN= Tex=Зарядка"},
      {"/at 12:00 /monthly 31 Оплата", "Mod=8 12:0:0 2024-5-31 Tex=Оплата"},
      {"/at 9:00 /yearly 29.02 ДР", "Mod=9 9:0:0 2024-2-29 Tex=ДР"},
      {"/at 9:00 /on 01.01.2025 /delete /nomessage Год",
       "Mod=10 9:0:0 2025-1-1 NM=0 Snd=1 Del=1 Ex=00 FN= Tex=Год"},
      {"/at 18:00:11 /run C:\\bat\\go.bat",
       "Mod=10 18:0:11 2024-5-15 NM=1 Snd=1 Del=0 Ex=10 FN=C:\\bat\\go.bat Tex="},
      {"/at 18:00:10 завтра", "Mod=10 18:0:10 2024-5-16 Tex=завтра"},
      {"/in 5m купить 1/2 литра\\nмолока",
       "Mod=10 18:5:10 2024-5-15 Tex=купить 1/2 литра\r\nмолока"},
      // Each bound on its good side; both letter cases of each unit.
      {"/in 8784h a", "Mod=10 18:0:10 2025-5-16 Tex=a"},
      {"/in 1ч2М3С a", "Mod=10 19:2:13 2024-5-15 Tex=a"},
      {"/in 1H2m3S a", "Mod=10 19:2:13 2024-5-15 Tex=a"},
      {"/in 000000090s a", "Mod=10 18:1:40 2024-5-15 Tex=a"},
      {"/at 23:59:59 a", "Mod=10 23:59:59 2024-5-15 Tex=a"},
      {"/at 0:00 /on 31.12.2025 a", "Mod=10 0:0:0 2025-12-31 Tex=a"},
      {"/at 9:00 /monthly 1 a", "Mod=8 9:0:0 2024-5-1 Tex=a"},
      {"/at 9:00 /yearly 31.12 a", "Mod=9 9:0:0 2024-12-31 Tex=a"},
      // Quotes group words and are not part of them: a quoted switch is a switch.
      {"/at 18:30 \"Позвонить  маме\"", "Mod=10 18:30:0 2024-5-15 Tex=Позвонить  маме"},
      {"/at 18:30 \"/nosound\" \"/run\" \"C:\\Program Files\\a.exe\" x",
       "Mod=10 18:30:0 2024-5-15 NM=1 Snd=0 Del=0 Ex=10 FN=C:\\Program Files\\a.exe Tex=x"},
      // A sound file, and the repetition with it or with the melody.
      {"/in 5m /sound C:\\Звуки\\гонг.wav Чай",
       "Mod=10 18:5:10 2024-5-15 SndF=C:\\Звуки\\гонг.wav Rpt=0 Tex=Чай"},
      {"/at 18:30 /repeat -Sound \"D:\\My sounds\\a.wav\" x",
       "Mod=10 18:30:0 2024-5-15 SndF=D:\\My sounds\\a.wav Rpt=1 Tex=x"},
      {"/in 5m -REPEAT x", "Mod=10 18:5:10 2024-5-15 SndF= Rpt=1 Tex=x"},
      {"/at 7:00 /daily /nosound -WAKE x",
       "Mod=0 7:0:0 2024-5-15 NM=1 Snd=0 Del=0 Ex=00 FN= Wake=1 Tex=x"},
      // The repeat rules, each counting only the moments after now (Stat=3: this one is past).
      {"/every 45m /till 19:00 /days пн,ср,пт Вода",
       "Mod=0 18:0:0 2024-5-15 Rule=1/45/42/68400 Stat=3 Tex=Вода"},
      {"/at 9:00 /every 2h -TILL 18:00 Вода",
       "Mod=0 9:0:0 2024-5-15 Rule=2/2/0/64800 Stat=3 Tex=Вода"},
      {"/at 19:00 /every 3д x", "Mod=0 19:0:0 2024-5-15 Rule=5/3/0/86399 Stat=1 Tex=x"},
      {"/at 9:00 /weekly пн,СР,fri x", "Mod=0 9:0:0 2024-5-15 Rule=3/0/42/86399 Stat=3 Tex=x"},
      {"/at 19:00 /workdays x", "Mod=0 19:0:0 2024-5-15 Rule=3/0/62/86399 Stat=1 Tex=x"},
      // The Nth weekday keeps the day of its next occurrence: 11 June after 14 May.
      {"/at 10:00 /monthly 2вт x", "Mod=8 10:0:0 2024-5-11 Rule=4/2/4/86399 Stat=3 Tex=x"},
      {"/at 17:00 /monthly последняя пт x",
       "Mod=8 17:0:0 2024-5-31 Rule=4/5/32/86399 Stat=1 Tex=x"},
      {"/at 17:00 /monthly последний чт x",
       "Mod=8 17:0:0 2024-5-30 Rule=4/5/16/86399 Stat=1 Tex=x"},
      {"/at 9:00 /monthly Последнее sun x", "Mod=8 9:0:0 2024-5-26 Rule=4/5/1/86399 Stat=1 Tex=x"},
      {"/at 9:00 /monthly LAST sat x", "Mod=8 9:0:0 2024-5-25 Rule=4/5/64/86399 Stat=1 Tex=x"},
      {"/at 9:00 /monthly 4Mon x", "Mod=8 9:0:0 2024-5-27 Rule=4/4/2/86399 Stat=1 Tex=x"},
      // Each step's bounds, the first step at its last, and the warning's.
      {"/at 18:00:10 /every 1m /till 18:00:10 /before 0m x",
       "Mod=0 18:0:10 2024-5-15 Rule=1/1/0/64810 Stat=3 Tex=x"},
      {"/every 1440М /before 24h x",
       "Mod=0 18:0:0 2024-5-15 Rule=1/1440/0/86399 Stat=3 Pre=1440 Tex=x"},
      {"/every 1ч /days вс x", "Mod=0 18:0:0 2024-5-15 Rule=2/1/1/86399 Stat=1 Tex=x"},
      {"/every 24H x", "Mod=0 18:0:0 2024-5-15 Rule=2/24/0/86399 Stat=3 Tex=x"},
      {"/every 1d x", "Mod=0 18:0:0 2024-5-15 Rule=5/1/0/86399 Stat=3 Tex=x"},
      {"/every 366D x", "Mod=0 18:0:0 2024-5-15 Rule=5/366/0/86399 Stat=3 Tex=x"},
      {"/in 25m /before 1h30м Чай", "Mod=10 18:25:10 2024-5-15 Pre=90 Tex=Чай"},
  };
  for (const auto& [line, expected] : cases) EXPECT_EQ(TaskMade(line), expected) << line;
}

TEST(CommandLine, EachMistakeIsNamedAndAddsNothing) {
  const std::string step =
                        "Шаг повтора — от 1 до 1440 минут, от 1 до 24 часов или от 1 до 366 дней: ",
                    stepOnly = "Ключи /till и /days — только с шагом повтора в минутах или часах";
  const std::pair<const char*, std::string> cases[] = {
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
      {"напомни", "Начните с /in, /at или /every"},
      {"/quit now", "Ключ /quit пишется без других аргументов: now"},
      {"/in 5m /quit x", "Неизвестный ключ: /quit"},
      // Each bound on its bad side.
      {"/in 527041m Чай", "Длительность должна быть больше нуля и не больше года: 527041m"},
      {"/at 12:00:60 x", "Неверное время: 12:00:60"},
      {"/at 9:00 /on 0.01.2025 x", "Неверная дата: 0.01.2025"},
      {"/at 9:00 /on 32.01.2025 x", "Неверная дата: 32.01.2025"},
      {"/at 9:00 /on 1.0.2025 x", "Неверная дата: 1.0.2025"},
      {"/at 9:00 /monthly 0 x", "Неверное число месяца: 0"},
      {"/at 9:00 /yearly 31.04 x", "В этом месяце нет такого дня: 31.04"},
      {"/in 5м3 x", "Неверная длительность: 5м3"},
      {"/in 0000000090s x", "Неверная длительность: 0000000090s"},
      // A date or recurrence without /at is named as such.
      {"/on 31.02.2027 x", "Дата и повтор задаются только сразу после /at ЧЧ:ММ: /on"},
      {"/in 5m -Daily x", "Дата и повтор задаются только сразу после /at ЧЧ:ММ: -Daily"},
      // A folder is nothing to run.
      {"/at 18:30 /run C:\\bat\\ x", "После /run указана папка, а не файл: C:\\bat\\"},
      {"/at 18:30 /run C:/bat/.. x", "После /run указана папка, а не файл: C:/bat/.."},
      {"/at 18:30 /run . x", "После /run указана папка, а не файл: ."},
      {"/in 5m /sound", "Не указан файл после /sound"},
      {"/in 5m /sound C:\\Звуки\\ x", "После /sound указана папка, а не файл: C:\\Звуки\\"},
      // Contradictions, in either order.
      {"/in 5m /sound a.wav /nosound x", "Ключи /sound и /nosound исключают друг друга"},
      {"/in 5m /nosound /sound a.wav x", "Ключи /sound и /nosound исключают друг друга"},
      {"/in 5m /repeat /nomessage x",
       "Ключ /repeat — только вместе с сообщением и звуком (без /nomessage и /nosound)"},
      {"/in 5m /nosound /repeat x",
       "Ключ /repeat — только вместе с сообщением и звуком (без /nomessage и /nosound)"},
      // The repeat rules: each step's bounds on their bad side, and every word that is none.
      {"/every 0m x", step + "0m"},
      {"/every 1441m x", step + "1441m"},
      {"/every 0h x", step + "0h"},
      {"/every 25ч x", step + "25ч"},
      {"/every 0d x", step + "0d"},
      {"/at 9:00 /every 367d x", step + "367d"},
      {"/every 45 x", "Неверный шаг повтора: 45"},
      {"/every 45s x", "Неверный шаг повтора: 45s"},
      {"/at 9:00 /weekly пн,,ср x", "Неверный день недели: пн,,ср"},
      {"/at 9:00 /monthly 5вт x", "Неделя месяца — от 1 до 4 или «последняя»: 5вт"},
      {"/at 9:00 /monthly 0вт x", "Неделя месяца — от 1 до 4 или «последняя»: 0вт"},
      {"/at 9:00 /monthly 2вторник x", "Неверный день недели: 2вторник"},
      {"/at 9:00 /monthly последняя Вода", "Неверный день недели: Вода"},
      {"/at 9:00 /monthly вт x", "Неверное число месяца: вт"},
      {"/every 1h /days пн,xx x", "Неверный день недели: пн,xx"},
      {"/every 1h /till 24:00 x", "Неверное время: 24:00"},
      {"/at 9:00 /every 1m /till 8:59:59 x", "Конец повтора раньше его начала: 8:59:59"},
      {"/at 9:00 /every 3d /days пн x", stepOnly},
      {"/at 9:00 /weekly пн,ср /till 18:00 x", stepOnly},
      {"/in 5m /before 1441m x", "Напомнить заранее можно за 0…1440 минут: 1441m"},
      {"/in 5m /before 90s x", "Напомнить заранее можно за 0…1440 минут: 90s"},
      {"/in 5m /before 15 x", "Неверная длительность: 15"},
      {"/at 9:00 /daily /every 2h x", "Повтор уже задан: /every"},
      {"/every 2h /workdays x", "Повтор уже задан: /workdays"},
      {"/workdays x", "Дата и повтор задаются только сразу после /at ЧЧ:ММ: /workdays"},
      {"/in 5m /every 2h x", "Дата и повтор задаются только сразу после /at ЧЧ:ММ: /every"},
      {"/at 9:00 /weekly пн,ср /delete x", "Ключ /delete — только для разового задания"},
  };
  for (const auto& [line, expected] : cases) {
    const ParsedCommand command = ParseCommandLine(Words(line), kNow);
    EXPECT_EQ(command.kind, ParsedCommand::Kind::Error) << line;
    EXPECT_EQ(command.error, expected) << line;
  }
  EXPECT_EQ(ParseCommandLine({}, kNow).kind, ParsedCommand::Kind::Start);
  EXPECT_EQ(ParseCommandLine({"-?"}, kNow).kind, ParsedCommand::Kind::Usage);
  EXPECT_EQ(ParseCommandLine({"-QUIT"}, kNow).kind, ParsedCommand::Kind::Quit);
}

// The hand-over record: every field comes back in its place, with the sender's deadline; a record
// of another version, field count or shape is refused.
TEST(TaskHandover, EveryFieldInItsPlaceAndEveryOtherShapeRefused) {
  const CommandLineTask sent{
      {9,    "a\r\nb", "7",  "8",   "9",  "2031",  1,           30,          true, false,
       true, false,    true, false, true, "f.bat", "C:\\f.bat", "D:\\s.wav", true, false},
      {EveryNHours, 2, 42, 64800},
      15};
  const std::string record = EncodeTaskHandover(sent, 1234567890123);
  const std::optional<HandedOverTask> handed = DecodeTaskHandover(record);
  ASSERT_TRUE(handed);
  EXPECT_EQ(EncodeTaskHandover(handed->task, handed->deadline), record);
  EXPECT_EQ(handed->deadline, 1234567890123u);
  EXPECT_EQ(handed->task.fields.text, "a\r\nb");
  EXPECT_EQ(handed->task.fields.soundFile, "D:\\s.wav");
  EXPECT_TRUE(handed->task.fields.repeatChecked);
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string changed = record;
    changed.replace(changed.find(from), from.size(), to);
    return changed;
  };
  const std::pair<const char*, std::string> refused[] = {
      {"the version before", "3" + record.substr(1)},
      {"a rule no kind allows", EncodeTaskHandover({sent.fields, {EveryNHours, 25}, 15})},
      {"a warning past a day", EncodeTaskHandover({sent.fields, sent.rule, 1441})},
      {"a field fewer", replaced(std::string("\0end", 4), "")},
      {"a field more", record + std::string("x\0", 2)},
      {"an unended field", record + "x"},
      {"another last field", replaced("end", "End")},
      {"a flag fewer", replaced("101010110", "10101011")},
      {"a flag more", replaced("101010110", "1010101100")},
      {"no deadline", replaced("1234567890123", "")},
      {"a deadline not a number", replaced("1234567890123", "-1")},
      {"a month not a number",
       replaced(std::string("\0001\00030\0", 6), std::string("\0x\00030\0", 6))},
      {"nothing", ""},
  };
  for (const auto& [label, damaged] : refused) EXPECT_FALSE(DecodeTaskHandover(damaged)) << label;
}

}  // namespace
