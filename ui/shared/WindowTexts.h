// Every text the windows show, in one place: captions, control labels, list and menu items,
// buttons and the boxes of a start from the command line. Code page 1251 like every text of the
// program (the sources are UTF-8), made UTF-16 where a window takes it. No <windows.h>: the
// windows' portable logic reads them too.
#pragma once

// ---- Shared by several windows ----
inline constexpr char kOkButton[] = "OK";
inline constexpr char kCancelButton[] = "Cancel";
// The main window's button and the first item of the list's and the tray's menus.
inline constexpr char kAddTaskCommand[] = "Добавить задание";

// ---- The main window ----
inline constexpr char kSettingsButton[] = "Настройки";
// The task list's column captions, in their order.
inline constexpr const char* kColumnCaptions[] = {"№", "Сообщение", "Момент выполнения", "Действие",
                                                  "Статус"};
// The list's menu; the pause item offers to activate a done or paused task.
inline constexpr char kEditTaskItem[] = "Редактировать задание";
inline constexpr char kPauseTaskItem[] = "Приостановить";
inline constexpr char kActivateTaskItem[] = "Активировать";
inline constexpr char kDeleteTaskItem[] = "Удалить задание";
// The tray's menu; the toggle offers to restore a hidden window or to hide a shown one.
inline constexpr char kHideWindowItem[] = "Свернуть";
inline constexpr char kRestoreWindowItem[] = "Развернуть";
inline constexpr char kExitItem[] = "Выход";

// ---- The task editor ----
// The caption of the editor not yet opened, of a new task, and of an edit (the task's number
// follows).
inline constexpr char kEditorFirstCaption[] = "  Новое задание";
inline constexpr char kNewTaskCaption[] = " Добавить новое задание";
inline constexpr char kEditTaskCaption[] = " Редактировать задание № ";

inline constexpr char kMomentGroupLabel[] = "Момент выполнения";
inline constexpr char kActionsGroupLabel[] = "Дополнительные параметры";
inline constexpr char kMessageLabel[] = "Текст сообщения";
inline constexpr char kHourLabel[] = "Часы";
inline constexpr char kMinuteLabel[] = "Минуты";
inline constexpr char kSecondLabel[] = "Секунды";
inline constexpr char kYearLabel[] = "Год";
inline constexpr char kMonthLabel[] = "Месяц";
inline constexpr char kDayLabel[] = "Число";
inline constexpr char kRunFileCheckBox[] = "Выполнить файл";
inline constexpr char kChooseFileButton[] = "выбор...";
inline constexpr char kDeleteAfterCheckBox[] = "Удалить после выполнения";
inline constexpr char kShutDownCheckBox[] = "Выключить компьютер";
inline constexpr char kBeepCheckBox[] = "Подать звуковой сигнал";
inline constexpr char kShowMessageCheckBox[] = "Показать сообщение";
// The sound: the field shows the melody or the chosen file's name; "..." chooses a file, the
// melody button goes back to the melody.
inline constexpr char kMelodyText[] = "Мелодия";
inline constexpr char kChooseSoundButton[] = "...";
inline constexpr char kRepeatCheckBox[] = "Повторять до ответа";
inline constexpr char kWakeCheckBox[] = "Разбудить компьютер";
// The sound chooser's file types: each description followed by its patterns.
inline constexpr const char* kSoundFileFilter[] = {"Звуки (*.wav)", "*.wav", "Все файлы (*.*)",
                                                   "*.*"};

// The recurrence list: up to "Единожды" the item index is the stored recurrence code; the items
// after it are the repeat rules (ui/editor/RuleFields.h).
inline constexpr const char* kRecurrenceItems[] = {
    "Ежедневно",      "Каждый понедельник", "Каждый вторник",  "Каждую среду",
    "Каждый четверг", "Каждую пятницу",     "Каждую субботу",  "Каждое воскресенье",
    "Ежемесячно",     "Ежегодно",           "Единожды",        "Каждые N минут",
    "Каждые N часов", "По дням недели",     "По рабочим дням", "В N-й день недели месяца",
    "Каждые N дней"};
// The repeat rules' fields: N, the end of the day's moments (under the time fields), the
// weekday boxes Monday first, and the week of the month with its weekday.
inline constexpr char kEveryLabel[] = "N";
inline constexpr char kTillLabel[] = "до";
inline constexpr const char* kWeekdayBoxLabels[] = {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"};
inline constexpr const char* kWeekOfMonthItems[] = {"первый", "второй", "третий", "четвёртый",
                                                    "последний"};
inline constexpr const char* kWeekdayItems[] = {"понедельник", "вторник", "среда",      "четверг",
                                                "пятница",     "суббота", "воскресенье"};
// The warning before the moment: the label, the minutes' field, its unit.
inline constexpr char kWarnLabel[] = "Напомнить заранее за";
inline constexpr char kWarnUnit[] = "мин";
// OK on "По дням недели" with no weekday chosen.
inline constexpr char kNoWeekdayWarning[] = "Выберите хотя бы один день недели";
// The month list, January first.
inline constexpr const char* kMonthItems[] = {"Январь",   "Февраль", "Март",   "Апрель",
                                              "Май",      "Июнь",    "Июль",   "Август",
                                              "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};

// Shown when a chosen file's name cannot be stored; the previous file stays.
inline constexpr char kFileNameWarning[] =
    "Имя этого файла содержит знаки, которые программа не может сохранить. Выберите другой файл "
    "или переименуйте его.";

// ---- The settings dialog ----
inline constexpr char kSettingsCaption[] = " Настройки";
inline constexpr char kStartWithWindowsCheckBox[] = "Запускать вместе с Windows";
inline constexpr char kUseTrayCheckBox[] = "Сворачивать в трей";
inline constexpr char kStartHiddenCheckBox[] = "Запускать свёрнутым";

// ---- A reminder popup ----
inline constexpr char kSnoozeButton[] = "Отложить";

// ---- The warning before a task shuts the computer down ----
// The count: the seconds left come between the two parts.
inline constexpr char kShutdownWarningBefore[] = "Компьютер будет выключен через ";
inline constexpr char kShutdownWarningAfter[] = " с";
inline constexpr char kShutDownNowButton[] = "Выключить сейчас";
inline constexpr char kCancelShutdownButton[] = "Отмена";

// ---- A start from the command line (the usage and errors are in core/Texts.h) ----
// An argument the program's code page cannot hold; the argument follows.
inline constexpr char kUnencodableArgumentText[] = "Знак, которого нет в кодировке Windows-1251: ";
inline constexpr char kNoAnswerText[] =
    "Запущенная копия Vornakel не ответила вовремя: задание не добавлено.";
inline constexpr char kNotStartedText[] = "Не удалось запустить Vornakel: задание не добавлено.";
inline constexpr char kQuitNoAnswerText[] = "Запущенная копия Vornakel не завершилась за 5 секунд.";

// ---- The reminders missed while the computer was off or asleep ----
inline constexpr char kMissedCaption[] = "Пропущенные напоминания";
inline constexpr const char* kMissedColumnCaptions[] = {"Пропущено", "Раз", "Сообщение",
                                                        "Действие"};
// Before the number of moments missed. Code page 1251 has no multiplication sign: the window
// takes it in UTF-16.
inline constexpr wchar_t kTimesSign[] = L"\u00D7";

// ---- The wake timer, when it cannot be set (shown once a run) ----
inline constexpr char kWakeFailedText[] =
    "Не удалось завести таймер пробуждения: компьютер не будет разбужен к заданию";
inline constexpr char kWakeUnsupportedText[] =
    "Windows не даёт программам будить этот компьютер: задание, которое должно его разбудить, "
    "сработает, только когда компьютер не спит";
