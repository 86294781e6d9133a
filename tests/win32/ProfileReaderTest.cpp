// LoadData reads Data.ini as the system's private-profile reader (GetPrivateProfileStringA)
// reads it: generated files, random and handpicked, are read both ways and every value of the
// settings and of each task must agree. Values stay below 255 bytes, the reader's buffer, and
// every number is written so that the profile reader returns a valid decimal.
#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cstring>
#include <random>
#include <vector>

#include "core/IntConversion.h"
#include "storage/DataFile.h"
#include "tests/support/TestFolder.h"
#include "tests/win32/TestPlatform.h"
#include "win32/Text.h"

namespace {

enum class Kind { Int, Word, Flag, Text, Message };

struct StoredKey {
  const char* name;
  Kind kind;
};

constexpr StoredKey kSettingsKeys[] = {
    {"WinW", Kind::Int},    {"WinH", Kind::Int},  {"WinX", Kind::Int},    {"WinY", Kind::Int},
    {"WinS", Kind::Flag},   {"Tray", Kind::Flag}, {"WinMax", Kind::Flag}, {"SMin", Kind::Flag},
    {"LastOD", Kind::Text}, {"Ln0", Kind::Int},   {"Ln1", Kind::Int},     {"Ln2", Kind::Int},
    {"Ln3", Kind::Int},     {"Ln4", Kind::Int},   {"TasksN", Kind::Int}};

constexpr StoredKey kTaskKeys[] = {
    {"Mod", Kind::Int},    {"Ssec", Kind::Int},     {"Year", Kind::Int},   {"Mon", Kind::Int},
    {"Day", Kind::Int},    {"Tex", Kind::Message},  {"Del", Kind::Flag},   {"NM", Kind::Flag},
    {"Ex", Kind::Flag},    {"OFF", Kind::Flag},     {"Snd", Kind::Flag},   {"Stat", Kind::Int},
    {"FN", Kind::Text},    {"PrevY", Kind::Word},   {"PrevM", Kind::Word}, {"PrevD", Kind::Word},
    {"PrevH", Kind::Word}, {"PrevMin", Kind::Word}, {"PrevS", Kind::Word}, {"PrevMS", Kind::Word}};

std::string Escaped(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

// What the profile reader returns may only be a plain decimal (leading blanks allowed): the
// generator never writes other numbers, so anything else means the files were not understood.
std::optional<int64_t> PlainDecimal(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size() || text.size() - i > 12) return std::nullopt;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

class ProfileReader : public testing::Test {
 protected:
  TestFolder folder;
  FixedClockPlatform platform;
  int fileCount = 0;

  std::string ProfileString(const std::string& path, const std::string& section, const char* key,
                            const std::string& fallback) {
    char buffer[4096];
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key, fallback.c_str(), buffer,
                                                  sizeof buffer, path.c_str());
    return std::string(buffer, length);
  }

  // Reads `file` both ways and compares every value that LoadData takes from it.
  void ExpectSameReading(const std::string& file, const std::string& label) {
    // A new name for every file, so the profile reader's cache never answers for an old one.
    const std::wstring widePath = folder.File(L"case" + std::to_wstring(++fileCount) + L".ini");
    ASSERT_TRUE(WriteBytes(widePath, file));
    const std::string path = ToUtf8(widePath);

    Store store;
    store.dataPath = path;
    const auto error = LoadData(store, platform, nullptr);
    if (error && error->find(" beyond its task count ") != std::string::npos) {
      // A task section the count leaves unread stops the load; the system's reader sees it too.
      EXPECT_TRUE(TaskSectionNumbers(path).beyondCount) << label << "\nfile: " << Escaped(file);
      return;
    }
    if (error && error->find(" of its task count ") != std::string::npos) {
      // So does a task section the count needs and the file lacks.
      EXPECT_TRUE(TaskSectionNumbers(path).missing) << label << "\nfile: " << Escaped(file);
      return;
    }
    ASSERT_EQ(error, std::nullopt) << label << "\nfile: " << Escaped(file);

    const bool failedBefore = HasFailure();
    ReadBothWays(store, path, label);
    if (HasFailure() && !failedBefore) ADD_FAILURE() << label << " was the file " << Escaped(file);
  }

  struct TaskSections {
    bool beyondCount = false;  // a [TASKn] with n at or above TasksN
    bool missing = false;      // some n below TasksN without its [TASKn]
  };

  // The task sections as the system's reader lists them, measured against the task count.
  TaskSections TaskSectionNumbers(const std::string& path) {
    const int32_t count =
        StrToInt32(ProfileString(path, "SETTINGS", "TasksN", "0")).value_or(INT32_MAX);
    std::vector<bool> present(static_cast<size_t>(std::clamp(count, 0, 64)));
    TaskSections found;
    char names[16384] = {};
    GetPrivateProfileSectionNamesA(names, sizeof names, path.c_str());
    for (const char* name = names; *name; name += strlen(name) + 1) {
      const std::string_view section(name);
      if (section.size() <= 4 || section.size() > 14 || _strnicmp(name, "TASK", 4) != 0 ||
          section.find_first_not_of("0123456789", 4) != std::string_view::npos)
        continue;
      const long long number = std::stoll(std::string(section.substr(4)));
      if (number >= count)
        found.beyondCount = true;
      else if (static_cast<size_t>(number) < present.size())
        present[static_cast<size_t>(number)] = true;
    }
    found.missing = std::find(present.begin(), present.end(), false) != present.end();
    return found;
  }

  void ReadBothWays(const Store& store, const std::string& path, const std::string& label) {
    const Settings& s = store.settings;
    const std::string today[3] = {"2024", "3", "14"};
    auto read = [&](const std::string& section, const StoredKey& key, const std::string& fallback) {
      return ProfileString(path, section, key.name, fallback);
    };
    auto context = [&](const std::string& section, const StoredKey& key, const std::string& wine) {
      return label + " [" + section + "] " + key.name + ": the profile reader gives \"" +
             Escaped(wine) + "\"";
    };
    auto expectInt = [&](const std::string& section, const StoredKey& key,
                         const std::string& fallback, int64_t actual, bool word) {
      const std::string wine = read(section, key, fallback);
      const auto number = PlainDecimal(wine);
      ASSERT_TRUE(number) << context(section, key, wine);
      const int64_t expected = word ? (*number & 0xFFFF) : *number;
      EXPECT_EQ(actual, expected) << context(section, key, wine);
    };
    auto expectFlag = [&](const std::string& section, const StoredKey& key,
                          const std::string& fallback, uint8_t actual) {
      const std::string wine = read(section, key, fallback);
      EXPECT_EQ(actual != 0, !wine.empty() && wine[0] == '1') << context(section, key, wine);
    };
    auto expectText = [&](const std::string& section, const StoredKey& key,
                          const std::string& actual, bool message) {
      std::string wine = read(section, key, "");
      std::string expected;
      for (char c : wine)
        expected += (message && c == '\x01') ? std::string("\r\n") : std::string(1, c);
      EXPECT_EQ(Escaped(actual), Escaped(expected)) << context(section, key, wine);
    };

    const std::string settings = "SETTINGS";
    const std::string width = read(settings, kSettingsKeys[0], "718");
    const std::string height = read(settings, kSettingsKeys[1], "538");
    const int64_t w = PlainDecimal(width).value_or(0), h = PlainDecimal(height).value_or(0);
    const int32_t ints[] = {s.windowWidth, s.windowHeight, s.windowLeft, s.windowTop};
    const std::string intDefaults[] = {"718", "538", std::to_string(1024 / 2 - w / 2),
                                       std::to_string(738 / 2 - h / 2)};
    for (int i = 0; i < 4; ++i)
      expectInt(settings, kSettingsKeys[i], intDefaults[i], ints[i], false);
    expectFlag(settings, kSettingsKeys[4], "1", s.startWithWindows);
    expectFlag(settings, kSettingsKeys[5], "1", s.useTray);
    expectFlag(settings, kSettingsKeys[6], "0", s.maximised);
    expectFlag(settings, kSettingsKeys[7], "0", s.startHidden);
    expectText(settings, kSettingsKeys[8], s.lastFileFolder, false);
    const int32_t widths[] = {s.columnWidths[0], s.columnWidths[1], s.columnWidths[2],
                              s.columnWidths[3], s.columnWidths[4]};
    const char* widthDefaults[] = {"33", "230", "210", "130", "107"};
    for (int i = 0; i < 5; ++i)
      expectInt(settings, kSettingsKeys[9 + i], widthDefaults[i], widths[i], false);
    expectInt(settings, kSettingsKeys[14], "0", s.taskCount, false);
    ASSERT_EQ(store.tasks.size(), static_cast<size_t>(std::max(s.taskCount, 0)));
    ASSERT_EQ(store.rows.Count(), s.taskCount);

    for (int n = 0; n < s.taskCount; ++n) {
      const Task& t = store.tasks[static_cast<size_t>(n)];
      const std::string section = "TASK" + std::to_string(n);
      const int32_t taskInts[] = {t.recurrence, t.secondOfDay, t.year, t.month, t.day};
      const std::string taskIntDefaults[] = {"0", "32400", today[0], today[1], today[2]};
      for (int i = 0; i < 5; ++i)
        expectInt(section, kTaskKeys[i], taskIntDefaults[i], taskInts[i], false);
      expectText(section, kTaskKeys[5], t.message, true);
      const uint8_t flags[] = {t.deleteAfter, t.showMessage, t.runFile, t.shutDown, t.beep};
      const char* flagDefaults[] = {"0", "1", "0", "0", "1"};
      for (int i = 0; i < 5; ++i) expectFlag(section, kTaskKeys[6 + i], flagDefaults[i], flags[i]);
      expectInt(section, kTaskKeys[11], "1", t.status, false);
      expectText(section, kTaskKeys[12], t.fileName, false);
      const uint16_t words[] = {t.lastRun.year,   t.lastRun.month,  t.lastRun.day,   t.lastRun.hour,
                                t.lastRun.minute, t.lastRun.second, t.doneThisPeriod};
      const std::string wordDefaults[] = {today[0], today[1], today[2], "9", "0", "0", "0"};
      for (int i = 0; i < 7; ++i)
        expectInt(section, kTaskKeys[13 + i], wordDefaults[i], words[i], true);
      EXPECT_EQ(t.hour * 3600 + t.minute * 60 + t.second, t.secondOfDay) << label;
      EXPECT_EQ(t.armed, 1) << label;
    }
  }
};

// Builds random files in the shapes that hand-edited and damaged files take.
class FileGenerator {
 public:
  explicit FileGenerator(uint32_t seed) : random_(seed) {}

  std::string Generate() {
    sections_.clear();
    const int tasks = Pick(0, 3);
    if (Chance(95)) AddSection("SETTINGS", kSettingsKeys, tasks);
    // Now and then sections beyond the count, which stop the load.
    const int sections = tasks + (Chance(15) ? 2 : 0);
    for (int n = 0; n < sections; ++n)
      if (Chance(85)) AddSection("TASK" + std::to_string(n), kTaskKeys, tasks);
    // A later section of a name already used is ignored whole.
    const size_t firstCount = sections_.size();
    for (size_t i = 0; i < firstCount; ++i)
      if (Chance(10))
        sections_.push_back(sections_[i].substr(0, sections_[i].find('\n') + 1) +
                            "Mod=7\r\nWinW=999\r\nTex=later\r\nPrevMS=5\r\n");
    if (sections_.size() > 1) std::shuffle(sections_.begin() + 1, sections_.end(), random_);
    std::string file;
    for (const std::string& section : sections_) file += section;
    if (Chance(30)) {  // the last line without its line break
      while (!file.empty() && (file.back() == '\n' || file.back() == '\r')) file.pop_back();
    }
    return file;
  }

 private:
  template <size_t N>
  void AddSection(const std::string& name, const StoredKey (&keys)[N], int tasks) {
    std::string section = Blanks() + "[" + CaseOf(name) + "]" + Blanks() + LineEnd();
    for (const StoredKey& key : keys) {
      if (Chance(12)) continue;  // missing
      if (Chance(5)) section += Blanks() + "Comment line " + std::to_string(Pick(0, 9)) + LineEnd();
      section += KeyLine(key, tasks, keys, N);
      if (Chance(8)) section += KeyLine(key, tasks, keys, N);  // a duplicate: the first counts
    }
    sections_.push_back(section);
  }

  std::string KeyLine(const StoredKey& key, int tasks, const StoredKey* keys, size_t count) {
    std::string line = Blanks() + CaseOf(key.name) + Blanks() + "=" + Value(key, tasks);
    if ((key.kind == Kind::Text || key.kind == Kind::Message) && Chance(12)) {
      // A lone CR or LF ends the value; what follows is a line of its own, here another key.
      const StoredKey& other = keys[static_cast<size_t>(Pick(0, static_cast<int>(count) - 1))];
      line += Chance(50) ? '\r' : '\n';
      line += CaseOf(other.name) + "=" + Value(other, tasks);
    }
    return line + LineEnd();
  }

  std::string Value(const StoredKey& key, int tasks) {
    switch (key.kind) {
      case Kind::Int:
      case Kind::Word:
        return Number(key, tasks);
      case Kind::Flag: {
        static const char* const forms[] = {"1",   "0",     "10",  "1abc", "01", "",     "x1",
                                            "'1'", "\"0\"", "\"1", "1\"",  "'",  "\"\"", "yes"};
        return Blanks() + forms[Pick(0, std::size(forms) - 1)] + Blanks();
      }
      case Kind::Text:
      case Kind::Message:
        return Text(key.kind == Kind::Message);
    }
    return {};
  }

  std::string Number(const StoredKey& key, int tasks) {
    int64_t value;
    if (std::string_view(key.name) == "TasksN")
      value = tasks;
    else if (key.kind == Kind::Word || Chance(20))
      value = Pick(INT32_MIN, INT32_MAX);
    else
      value = Pick(-5000, 5000);
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (Chance(10)) digits = "00" + digits;
    std::string sign = value < 0 ? "-" : (Chance(10) ? "+" : "");
    std::string number = sign + digits;
    if (Chance(20)) {
      const char quote = Chance(50) ? '"' : '\'';
      std::string quoted(1, quote);
      quoted.append(static_cast<size_t>(Pick(0, 2)), ' ');
      number = quoted + number + quote;
    }
    return Blanks() + number + Blanks();
  }

  std::string Text(bool message) {
    static const std::string alphabet =
        "abcXYZ019 .,:;!?-_()[]=\\/'\"\t" + std::string("\xC0\xC1\xE0\xE9\xFF\xA8\xB8\xB9\x96\x88");
    std::string text;
    const int length = Pick(0, 40);
    for (int i = 0; i < length; ++i) {
      if (message && Chance(8))
        text += '\x01';
      else
        text += alphabet[static_cast<size_t>(Pick(0, static_cast<int>(alphabet.size()) - 1))];
    }
    switch (Pick(0, 5)) {
      case 0:
        text = "\"" + text + "\"";
        break;
      case 1:
        text = "'" + text + "'";
        break;
      case 2:
        text = "\"" + text;
        break;
      case 3:
        text += "'";
        break;
      default:
        break;
    }
    return Blanks() + text + Blanks();
  }

  std::string Blanks() {
    if (!Chance(25)) return {};
    std::string blanks;
    for (int i = Pick(1, 3); i > 0; --i) blanks += Chance(50) ? ' ' : '\t';
    return blanks;
  }

  std::string CaseOf(const std::string& name) {
    if (!Chance(30)) return name;
    std::string changed = name;
    for (char& c : changed)
      c = Chance(50) ? static_cast<char>(toupper(c)) : static_cast<char>(tolower(c));
    return changed;
  }

  std::string LineEnd() {
    const int roll = Pick(0, 99);
    if (roll < 85) return "\r\n";
    if (roll < 93) return "\n";
    if (roll < 97) return "\r";
    return "\r\n" + Blanks() + "\r\n";  // a blank line
  }

  bool Chance(int percent) { return Pick(0, 99) < percent; }
  int64_t Pick(int64_t low, int64_t high) {
    return std::uniform_int_distribution<int64_t>(low, high)(random_);
  }

  std::mt19937 random_;
  std::vector<std::string> sections_;
};

TEST_F(ProfileReader, AgreesOnGeneratedFiles) {
  FileGenerator generator(20240314);
  for (int i = 0; i < 400; ++i) {
    ExpectSameReading(generator.Generate(), "generated file " + std::to_string(i));
    if (HasFailure()) break;  // one file's report is enough to go on
  }
}

struct Handpicked {
  const char* label;
  std::string file;
};

const Handpicked kHandpicked[] = {
    {"empty file", ""},
    {"settings header only", "[SETTINGS]\r\n"},
    {"names in other case",
     "[settings]\r\nwinw=800\r\nTASKSN=1\r\nlastod=C:\\\r\n[task0]\r\nTEX=a\r\nmod=4\r\n"},
    {"blanks and tabs", " \t[SETTINGS]\t \r\n  WinW \t=\t 800 \t\r\n\tLastOD  =  C:\\a b\\  \r\n"},
    {"quotes at both ends",
     "[SETTINGS]\r\nLastOD=\"C:\\a b\\\"\r\nTasksN=1\r\n[TASK0]\r\nTex=' x '\r\nFN=\"\"\r\n"},
    {"quote at one end",
     "[SETTINGS]\r\nLastOD=\"C:\\a\r\nTasksN=1\r\n[TASK0]\r\nTex=x'\r\nFN='\r\n"},
    {"mixed quotes", "[SETTINGS]\r\nLastOD=\"C:\\'\r\nTasksN=1\r\n[TASK0]\r\nTex='\"'\r\n"},
    {"empty values",
     "[SETTINGS]\r\nWinS=\r\nTray=\r\nLastOD=\r\nTasksN=1\r\n[TASK0]\r\nTex=\r\nNM=\r\nSnd=\r\nFN="
     "\r\n"},
    {"duplicate keys",
     "[SETTINGS]\r\nWinW=800\r\nwinw=900\r\nTasksN=1\r\n[TASK0]\r\nTex=first\r\nTEX=second\r\n"},
    {"duplicate sections",
     "[SETTINGS]\r\nWinW=800\r\n[SETTINGS]\r\nWinH=600\r\nWinW=900\r\nTasksN=2\r\n"
     "[settings]\r\nTasksN=1\r\n"},
    {"duplicate task sections",
     "[SETTINGS]\r\nTasksN=1\r\n[TASK0]\r\nTex=a\r\n[task0]\r\nMod=8\r\nTex=b\r\n"},
    {"lone CR in a message", "[SETTINGS]\r\nTasksN=1\r\n[TASK0]\r\nTex=one\rMod=5\r\nSnd=0\r\n"},
    {"lone LF in a message",
     "[SETTINGS]\r\nTasksN=2\r\n[TASK0]\r\nTex=one\n[TASK1]\r\nTex=two\r\n"},
    {"lone CR line ends",
     "[SETTINGS]\rTasksN=1\r[TASK0]\rTex=a\x01"
     "b\rMod=9\r"},
    {"lone LF line ends",
     "[SETTINGS]\nTasksN=1\n[TASK0]\nTex=a\x01"
     "b\nMod=9\n"},
    {"missing keys and sections", "[SETTINGS]\r\nTasksN=3\r\n[TASK1]\r\nMod=2\r\n"},
    {"no line break at the end", "[SETTINGS]\r\nTasksN=1\r\n[TASK0]\r\nTex=end"},
    {"equals signs in values", "[SETTINGS]\r\nLastOD=a=b=c\r\nTasksN=1\r\n[TASK0]\r\nTex==x=\r\n"},
    {"sections in reverse order",
     "[TASK1]\r\nTex=b\r\n[TASK0]\r\nTex=a\r\n[SETTINGS]\r\nTasksN=2\r\n"},
    {"sections beyond the count",
     "[SETTINGS]\r\nTasksN=1\r\n[TASK0]\r\nTex=a\r\n[TASK1]\r\nTex=b\r\n"},
    {"blank lines", "\r\n\r\n[SETTINGS]\r\n\r\n \t \r\nTasksN=1\r\n\r\n[TASK0]\r\n\r\nTex=a\r\n"},
    {"signs, zeros and quoted numbers",
     "[SETTINGS]\r\nWinW=+0800\r\nWinH=' 600'\r\nLn0=\"-5\"\r\nTasksN=1\r\n"
     "[TASK0]\r\nPrevY=-1\r\nPrevM=70000\r\nSsec=-1\r\n"},
    {"flags",
     "[SETTINGS]\r\nWinS=10\r\nTray=0\r\nWinMax= 1\r\nSMin='1'\r\nTasksN=1\r\n[TASK0]\r\nDel=1x\r\n"
     "NM=yes\r\nEx=\"1\"\r\nOFF=01\r\nSnd=\r\n"},
    {"a key line without equals sign",
     "[SETTINGS]\r\nTasksN=1\r\n[TASK0]\r\nMod\r\nMod=5\r\nTex\r\nTex=a\r\n"},
    {"a header without closing bracket", "[SETTINGS]\r\nTasksN=1\r\n[TASK0\r\nTex=a\r\n"},
    {"blanks inside the brackets", "[ SETTINGS ]\r\nTasksN=1\r\n[\tTASK0 ]\r\nTex=a\r\n"},
    {"text after the closing bracket", "[SETTINGS] x\r\nTasksN=1\r\n[TASK0]junk\r\nTex=a\r\n"},
    {"a bracket inside the name",
     "[SETTINGS]\r\nTasksN=1\r\n[TASK0]]\r\nTex=a\r\n[TA]SK0]\r\nTex=b\r\n"},
    {"a key without a name", "[SETTINGS]\r\n=5\r\nTasksN=1\r\n[TASK0]\r\n=x\r\nTex=a\r\n"},
    {"keys before the first section", "TasksN=1\r\nWinW=5\r\n[SETTINGS]\r\nWinH=600\r\n"},
    {"Cyrillic texts",
     "[SETTINGS]\r\nLastOD=C:\\\xCF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xFB\\\r\nTasksN=1\r\n"
     "[TASK0]\r\nTex=\xCF\xEE\xE7\xE2\xEE\xED\xE8\xF2\xFC\x01\xE2 \xE1\xE0\xED\xEA \xB9"
     "1\r\n"},
};

TEST_F(ProfileReader, AgreesOnHandpickedFiles) {
  for (const Handpicked& c : kHandpicked) ExpectSameReading(c.file, c.label);
}

}  // namespace
