// The program's entry: one instance only, then the main window and its message loop.
#include <windows.h>

#include "app/Application.h"
#include "app/CommandLineStart.h"
#include "app/DataPath.h"
#include "ui/shared/DialogKeys.h"
#include "win32/CommonControls.h"
#include "win32/ErrorBox.h"
#include "win32/Handles.h"
#include "win32/SingleInstance.h"
#include "win32/SystemLibrary.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictDllSearchToSystemFolder();
  // A command line is answered first: its usage and its mistakes need no running program.
  const CommandLineRequest request = ReadCommandLine();
  if (request.exitNow) return *request.exitNow;
  // A task always goes to a copy that runs on its own, so that this start ends at once.
  if (request.task) return HandOverTask(*request.task);
  if (request.quitRunningCopy) return QuitRunningCopy();
  // A copy still starting holds the mutex; a running one also shows its window (another
  // program's window of this class and title counts too, hidden or not).
  const SingleInstance instance;
  if (!instance.Acquired() || FindWindowW(MainWindow::kClassName, kProgramTitle)) return 0;

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // The autostart link's shell objects need a single-threaded apartment on this thread.
  ComApartment com(COINIT_APARTMENTTHREADED);

  // Decided by the copy that runs, so no other one tries the folder at the same moment.
  const DataLocation data = ChooseDataLocationOfThisCopy();
  if (data.error) ShowErrorBox(nullptr, *data.error);

  Application application;
  application.QuitWhenMainWindowCloses();
  if (!application.Start(data.path, data.startFrom)) return 1;

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    application.PreviewMessage(message);
    if (application.mainWindow().TakeDialogKey(message)) continue;
    if (TakeDialogKey(application.shutdownWarning().Handle(), message)) continue;
    if (TakeDialogKey(application.missedWindow().Handle(), message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
