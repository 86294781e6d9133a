// The editor's date fields by recurrence, its warnings, the shutdown and run-file boxes, and the
// file chooser, through the real controls.
#include <atomic>
#include <thread>

#include "tests/win32/TaskEditorFixture.h"

namespace {

using C = EditorControl;

constexpr int kFebruary = 1, kMarch = 2;
constexpr int kFileNameField = 0x47C;  // cmb13: the file name of the file-open dialog
constexpr int kLookInList = 0x471;     // cmb2: the folder the dialog shows
constexpr int kFileTypeList = 0x470;   // cmb1: the file types offered

struct EnabledCase {
  int recurrence;
  bool month, year, day, deleteAfter;
  bool every = false, till = false, weekdays = false, nth = false;
};

TEST_F(EditorTest, EachRecurrenceEnablesItsDateAndRuleControls) {
  const EnabledCase cases[] = {
      {Once, true, true, true, true},
      {EveryDay, false, false, false, false},
      {EveryMonday, false, false, false, false},
      {EverySunday, false, false, false, false},
      {EveryMonth, false, false, true, false},
      {EveryYear, true, false, true, false},
      {Once, true, true, true, true},
      {kEveryNMinutesItem, false, false, false, false, true, true, true},
      {kEveryNHoursItem, false, false, false, false, true, true, true},
      {kOnWeekdaysItem, false, false, false, false, false, false, true},
      {kWorkingDaysItem, false, false, false, false},
      {kNthWeekdayItem, false, false, false, false, false, false, false, true},
      {kEveryNDaysItem, true, true, true, false, true},
  };
  Show();
  Choose(C::Recurrence, kEveryNMinutesItem);
  Type(C::Every, L"1000", true);
  EXPECT_EQ(Text(C::Every), L"1000");
  for (const EnabledCase& c : cases) {
    Choose(C::Recurrence, c.recurrence);
    EXPECT_EQ(Enabled(C::Every) && Enabled(C::EveryArrows), c.every) << c.recurrence;
    EXPECT_EQ(Enabled(C::TillHour) && Enabled(C::TillSecondArrows), c.till) << c.recurrence;
    EXPECT_EQ(Enabled(C::MondayBox) && Enabled(C::SundayBox), c.weekdays) << c.recurrence;
    EXPECT_EQ(Enabled(C::WeekOfMonth) && Enabled(C::WeekdayOfMonth), c.nth) << c.recurrence;
    EXPECT_EQ(Enabled(C::LabelMonth), c.month) << c.recurrence;
    EXPECT_EQ(Enabled(C::Month), c.month) << c.recurrence;
    EXPECT_EQ(Enabled(C::LabelYear), c.year) << c.recurrence;
    EXPECT_EQ(Enabled(C::Year), c.year) << c.recurrence;
    EXPECT_EQ(Enabled(C::YearArrows), c.year) << c.recurrence;
    EXPECT_EQ(Enabled(C::LabelDay), c.day) << c.recurrence;
    EXPECT_EQ(Enabled(C::Day), c.day) << c.recurrence;
    EXPECT_EQ(Enabled(C::DeleteAfter), c.deleteAfter) << c.recurrence;
  }
  // N was cut down to each item's range on the way: 1000 minutes, 24 hours, 24 days.
  EXPECT_EQ(Text(C::Every), L"24");
  // The working days show Monday to Friday.
  Choose(C::Recurrence, kWorkingDaysItem);
  EXPECT_TRUE(Checked(C::MondayBox) && Checked(C::FridayBox) && !Checked(C::SaturdayBox) &&
              !Checked(C::SundayBox));
}

TEST_F(EditorTest, TheUsersKeyInTheRecurrenceListRunsTheRecurrenceLogic) {
  Show();
  Choose(C::Recurrence, Once);
  ASSERT_TRUE(Enabled(C::Year));
  SetFocus(Control(C::Recurrence));
  SendMessageW(Control(C::Recurrence), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(Selected(C::Recurrence), EveryYear);
  EXPECT_FALSE(Enabled(C::Year));
  EXPECT_TRUE(Enabled(C::Month));
}

TEST_F(EditorTest, ACommonYearMovesTheTwentyNinthOfFebruaryToTheTwentyEighth) {
  Show();
  Choose(C::Recurrence, Once);
  Type(C::Year, L"2024", true);
  Choose(C::Month, kFebruary);
  Choose(C::Day, 28);
  ASSERT_EQ(Moment().day, 29);
  Type(C::Year, L"2023", true);
  EXPECT_EQ(ItemCount(C::Day), 28);
  EXPECT_EQ(Selected(C::Day), 27);
  EXPECT_EQ(Moment().day, 28);
  EXPECT_EQ(Moment().year, 2023);
  EXPECT_EQ(ArrowsAt(C::YearArrows), 2023);
}

TEST_F(EditorTest, MonthlyRecurrenceOffersEveryDayAndWarnsAboutTheLastOnes) {
  struct Case {
    int rememberedDay;
    const wchar_t* box;  // nullptr: no box
  };
  const Case cases[] = {
      {28, nullptr},
      {29, L"Обратите внимание!|Не каждый месяц содержит 29 дней"},
      {30, L"Обратите внимание!|Не каждый месяц содержит 30 дней"},
      {31, L"Обратите внимание!|Не каждый месяц содержит 31 день"},
  };
  Show();
  for (const Case& c : cases) {
    Choose(C::Recurrence, EveryDay);
    Choose(C::Month, kFebruary);  // the list shows a short month before
    editorWindow.Remembered().day = c.rememberedDay;
    const auto box = BoxDuring([&] { Choose(C::Recurrence, EveryMonth); });
    if (c.box) {
      ASSERT_TRUE(box) << c.rememberedDay;
      EXPECT_EQ(*box, c.box);
    } else {
      EXPECT_FALSE(box) << *box;
    }
    EXPECT_EQ(ItemCount(C::Day), 31);
    EXPECT_EQ(Selected(C::Day), c.rememberedDay - 1);
  }
  // Picking a day in monthly recurrence warns the same way.
  const auto box = BoxDuring([&] { Choose(C::Day, 30); });
  ASSERT_TRUE(box);
  EXPECT_EQ(*box, L"Обратите внимание!|Не каждый месяц содержит 31 день");
  EXPECT_EQ(Moment().day, 31);
}

TEST_F(EditorTest, MonthlyRecurrenceKeepsTheDayThatFebruaryCutDown) {
  Show();
  Choose(C::Recurrence, Once);
  Type(C::Year, L"2023", true);
  Choose(C::Month, kMarch);
  Choose(C::Day, 30);
  Choose(C::Month, kFebruary);
  ASSERT_EQ(Moment().day, 28);
  EXPECT_FALSE(BoxDuring([&] { Choose(C::Recurrence, EveryMonth); }));
  EXPECT_EQ(ItemCount(C::Day), 31);
  EXPECT_EQ(Selected(C::Day), 27);
}

TEST_F(EditorTest, YearlyRecurrenceOffersAndWarnsAboutTheTwentyNinthOfFebruaryInAnyYear) {
  const std::wstring february = L"Обратите внимание!|Не каждый год содержит 29 дней в феврале";
  Show();
  Choose(C::Recurrence, Once);
  Type(C::Year, L"2024", true);
  Choose(C::Month, kFebruary);
  Choose(C::Day, 28);
  // Switching to yearly recurrence with 29 February remembered.
  EXPECT_EQ(BoxDuring([&] { Choose(C::Recurrence, EveryYear); }), february);
  // Choosing the day.
  Choose(C::Day, 27);
  EXPECT_EQ(BoxDuring([&] { Choose(C::Day, 28); }), february);
  // Choosing February while the remembered day is later.
  Choose(C::Month, kMarch);
  Choose(C::Day, 30);
  EXPECT_EQ(BoxDuring([&] { Choose(C::Month, kFebruary); }), february);
  EXPECT_EQ(Moment().day, 29);
  // A common year in the (disabled) year field changes nothing.
  Choose(C::Recurrence, Once);
  Type(C::Year, L"2023", true);
  Choose(C::Month, kMarch);
  Choose(C::Day, 30);
  EXPECT_FALSE(BoxDuring([&] { Choose(C::Recurrence, EveryYear); }));
  EXPECT_EQ(BoxDuring([&] { Choose(C::Month, kFebruary); }), february);
  EXPECT_EQ(ItemCount(C::Day), 29);
  EXPECT_EQ(Selected(C::Day), 28);
}

// Filling the fields for an opening is not the user's choice: no warning comes, also when the
// editor's recurrence is still that of the opening before.
TEST_F(EditorTest, OpeningShowsNoDateWarningChoosingTheDayDoes) {
  store.tasks.push_back(StoredTask(EveryMonth, 30600, 2024, 3, 31, "31-го"));
  store.tasks.push_back(StoredTask(EveryYear, 30600, 2023, 2, 29, "29 февраля"));
  const std::vector<std::wstring> none;
  EXPECT_EQ(BoxesDuring([&] { editorWindow.FillForEdit(0); }), none);
  EXPECT_EQ(BoxesDuring([&] { editorWindow.FillForNew(); }), none);
  EXPECT_EQ(BoxesDuring([&] { editorWindow.FillForEdit(1); }), none);
  EXPECT_EQ(Selected(C::Day), 28);  // 29 February kept in a common year
  EXPECT_EQ(BoxesDuring([&] { editorWindow.FillForEdit(0); }), none);
  EXPECT_EQ(Selected(C::Day), 30);
  Show();
  EXPECT_EQ(BoxDuring([&] { Choose(C::Day, 30); }),
            L"Обратите внимание!|Не каждый месяц содержит 31 день");
}

COLORREF CaptionColour(HWND editorWindow, HWND checkBox) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  SetTextColor(dc, RGB(1, 2, 3));
  SendMessageW(editorWindow, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(checkBox));
  const COLORREF colour = GetTextColor(dc);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return colour;
}

TEST_F(EditorTest, TheShutdownBoxGreysTheOtherActionsAndTurnsRed) {
  const C actions[] = {C::RunFile,    C::Beep,      C::ShowMessage, C::FileName,
                       C::ChooseFile, C::SoundFile, C::ChooseSound, C::RepeatSound};
  editorWindow.FillForNew();  // the message and the sound box checked
  Show();
  ASSERT_FALSE(Checked(C::RunFile));
  EXPECT_EQ(CaptionColour(editorWindow.Handle(), Control(C::ShutDown)), RGB(0, 0, 0));
  Click(C::ShutDown);
  ASSERT_TRUE(Checked(C::ShutDown));
  for (C control : actions) EXPECT_FALSE(Enabled(control));
  EXPECT_EQ(CaptionColour(editorWindow.Handle(), Control(C::ShutDown)), 255u);
  // Unchecked, they all come back, also while the run-file box is unchecked.
  Click(C::ShutDown);
  for (C control : actions) EXPECT_TRUE(Enabled(control));
  EXPECT_EQ(CaptionColour(editorWindow.Handle(), Control(C::ShutDown)), RGB(0, 0, 0));
  // The delete box belongs to the recurrence alone.
  Choose(C::Recurrence, Once);
  Click(C::ShutDown);
  EXPECT_TRUE(Enabled(C::DeleteAfter));
}

TEST_F(EditorTest, TheRunFileBoxEnablesTheFileFieldAndTheChooseButton) {
  Show();
  Click(C::RunFile);
  EXPECT_TRUE(Enabled(C::FileName));
  EXPECT_TRUE(Enabled(C::ChooseFile));
  Click(C::RunFile);
  EXPECT_FALSE(Enabled(C::FileName));
  EXPECT_FALSE(Enabled(C::ChooseFile));
}

// Runs `action` while a helper thread answers the file-open dialog that it shows: types `path`
// as the file name and presses Open, or presses Cancel when `path` is empty. Returns the name of
// the folder the dialog started in; `fileTypes` gets the file types it offered first.
std::optional<std::wstring> AnswerFileDialog(const std::function<void()>& action,
                                             const std::wstring& path,
                                             std::wstring* fileTypes = nullptr) {
  std::optional<std::wstring> startFolder;
  std::atomic<bool> finished{false};
  std::thread helper([&] {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!finished && std::chrono::steady_clock::now() < end) {
      HWND dialog = FindMessageBox(GetCurrentProcessId());
      if (dialog && GetDlgItem(dialog, kFileNameField)) {
        Sleep(200);  // let the dialog fill its folder view
        wchar_t folder[MAX_PATH] = {};
        GetWindowTextW(GetDlgItem(dialog, kLookInList), folder, MAX_PATH);
        startFolder = folder;
        if (fileTypes) {
          GetWindowTextW(GetDlgItem(dialog, kFileTypeList), folder, MAX_PATH);
          *fileTypes = folder;
        }
        if (!path.empty()) SetWindowTextW(GetDlgItem(dialog, kFileNameField), path.c_str());
        SendMessageW(GetDlgItem(dialog, path.empty() ? IDCANCEL : IDOK), BM_CLICK, 0, 0);
        return;
      }
      Sleep(20);
    }
  });
  action();
  finished = true;
  helper.join();
  return startFolder;
}

std::wstring LastFolderName(std::wstring folder) {
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder.substr(folder.find_last_of(L'\\') + 1);
}

// Each chooser starts in the folder it remembers, shows the name chosen and then remembers that
// file's folder; a cancelled run starts there and changes nothing.
TEST_F(EditorTest, EachFileChooserRemembersTheFolderOfTheChosenFile) {
  const struct {
    C button, field;
    std::string Settings::*folder;
    const wchar_t* file;
    const wchar_t* firstType;  // the file types offered first; empty: none
  } choosers[] = {
      {C::ChooseFile, C::FileName, &Settings::lastFileFolder, L"отчёт.bat", L""},
      {C::ChooseSound, C::SoundFile, &Settings::lastSoundFolder, L"гонг.wav", L"Звуки (*.wav)"},
  };
  for (const auto& chooser : choosers) {
    SCOPED_TRACE(static_cast<int>(chooser.button));
    TestFolder chosen(L"папка");
    TestFolder remembered(L"прежняя");
    ASSERT_TRUE(WriteBytes(chosen.File(chooser.file), "RIFF"));
    {
      std::lock_guard lock(store.mutex);
      store.settings.*chooser.folder = ToCp1251(remembered.Path());
    }
    editorWindow.FillForNew();
    Show();
    Click(C::RunFile);  // the file's field waits for its box; the sound's is on already
    std::wstring fileTypes;
    const auto started =
        AnswerFileDialog([&] { Click(chooser.button); }, chosen.File(chooser.file), &fileTypes);
    ASSERT_TRUE(started);
    EXPECT_EQ(*started, LastFolderName(remembered.Path()));
    EXPECT_EQ(fileTypes, chooser.firstType);
    EXPECT_EQ(Text(chooser.field), chooser.file);
    EXPECT_EQ(StoredSettings().*chooser.folder, ToCp1251(chosen.Path()));
    EXPECT_EQ((StoredSettings().*chooser.folder).back(), '\\');

    const auto again = AnswerFileDialog([&] { Click(chooser.button); }, L"");
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, LastFolderName(chosen.Path()));
    EXPECT_EQ(Text(chooser.field), chooser.file);
    EXPECT_EQ(StoredSettings().*chooser.folder, ToCp1251(chosen.Path()));
    Click(C::Cancel);
  }
}

// The sound's field and buttons follow the sound box, the repetition both the message and the
// sound box; the melody button has something to do only while a file is chosen.
TEST_F(EditorTest, TheSoundControlsFollowTheMessageAndSoundBoxes) {
  // The clicks, then the sound field and "...", "Мелодия", "Повторять до ответа" enabled.
  const std::pair<std::vector<C>, std::tuple<bool, bool, bool>> cases[] = {
      {{}, {true, false, true}},
      {{C::Beep}, {false, false, false}},
      {{C::Beep, C::ShowMessage}, {true, false, false}},
      {{C::ShowMessage}, {true, false, true}},
      {{C::ShutDown}, {false, false, false}},
  };
  editorWindow.FillForNew();
  Show();
  for (const auto& [clicks, enabled] : cases) {
    for (C box : clicks) Click(box);
    EXPECT_EQ(Enabled(C::SoundFile), Enabled(C::ChooseSound));
    EXPECT_EQ(std::tuple(Enabled(C::ChooseSound), Enabled(C::Melody), Enabled(C::RepeatSound)),
              enabled)
        << clicks.size();
  }
}

// The melody button takes the sound back to the melody; a file chosen and repeated is stored.
TEST_F(EditorTest, TheMelodyComesBackAndOkStoresTheSoundChoice) {
  TestFolder sounds(L"звуки");
  ASSERT_TRUE(WriteBytes(sounds.File(L"гонг.wav"), "RIFF"));
  editorWindow.FillForNew();
  Show();
  EXPECT_FALSE(Enabled(C::Melody));
  ASSERT_TRUE(AnswerFileDialog([&] { Click(C::ChooseSound); }, sounds.File(L"гонг.wav")));
  EXPECT_TRUE(Enabled(C::Melody));
  SetFocus(Control(C::Melody));
  Click(C::Melody);
  EXPECT_EQ(Text(C::SoundFile), L"Мелодия");
  EXPECT_FALSE(Enabled(C::Melody));
  EXPECT_EQ(GetFocus(), Control(C::ChooseSound));

  // Chosen again and repeated: OK stores both.
  ASSERT_TRUE(AnswerFileDialog([&] { Click(C::ChooseSound); }, sounds.File(L"гонг.wav")));
  Click(C::RepeatSound);
  Click(C::Ok);
  ASSERT_EQ(store.tasks.size(), 1u);
  EXPECT_EQ(store.tasks[0].soundChoice, (SoundChoice{ToCp1251(sounds.File(L"гонг.wav")), true}));
}

}  // namespace
