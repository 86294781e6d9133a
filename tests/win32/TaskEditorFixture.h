// The task editor under test: a real TaskEditor over a store with a known session, owned by a plain
// window that stands in for the main window, and the user's actions sent as window messages.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/Store.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/TestFolder.h"
#include "ui/editor/TaskEditor.h"
#include "ui/shared/ControlAccess.h"
#include "win32/CommonControls.h"
#include "win32/Text.h"

class EditorTest : public testing::Test {
 protected:
  Store store;
  // OK saves on Thursday 14 March 2024 at 08:00:00, the day the editor starts from.
  TaskEditor editorWindow{store, [] { return SystemTime{2024, 3, 14, 8, 0, 0, 0, 4}; }};
  HWND owner = nullptr;

  void SetUp() override;
  void TearDown() override;

  HWND Control(EditorControl control) { return editorWindow.Control(control); }
  std::wstring Text(EditorControl control);
  std::wstring Caption();
  bool Enabled(EditorControl control) { return IsWindowEnabled(Control(control)) != FALSE; }
  bool Checked(EditorControl control) { return IsChecked(Control(control)); }
  int Selected(EditorControl comboBox) { return SelectedIndex(Control(comboBox)); }
  int ItemCount(EditorControl comboBox);
  int ArrowsAt(EditorControl upDown) { return ArrowsPosition(Control(upDown)); }
  EditorMoment Moment();
  Settings StoredSettings();

  // Shows the editor without its modal loop, so that the test thread can act on it.
  void Show();
  // Keys typed into a control, one WM_CHAR each; with `replace`, over its whole text.
  void Type(EditorControl control, const std::wstring& characters, bool replace = false);
  // A click on the upper or lower arrow of an up-down control.
  void PressArrow(EditorControl upDown, ArrowButton button);
  // The user picks an item of a drop-down list (the list notifies its parent).
  void Choose(EditorControl comboBox, int index);
  void Click(EditorControl button);

  // Runs `action`; a message box that comes meanwhile is answered with OK. Returns its
  // "caption|text", or nothing when no box came.
  std::optional<std::wstring> BoxDuring(const std::function<void()>& action);

  // Every message box that comes while `action` runs, answered with OK, as "caption|text".
  std::vector<std::wstring> BoxesDuring(const std::function<void()>& action);

  // The modal loop: `stages` run one by one on the test thread from inside the editor's modal
  // loop, each when a probe message arrives; Probe() is posted once when the editor is shown,
  // and a stage posts the next one. A run that does not end within 20 s is cancelled and fails.
  std::deque<std::function<void()>> stages;
  void Probe();
  TaskEditor::Result RunModal(const std::function<TaskEditor::Result()>& open);

  // A task as Data.ini would have given it.
  Task StoredTask(int32_t recurrence, int32_t ssec, int32_t year, int32_t month, int32_t day,
                  const std::string& text);
};
