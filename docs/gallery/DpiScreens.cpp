// Shows the main window with a reminder popup, then the settings dialog, then the task editor
// (new, and an existing task with the fields of five recurrences), and asks for a screenshot
// of each (dpi_screens.sh takes them): a way to look at the windows at
// the density the process was started at. Not a test; run by hand.
// Usage: vornakel_dpi_screens.exe FOLDER   (FOLDER receives NAME.request files while it waits)
#include <windows.h>

#include <chrono>
#include <memory>
#include <string>

#include "app/Application.h"
#include "tests/support/DataIniText.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/TestFolder.h"
#include "win32/CommonControls.h"
#include "win32/Handles.h"
#include "win32/Text.h"

namespace {

std::wstring shotFolder;
std::function<void()> whileOpen;  // run once the modal dialog of the moment has shown

// Asks for a screenshot named `name` and waits until it has been taken.
bool Shot(const wchar_t* name) {
  const std::wstring request = shotFolder + L"\\" + name + L".request";
  if (!WriteBytes(request, "shot")) return false;
  return PumpUntil([&] { return GetFileAttributesW(request.c_str()) == INVALID_FILE_ATTRIBUTES; },
                   std::chrono::seconds(30));
}

void CALLBACK AfterDialogShown(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (whileOpen) whileOpen();
}

// Runs `open` (a modal opening) and, once its window has been drawn, `action` inside it.
void WhileModal(const std::function<void()>& open, std::function<void()> action) {
  whileOpen = std::move(action);
  SetTimer(nullptr, 0, 700, AfterDialogShown);
  open();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  shotFolder = argv[1];
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  ComApartment com(COINIT_APARTMENTTHREADED);

  TestFolder folder;
  const std::vector<TestTask> tasks = {
      {.recurrence = 0, .ssec = 30600, .text = "Позвонить в банк"},
      {.recurrence = 10,
       .ssec = 45000,
       .year = 2024,
       .month = 5,
       .day = 15,
       .text = "Забрать посылку на почте",
       .deleteAfter = true,
       .status = 0},
      {.recurrence = 9,
       .ssec = 32400,
       .month = 12,
       .day = 31,
       .text = "С Новым годом!",
       .runFile = true,
       .status = 3,
       .fileName = "C:\\Программы\\открытка.exe"},
  };
  const TestSettings settings{.x = 60, .y = 12, .width = 600, .height = 500};
  if (!WriteBytes(folder.File(L"Data.ini"), DataIniText(settings, tasks))) return 3;
  auto app = std::make_unique<Application>();
  if (!app->Start(ToUtf8(folder.File(L"Data.ini")))) return 4;
  PumpUntil([] { return false; }, std::chrono::milliseconds(500));

  app->popups().ShowReminder(" 08:30:00", "Позвонить в банк\r\nи уточнить платёж");
  PumpUntil([] { return false; }, std::chrono::milliseconds(500));
  bool ok = Shot(L"main-and-popup");

  WhileModal([&] { app->mainWindow().OpenSettings(); },
             [&] {
               ok = Shot(L"settings") && ok;
               app->settingsDialog().Cancel();
             });
  WhileModal([&] { app->editor().OpenForNew(); },
             [&] {
               ok = Shot(L"editor") && ok;
               app->editor().Cancel();
             });
  // The date fields each recurrence uses, on the yearly task that starts a file; the last one
  // with the shutdown box ticked.
  TaskEditor& editor = app->editor();
  const auto choose = [&](EditorControl control, int index) {
    HWND list = editor.Control(control);
    SendMessageW(list, CB_SETCURSEL, index, 0);
    const int id = TaskEditor::kFirstControlId + static_cast<int>(control);
    SendMessageW(editor.Handle(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
  };
  using NamedRecurrence = std::pair<const wchar_t*, int>;
  for (const auto& [name, recurrence] :
       {NamedRecurrence{L"editor-daily", EveryDay}, NamedRecurrence{L"editor-yearly", EveryYear},
        NamedRecurrence{L"editor-once", Once},
        NamedRecurrence{L"editor-minutes", kEveryNMinutesItem},
        NamedRecurrence{L"editor-nth", kNthWeekdayItem}}) {
    WhileModal([&] { editor.OpenForEdit(2); },
               [&, name = name, recurrence = recurrence] {
                 choose(EditorControl::Recurrence, recurrence);
                 if (recurrence == Once)
                   SendMessageW(editor.Control(EditorControl::ShutDown), BM_CLICK, 0, 0);
                 ok = Shot(name) && ok;
                 editor.Cancel();
               });
  }
  app.reset();
  return ok ? 0 : 1;
}
