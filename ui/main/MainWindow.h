// TForm1, the main window: its frame, ListView1 and the messages that keep the list and the
// store's copy of the window state up to date. Other programs find it by its class "TForm1" and
// its title " Vornakel".
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "core/Store.h"
#include "ui/main/TaskListView.h"
#include "win32/Handles.h"
#include "win32/TrayIcon.h"
#include "win32/Win32Platform.h"

class TForm2;
class TForm3;

// Command identifiers of PopupMenu1's items and of the two buttons; clear of the tray's and the
// reminder's identifiers (0, 1, 2, 5).
enum MainCommand : WORD {
  kCommandN1 = 201,  // "Добавить задание"
  kCommandN4 = 202,  // "Редактировать задание"
  kCommandN7 = 203,  // "Приостановить" / "Активировать"
  kCommandN6 = 204,  // separator
  kCommandN3 = 205,  // "Удалить задание"
  kCommandButton1 = 301,
  kCommandButton3 = 302,
};

class TForm1 {
 public:
  static constexpr wchar_t kClassName[] = L"TForm1";
  static constexpr wchar_t kCaption[] = L" Vornakel";
  // Sizes and places in pixels at 96 dots per inch; the window shows them scaled to its density.
  static constexpr int kWidth = 718;
  static constexpr int kHeight = 538;
  static constexpr int kMinimumWidth = 490;
  static constexpr int kMinimumHeight = 490;
  // Room below the list for the buttons.
  static constexpr int kButtonBand = 31;

  TForm1(Store& store, Win32Platform& platform);
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  static constexpr int kButtonLeft1 = 3;
  static constexpr int kButtonLeft3 = 156;
  static constexpr int kButtonWidth = 151;
  static constexpr int kButtonHeight = 25;

  // Creates the window, hidden, with ListView1 in it, and makes it the platform's main window.
  bool Create();
  HWND Handle() const { return hwnd_; }
  TaskList& ListView1() { return list_; }
  // The window's own font, Arial 11 pixels, for the controls that take it.
  HFONT WindowFont() const { return windowFont_.get(); }
  // The density the window is shown at (96 at 100 %).
  int Dpi() const { return dpi_; }

  // Sets ListView1's column widths, given at 96 dots per inch as Data.ini stores them, and
  // remembers them for the next save.
  void SetColumnWidths(const TaskList::ColumnWidths& widths);

  // Outer left, top, width and height, as stored in Data.ini (at 96 dots per inch).
  void SetBounds(int left, int top, int width, int height);
  // Maximises the window, or, while it is hidden, makes it open maximised when it is shown.
  // The geometry it had becomes the normal one it returns to.
  void Maximise();
  // Makes the window visible (maximised if so asked before).
  void ShowMainWindow();

  // Takes the row model's queued changes (under the store's lock) and applies them to
  // ListView1. Must be called without the lock held.
  void ApplyRowChanges();

  // The editor and the settings dialog the commands open; set once both exist.
  void SetDialogs(TForm2* form2, TForm3* form3) {
    form2_ = form2;
    form3_ = form3;
  }
  HWND Button1() const { return button1_; }
  HWND Button3() const { return button3_; }
  HMENU PopupMenu1() const { return PopupMenu1_; }

  // The commands, under the names of the window definition. Those that act on the selected row
  // do nothing without one.
  void Button1Click();  // add a task (also N1 and the tray's command 2)
  void Button3Click();  // the settings dialog
  void N1Click() { Button1Click(); }
  void N4Click();  // edit
  void N3Click();  // delete, then save
  void N7Click();  // pause or activate
  void ListView1DblClick();
  void ListView1KeyDown(WORD key);  // the Delete key deletes without saving
  void PopupMenu1Popup();
  void ListView1MouseDown();
  // The wheel at `screenPoint`: scrolls the list when the pointer is over it.
  void FormMouseWheel(int wheelDelta, POINT screenPoint);
  // Index of the selected row (the row model's changes applied first), or -1.
  int SelectedIndex();
  // The same, valid for as long as `lock` (held on entry) stays held.
  int SelectedIndex(StoreLock& lock);

  // The tray icon and its menu, filled and created by the creation step once the window exists.
  TrayIcon& Tray() { return tray_; }
  TrayPopupMenu& TrayMenu() { return TrayMenu_; }

  // Hidden-state marker: 0 shown, 2 hidden to the tray or started minimised. Only the toggle
  // and start-up change it.
  int Tag = 2;

  // The toggle (WM_TRAYICON with 515): hides the shown window to the tray (or, without the tray
  // option, minimises it), or brings the hidden one back to the front.
  void Toggle();

  // Once the stop sequence has begun the window takes no more commands of the tray, the menu or
  // the system; only the standard handling of messages remains.
  void Stopped() { stopped_ = true; }

  // Called when the window is being destroyed, before its children go.
  void SetOnDestroy(std::function<void()> onDestroy) { onDestroy_ = std::move(onDestroy); }
  // The reminder command (WM_COMMAND 5) posted by firing.
  void SetOnReminder(std::function<void()> onReminder) { onReminder_ = std::move(onReminder); }
  // Hiding to the tray closes the open dialogs as a cancel.
  void SetOnHideDialogs(std::function<void()> handler) { onHideDialogs_ = std::move(handler); }
  // The tray menu's "Добавить задание" (command 2).
  void SetOnAddTask(std::function<void()> handler) { onAddTask_ = std::move(handler); }
  // The Windows session ends (WM_QUERYENDSESSION): the stop sequence; false when its final save
  // failed, and the window then objects to the end of the session.
  void SetOnQueryEndSession(std::function<bool()> handler) {
    onQueryEndSession_ = std::move(handler);
  }
  // A task asked to shut the computer down.
  void SetOnShutDownComputer(std::function<void()> handler) { onShutDown_ = std::move(handler); }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  template <typename Form>
  friend LRESULT CALLBACK FormWindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool OnCreate();
  void OnSize(WPARAM kind, int clientWidth, int clientHeight);
  void OnMove();
  void OnGetMinMaxInfo(MINMAXINFO& limits);
  // The window moved to a screen of another density: `suggested` is its new outer rectangle.
  void OnDpiChanged(int dpi, const RECT& suggested);
  // The fonts made for the window's density, given to the list and the buttons.
  void MakeFonts();
  LRESULT OnNotify(NMHDR& header);
  void OnShowPostedErrors();
  void OnTrayIcon(LPARAM event);
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
  void ShowTrayMenu();
  void HideToTray();
  void RestoreFromTray();
  bool TrayOptionOn();
  void OnDestroy();

  void LayOut(int clientWidth, int clientHeight);
  bool CreateButtonsAndMenu();
  void ShowPopupMenu1(LPARAM where);
  static LRESULT CALLBACK ListView1Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR subclassId, DWORD_PTR refData);
  // SaveData under the lock; its error text, if any, is shown after the lock is released.
  void ShowSaveError(const std::optional<std::string>& error);
  void RememberGeometry();
  void RememberColumnWidths(int trackedColumn = -1, int trackedWidth = 0);

  Store& store_;
  Win32Platform& platform_;
  HWND hwnd_ = nullptr;
  int dpi_ = 96;
  TaskList list_;
  UniqueFont windowFont_;  // Arial, 11 pixels: the buttons' font
  UniqueFont listFont_;    // Arial, bold, 15 pixels
  UniqueFont buttonFont_;  // Arial Cyr, bold, 15 pixels
  HWND button1_ = nullptr;
  HWND button3_ = nullptr;
  HMENU PopupMenu1_ = nullptr;
  TForm2* form2_ = nullptr;
  TForm3* form3_ = nullptr;
  bool showMaximised_ = false;
  bool minimised_ = false;  // for the minimise hook: it runs when the window becomes minimised
  bool stopped_ = false;
  TrayIcon tray_;
  TrayPopupMenu TrayMenu_;
  std::function<void()> onHideDialogs_;
  std::function<void()> onAddTask_;
  std::function<bool()> onQueryEndSession_;
  std::function<void()> onDestroy_;
  std::function<void()> onReminder_;
  std::function<void()> onShutDown_;
};
