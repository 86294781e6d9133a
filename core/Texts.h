// Every text the portable code shows the user, in one place: the task list's cells, the delete
// question, the snooze durations, the editor's date warnings, the data file's errors and the
// command line's messages. The sources are UTF-8; the build makes them code page 1251, the
// program's texts. The error box adds the full stop to an error text.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/TextEncodings.h"

// ---- The task list's cells ----
// The status column, by status code: done, active, paused, done for the period.
inline constexpr const char* kStatusTexts[] = {"Выполнено", "Активно", "Приостановлено",
                                               "Выполнено на сегодня"};

// The moment column of a daily task, then of a weekly one from Monday to Sunday, by recurrence
// code; the time follows.
inline constexpr const char* kDailyAndWeeklyMoments[] = {
    "Ежедневно в ",      "Каждый понедельник в ", "Каждый вторник в ", "Каждую среду в ",
    "Каждый четверг в ", "Каждую пятницу в ",     "Каждую субботу в ", "Каждое воскресенье в "};
// A month's name after a day's number ("1 января"), January first.
inline constexpr const char* kMonthGenitives[] = {" января",   " февраля", " марта",  " апреля",
                                                  " мая",      " июня",    " июля",   " августа",
                                                  " сентября", " октября", " ноября", " декабря"};
// Between the day and the time of a monthly task.
inline constexpr char kMonthlyMomentMiddle[] = " числа ежемесячно в ";
// Between the month and the time of a yearly task; the two blanks are the list's own.
inline constexpr char kYearlyMomentMiddle[] = " ежегодно  в ";
// Between the year and the time of a one-time task.
inline constexpr char kOnceMomentMiddle[] = " года в ";

// The moment column of the repeat rules; numbers, times and days are put between.
// Every N minutes or hours: "Каждые 45 мин с 09:00:00 до 18:00:00" (one: "Каждую минуту ...").
inline constexpr char kEveryNMiddle[] = "Каждые ";
inline constexpr char kMinutesUnit[] = " мин";
inline constexpr char kHoursUnit[] = " ч";
inline constexpr char kEveryMinute[] = "Каждую минуту";
inline constexpr char kEveryHour[] = "Каждый час";
inline constexpr char kSlotsFrom[] = " с ";
inline constexpr char kSlotsTill[] = " до ";
// Chosen weekdays: "По пн, ср, пт в 09:00:00", "По рабочим дням в 09:00:00"; after slots in
// lower case.
inline constexpr char kOnDays[] = "По ";
inline constexpr char kSlotsOnDays[] = " по ";
inline constexpr char kWorkingDaysText[] = "рабочим дням";
inline constexpr char kDaysSeparator[] = ", ";
inline constexpr char kAtTime[] = " в ";
// Short weekday names, Monday first.
inline constexpr const char* kWeekdayShortNames[] = {"пн", "вт", "ср", "чт", "пт", "сб", "вс"};
// The Nth weekday: "Каждый второй вторник месяца в 10:00:00". By the weekday, Sunday 0: the
// word "every", the weekday in the accusative and its grammatical gender (0 he, 1 she, 2 it).
inline constexpr const char* kEveryByGender[] = {"Каждый ", "Каждую ", "Каждое "};
inline constexpr const char* kWeekdayAccusatives[] = {
    "воскресенье", "понедельник", "вторник", "среду", "четверг", "пятницу", "субботу"};
inline constexpr int kWeekdayGenders[] = {2, 0, 0, 1, 0, 1, 1};
// First to fourth and last, by gender.
inline constexpr const char* kOrdinalsByGender[][5] = {
    {"первый ", "второй ", "третий ", "четвёртый ", "последний "},
    {"первую ", "вторую ", "третью ", "четвёртую ", "последнюю "},
    {"первое ", "второе ", "третье ", "четвёртое ", "последнее "}};
inline constexpr char kOfMonth[] = " месяца в ";
// Every N days: "Каждые 3 дня в 09:00:00", "Каждые 5 дней ...", "Каждый 21 день ...".
inline constexpr char kEveryOne[] = "Каждый ";
inline constexpr const char* kDayForms[] = {" день", " дня", " дней"};  // 1, 2 to 4, 5 and on
inline constexpr char kEveryDay[] = "Каждый день";
// The warning after the moment: ", заранее за 15 мин".
inline constexpr char kWarningBefore[] = ", заранее за ";
// The warning popup's message: "Через 15 мин: " and the task's message.
inline constexpr char kWarningIn[] = "Через ";
inline constexpr char kWarningMinutes[] = " мин: ";

// The action column, put together from these; the file's full name follows kRunFileAction.
inline constexpr char kNoMessageAction[] = "Не показать сообщение";
inline constexpr char kEmptyMessageAction[] = "Показать пустое сообщение";
inline constexpr char kShowMessageAction[] = "Показать сообщение";
inline constexpr char kBeepAction[] = ", звуковой сигнал";
inline constexpr char kRunFileAction[] = " и запустить ";
inline constexpr char kShutDownAction[] = "Выключить компьютер";
inline constexpr char kDeleteAfterAction[] = " и удалить задание";
// Instead of kNoMessageAction when nothing else is done either.
inline constexpr char kNothingAction[] = "Ничего не делать";

// ---- Boxes and lists ----
// Asked before a task is deleted: the task's number between the two parts.
inline constexpr char kDeleteQuestionStart[] = "Удалить задание № ";
inline constexpr char kDeleteQuestionEnd[] = " ?";
inline constexpr char kDeleteQuestionCaption[] = "Подтвердите удаление задания";

// The popup's snooze durations, in the order of kSnoozeMinutes.
inline constexpr std::array<const char*, 7> kSnoozeTexts = {"5 мин", "10 мин", "15 мин", "30 мин",
                                                            "1 час", "2 часа", "1 день"};

// The task editor's warnings about days that not every month or year has, and the caption of
// its warning boxes. The monthly warning is the start, the day's number and its word.
inline constexpr char kWarningCaption[] = "Обратите внимание!";
inline constexpr char kFebruaryWarning[] = "Не каждый год содержит 29 дней в феврале";
inline constexpr char kMonthlyDayWarningStart[] = "Не каждый месяц содержит ";
inline constexpr char kMonthlyDayWarningDay31[] = " день";
inline constexpr char kMonthlyDayWarningDays[] = " дней";

// ---- Errors of the data file and of numbers (paths come in UTF-8, named in code page 1251) ----
inline constexpr std::string_view kRangeCheckError = "Range check error";
inline constexpr std::string_view kStreamWriteError = "Stream write error";

inline std::string CannotOpenFileText(std::string_view path) {
  return "Cannot open file " + Utf8AsCp1251(path);
}

inline std::string CannotCreateFileText(std::string_view path) {
  return "Cannot create file " + Utf8AsCp1251(path);
}

// A task section the count does not cover, named as the file writes it ("TASK7", "task01").
inline std::string TaskBeyondCountText(std::string_view path, std::string_view section,
                                       int32_t count) {
  return "File " + Utf8AsCp1251(path) + " holds [" + std::string(section) +
         "] beyond its task count TasksN=" + std::to_string(count);
}

inline std::string TaskSectionMissingText(std::string_view path, int32_t section, int32_t count) {
  return "File " + Utf8AsCp1251(path) + " lacks [TASK" + std::to_string(section) +
         "] of its task count TasksN=" + std::to_string(count);
}

// A stored or typed number that is not a whole number.
inline std::string NotAValidIntegerText(std::string_view value) {
  return std::string("'").append(value).append("' is not a valid integer value");
}

// ---- The command line ----
inline constexpr char kCommandLineUsage[] =
    "vornakel.exe /in ВРЕМЯ [действия] сообщение\r\n"
    "vornakel.exe /at ЧЧ:ММ[:СС] [/daily | /on ДД.ММ.ГГГГ | /weekly пн,ср,пт | /workdays | "
    "/monthly Д | /monthly 2вт | /monthly последняя пт | /yearly ДД.ММ | /every ШАГ] "
    "[действия] сообщение\r\n"
    "vornakel.exe /every ШАГ [действия] сообщение (с этой минуты)\r\n"
    "ВРЕМЯ: 25m, 2h, 1h30m, 90s (или 25м, 2ч, 90с); ШАГ: 45m, 2h, 3d (или 45м, 2ч, 3д); "
    "действия: /till ЧЧ:ММ и /days пн,ср (для шага в минутах или часах), /before 15m, "
    "/nomessage, /nosound, /sound ФАЙЛ.wav, /repeat, /run ФАЙЛ, /delete, /wake\r\n"
    "vornakel.exe /quit — завершить работающую копию (с сохранением, как «Выход»)";

// What is wrong with the command; the argument at fault follows those that end in ": ".
inline constexpr char kBadDurationError[] = "Неверная длительность: ";
inline constexpr char kDurationRangeError[] =
    "Длительность должна быть больше нуля и не больше года: ";
inline constexpr char kBadTimeError[] = "Неверное время: ";
inline constexpr char kBadDateError[] = "Неверная дата: ";
inline constexpr char kNoSuchDayError[] = "В этом месяце нет такого дня: ";
inline constexpr char kBadWeekdayError[] = "Неверный день недели: ";
inline constexpr char kBadMonthDayError[] = "Неверное число месяца: ";
inline constexpr char kDeleteNotOnceError[] = "Ключ /delete — только для разового задания";
inline constexpr char kRunWithoutFileError[] = "Не указан файл после /run";
inline constexpr char kRunFolderError[] = "После /run указана папка, а не файл: ";
inline constexpr char kSoundWithoutFileError[] = "Не указан файл после /sound";
inline constexpr char kSoundFolderError[] = "После /sound указана папка, а не файл: ";
inline constexpr char kSoundWithNoSoundError[] = "Ключи /sound и /nosound исключают друг друга";
inline constexpr char kRepeatError[] =
    "Ключ /repeat — только вместе с сообщением и звуком (без /nomessage и /nosound)";
inline constexpr char kWhenWithoutAtError[] =
    "Дата и повтор задаются только сразу после /at ЧЧ:ММ: ";
inline constexpr char kUnknownSwitchError[] = "Неизвестный ключ: ";
inline constexpr char kNoCommandError[] = "Начните с /in, /at или /every";
inline constexpr char kBadStepError[] = "Неверный шаг повтора: ";
inline constexpr char kStepRangeError[] =
    "Шаг повтора — от 1 до 1440 минут, от 1 до 24 часов или от 1 до 366 дней: ";
inline constexpr char kWeekOfMonthError[] = "Неделя месяца — от 1 до 4 или «последняя»: ";
inline constexpr char kSecondRecurrenceError[] = "Повтор уже задан: ";
inline constexpr char kStepOnlyError[] =
    "Ключи /till и /days — только с шагом повтора в минутах или часах";
inline constexpr char kTillBeforeStartError[] = "Конец повтора раньше его начала: ";
inline constexpr char kWarningRangeError[] = "Напомнить заранее можно за 0…1440 минут: ";
inline constexpr char kQuitAloneError[] = "Ключ /quit пишется без других аргументов: ";

// ---- The tray icon's tip ----
// The first line, the program's name; the second, when something will come, starts with this.
inline constexpr char kTrayTipTitle[] = "Vornakel";
inline constexpr char kTrayTipNext[] = "Следующее: ";
// Ends a message cut to fit the tip ("…").
inline constexpr char kEllipsis[] = "\x85";
