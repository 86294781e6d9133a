// TForm2's controls: their kinds, texts, places and limits, created in tab order.
#include "ui/editor/TaskEditor.h"
#include "ui/editor/TimeFields.h"
#include "ui/shared/ControlAccess.h"
#include "win32/CommonControls.h"
// clang-format off
#include <uxtheme.h>
// clang-format on
#include "ui/shared/DpiScale.h"
#include "win32/Fonts.h"
#include "win32/Text.h"

namespace {

// The recurrence list: item index = mode code.
constexpr const char* kModeItems[] = {
    "Ежедневно",      "Каждый понедельник", "Каждый вторник", "Каждую среду",
    "Каждый четверг", "Каждую пятницу",     "Каждую субботу", "Каждое воскресенье",
    "Ежемесячно",     "Ежегодно",           "Единожды"};

constexpr const char* kMonthItems[] = {"Январь",   "Февраль", "Март",   "Апрель",
                                       "Май",      "Июнь",    "Июль",   "Август",
                                       "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};

constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kGroup = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
constexpr DWORD kNumberEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
// Not tied to a buddy: the handlers copy between the arrows' position and the field's text.
constexpr DWORD kArrows = WS_CHILD | WS_VISIBLE | WS_TABSTOP | UDS_ARROWKEYS;
constexpr DWORD kDropDownList = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kCheckBox = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

struct ControlPlace {
  EditorControl control;
  const wchar_t* className;
  const char* text;
  DWORD style;
  DWORD exStyle;
  int left, top, width, height;  // in pixels at 96 dots per inch
};

// Three columns: the message with OK and Cancel; the moment; the extra actions.
constexpr ControlPlace kControls[] = {
    {EditorControl::GroupBox1, L"BUTTON", "Момент выполнения", kGroup, 0, 214, 2, 230, 230},
    {EditorControl::GroupBox2, L"BUTTON", "Дополнительные параметры", kGroup, 0, 452, 2, 237, 230},
    {EditorControl::LabelMessage, L"STATIC", "Текст сообщения", kLabel, 0, 8, 8, 198, 16},
    {EditorControl::LabelHour, L"STATIC", "Часы", kLabel, 0, 224, 30, 64, 16},
    {EditorControl::LabelMinute, L"STATIC", "Минуты", kLabel, 0, 294, 30, 64, 16},
    {EditorControl::LabelSecond, L"STATIC", "Секунды", kLabel, 0, 364, 30, 70, 16},
    {EditorControl::LabelYear, L"STATIC", "Год", kLabel, 0, 224, 150, 64, 16},
    {EditorControl::LabelMonth, L"STATIC", "Месяц", kLabel, 0, 292, 150, 90, 16},
    {EditorControl::LabelDay, L"STATIC", "Число", kLabel, 0, 388, 150, 46, 16},
    {EditorControl::Edit1, L"EDIT", "0", kNumberEdit, WS_EX_CLIENTEDGE, 224, 48, 40, 22},
    {EditorControl::Edit2, L"EDIT", "0", kNumberEdit, WS_EX_CLIENTEDGE, 294, 48, 40, 22},
    {EditorControl::Edit3, L"EDIT", "0", kNumberEdit, WS_EX_CLIENTEDGE, 364, 48, 40, 22},
    {EditorControl::ComboBox1, L"COMBOBOX", "", kDropDownList, 0, 224, 104, 210, 24},
    {EditorControl::UpDown1, UPDOWN_CLASSW, "", kArrows, 0, 264, 48, 17, 22},
    {EditorControl::Edit4, L"EDIT", "2008", kNumberEdit, WS_EX_CLIENTEDGE, 224, 168, 46, 22},
    {EditorControl::ComboBox3, L"COMBOBOX", "", kDropDownList, 0, 292, 168, 90, 24},
    {EditorControl::ComboBox4, L"COMBOBOX", "", kDropDownList, 0, 388, 168, 46, 24},
    {EditorControl::UpDown2, UPDOWN_CLASSW, "", kArrows, 0, 334, 48, 17, 22},
    {EditorControl::UpDown3, UPDOWN_CLASSW, "", kArrows, 0, 404, 48, 17, 22},
    {EditorControl::UpDown4, UPDOWN_CLASSW, "", kArrows, 0, 270, 168, 17, 22},
    {EditorControl::Edit5, L"EDIT", "",
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE, 462, 146,
     216, 22},
    {EditorControl::CheckBox3, L"BUTTON", "Выполнить файл", kCheckBox, 0, 462, 116, 140, 20},
    {EditorControl::Button3, L"BUTTON", "выбор...", kButton, 0, 608, 114, 70, 24},
    {EditorControl::CheckBox1, L"BUTTON", "Удалить после выполнения", kCheckBox, 0, 462, 26, 217,
     20},
    {EditorControl::CheckBox2, L"BUTTON", "Выключить компьютер", kCheckBox, 0, 462, 204, 217, 20},
    {EditorControl::CheckBox4, L"BUTTON", "Подать звуковой сигнал", kCheckBox, 0, 462, 86, 217, 20},
    {EditorControl::CheckBox5, L"BUTTON", "Показать сообщение", kCheckBox, 0, 462, 56, 217, 20},
    {EditorControl::Button1, L"BUTTON", "OK", kButton, 0, 8, 202, 95, 28},
    {EditorControl::Button2, L"BUTTON", "Cancel", kButton, 0, 111, 202, 95, 28},
    {EditorControl::Memo1, L"EDIT", "",
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
         ES_WANTRETURN,
     WS_EX_CLIENTEDGE, 8, 26, 198, 166},
};
static_assert(std::size(kControls) == static_cast<size_t>(EditorControl::Count));

}  // namespace

void TForm2::PlaceControls() {
  UniqueFont font = CreatePixelFont(L"MS Sans Serif", 13, true, dpi_);
  UniqueFont memoFont = CreatePixelFont(L"Arial", 15, true, dpi_);
  for (const ControlPlace& place : kControls) {
    HWND control = Control(place.control);
    MoveWindow(control, ScaleToDpi(place.left, dpi_), ScaleToDpi(place.top, dpi_),
               ScaleToDpi(place.width, dpi_), ScaleToDpi(place.height, dpi_), TRUE);
    const HFONT shown = place.control == EditorControl::Memo1 ? memoFont.get() : font.get();
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(shown), TRUE);
  }
  // The controls hold the new fonts now; the old ones may go.
  font_ = std::move(font);
  memoFont_ = std::move(memoFont);
}

bool TForm2::CreateControls() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const ControlPlace& place : kControls) {
    const int id = kFirstControlId + static_cast<int>(place.control);
    HWND control =
        CreateWindowExW(place.exStyle, place.className, ToWide(place.text).c_str(), place.style,
                        ScaleToDpi(place.left, dpi_), ScaleToDpi(place.top, dpi_),
                        ScaleToDpi(place.width, dpi_), ScaleToDpi(place.height, dpi_), hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!control) return false;
    controls_[Index(place.control)] = control;
  }
  PlaceControls();

  SendMessageW(Control(EditorControl::Memo1), EM_LIMITTEXT, 256, 0);
  for (EditorControl edit : {EditorControl::Edit1, EditorControl::Edit2, EditorControl::Edit3})
    SendMessageW(Control(edit), EM_LIMITTEXT, 2, 0);
  SendMessageW(Control(EditorControl::Edit4), EM_LIMITTEXT, 4, 0);

  SendMessageW(Control(EditorControl::UpDown1), UDM_SETRANGE32, TimeArrowsLowest(),
               TimeArrowsHighest(kHourHighest));
  for (EditorControl arrows : {EditorControl::UpDown2, EditorControl::UpDown3})
    SendMessageW(Control(arrows), UDM_SETRANGE32, TimeArrowsLowest(),
                 TimeArrowsHighest(kMinuteHighest));
  SendMessageW(Control(EditorControl::UpDown4), UDM_SETRANGE32, kYearLowest, kYearHighest);
  for (EditorControl arrows :
       {EditorControl::UpDown1, EditorControl::UpDown2, EditorControl::UpDown3})
    SetArrowsPosition(Control(arrows), 0);
  SetArrowsPosition(Control(EditorControl::UpDown4), kYearArrowsStart);

  for (const char* item : kModeItems) AddItem(Control(EditorControl::ComboBox1), item);
  SetVisibleItems(Control(EditorControl::ComboBox1), static_cast<int>(std::size(kModeItems)));
  SelectIndex(Control(EditorControl::ComboBox1), 0);
  for (const char* item : kMonthItems) AddItem(Control(EditorControl::ComboBox3), item);
  SetVisibleItems(Control(EditorControl::ComboBox3), static_cast<int>(std::size(kMonthItems)));
  FillNumberItems(Control(EditorControl::ComboBox4), 31);
  SetVisibleItems(Control(EditorControl::ComboBox4), 31);

  // The typed characters of the number fields pass the key filter first.
  for (EditorControl edit :
       {EditorControl::Edit1, EditorControl::Edit2, EditorControl::Edit3, EditorControl::Edit4})
    SetWindowSubclass(Control(edit), &TForm2::NumberFieldProc, 0,
                      reinterpret_cast<DWORD_PTR>(this));
  // Themed check boxes ignore the text colour their parent gives, and the shutdown box's caption
  // must turn red; all five are drawn alike.
  for (EditorControl box :
       {EditorControl::CheckBox1, EditorControl::CheckBox2, EditorControl::CheckBox3,
        EditorControl::CheckBox4, EditorControl::CheckBox5})
    SetWindowTheme(Control(box), L"", L"");
  return true;
}
