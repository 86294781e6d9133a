#include "tests/win32/TaskEditorFixture.h"

#include <atomic>
#include <mutex>
#include <thread>

namespace {

constexpr wchar_t kOwnerClass[] = L"EditorTestOwner";
constexpr UINT kProbe = WM_APP + 77;
constexpr UINT_PTR kWatchdogId = 77;
TaskEditor* watchedForm = nullptr;

void CALLBACK CancelHangingEditor(HWND, UINT, UINT_PTR, DWORD) {
  ADD_FAILURE() << "the editor was still open after 20 s";
  if (watchedForm) watchedForm->Cancel();
}

void RegisterOwnerClass() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kOwnerClass;
  RegisterClassW(&windowClass);
}

}  // namespace

void EditorTest::SetUp() {
  // As the program starts it: today's date (Thursday 14 March 2024) and 9:00:00.
  editorWindow.Remembered() = {2024, 3, 14, 9, 0, 0};
  RegisterOwnerClass();
  owner = CreateWindowExW(0, kOwnerClass, L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 50, 718,
                          538, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(owner);
  ASSERT_TRUE(editorWindow.Create(owner));
  editorWindow.SetApplicationMessageHook([this](const MSG& message) {
    if (message.message == kProbe && message.hwnd == editorWindow.Handle() && !stages.empty()) {
      std::function<void()> stage = std::move(stages.front());
      stages.pop_front();
      stage();
    }
    editorWindow.CancelOnEscape(message);
  });
}

void EditorTest::TearDown() {
  if (editorWindow.Handle()) DestroyWindow(editorWindow.Handle());
  DestroyWindow(owner);
  PumpMessages();
}

std::wstring EditorTest::Text(EditorControl control) {
  wchar_t text[512] = {};
  GetWindowTextW(Control(control), text, 512);
  return text;
}

std::wstring EditorTest::Caption() {
  wchar_t text[128] = {};
  GetWindowTextW(editorWindow.Handle(), text, 128);
  return text;
}

int EditorTest::ItemCount(EditorControl comboBox) {
  return static_cast<int>(SendMessageW(Control(comboBox), CB_GETCOUNT, 0, 0));
}

EditorMoment EditorTest::Moment() { return editorWindow.Remembered(); }

Settings EditorTest::StoredSettings() {
  std::lock_guard lock(store.mutex);
  return store.settings;
}

void EditorTest::Show() {
  ShowWindow(editorWindow.Handle(), SW_SHOW);
  PumpMessages();
}

void EditorTest::Type(EditorControl control, const std::wstring& characters, bool replace) {
  HWND window = Control(control);
  if (replace) SendMessageW(window, EM_SETSEL, 0, -1);
  for (wchar_t c : characters) SendMessageW(window, WM_CHAR, c, 1);
}

void EditorTest::PressArrow(EditorControl upDown, ArrowButton button) {
  HWND arrows = Control(upDown);
  RECT client{};
  GetClientRect(arrows, &client);
  const int x = client.right / 2;
  const int y = button == ArrowButton::Up ? client.bottom / 4 : client.bottom * 3 / 4;
  SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(arrows, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void EditorTest::Choose(EditorControl comboBox, int index) {
  HWND list = Control(comboBox);
  SendMessageW(list, CB_SETCURSEL, index, 0);
  SendMessageW(editorWindow.Handle(), WM_COMMAND,
               MAKEWPARAM(TaskEditor::kFirstControlId + static_cast<int>(comboBox), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

void EditorTest::Click(EditorControl button) { SendMessageW(Control(button), BM_CLICK, 0, 0); }

std::optional<std::wstring> EditorTest::BoxDuring(const std::function<void()>& action) {
  const std::vector<std::wstring> boxes = BoxesDuring(action);
  EXPECT_LE(boxes.size(), 1u) << "more than one box came";
  if (boxes.empty()) return std::nullopt;
  return boxes.front();
}

std::vector<std::wstring> EditorTest::BoxesDuring(const std::function<void()>& action) {
  return AnswerEveryMessageBox(action);
}

void EditorTest::Probe() { PostMessageW(editorWindow.Handle(), kProbe, 0, 0); }

TaskEditor::Result EditorTest::RunModal(const std::function<TaskEditor::Result()>& open) {
  watchedForm = &editorWindow;
  const UINT_PTR timer = SetTimer(nullptr, kWatchdogId, 20000, CancelHangingEditor);
  Probe();
  const TaskEditor::Result result = open();
  KillTimer(nullptr, timer);
  watchedForm = nullptr;
  EXPECT_TRUE(stages.empty()) << stages.size() << " stages did not run";
  return result;
}

Task EditorTest::StoredTask(int32_t mode, int32_t ssec, int32_t year, int32_t month, int32_t day,
                            const std::string& text) {
  Task task;
  task.id = store.NewId();
  task.armed = 1;
  task.recurrence = mode;
  task.SetSecondOfDay(ssec);
  task.year = year;
  task.month = month;
  task.day = day;
  task.message = text;
  task.showMessage = 1;
  task.beep = 1;
  task.status = StatusActive;
  return task;
}
