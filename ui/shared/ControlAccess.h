// Reading and writing the standard controls and menus in the program's own cp1251 texts. These
// are the raw operations: they run no handler of the window (the task editor adds its control
// rules on top).
#pragma once

#include <windows.h>

#include <string>

std::string ControlText(HWND control);
void SetControlText(HWND control, const std::string& text);

bool IsChecked(HWND checkBox);
void SetCheckState(HWND checkBox, bool checked);

// The selected item's index, or -1 when none is selected.
int SelectedIndex(HWND comboBox);
// Selects item `index` (-1 or an index outside the list selects nothing), without notifying.
void SelectIndex(HWND comboBox, int index);
// Replaces the list's items with "1" ... `count`.
void FillNumberItems(HWND comboBox, int count);
void AddItem(HWND comboBox, const char* text);

// A drop-down list shows `count` items at once when it opens.
void SetVisibleItems(HWND comboBox, int count);

int ArrowsPosition(HWND upDown);
void SetArrowsPosition(HWND upDown, int position);

// A menu item with the text `text`.
void AppendMenuText(HMENU menu, UINT id, const char* text);
