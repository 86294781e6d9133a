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
    "vornakel.exe /at ЧЧ:ММ[:СС] [/daily | /on ДД.ММ.ГГГГ | /weekly пн..вс | /monthly Д | "
    "/yearly ДД.ММ] [действия] сообщение\r\n"
    "ВРЕМЯ: 25m, 2h, 1h30m, 90s (или 25м, 2ч, 90с); действия: /nomessage, /nosound, "
    "/sound ФАЙЛ.wav, /repeat, /run ФАЙЛ, /delete, /wake\r\n"
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
inline constexpr char kNoCommandError[] = "Начните с /in или /at";
inline constexpr char kQuitAloneError[] = "Ключ /quit пишется без других аргументов: ";

// ---- The tray icon's tip ----
// The first line, the program's name; the second, when something will come, starts with this.
inline constexpr char kTrayTipTitle[] = "Vornakel";
inline constexpr char kTrayTipNext[] = "Следующее: ";
// Ends a message cut to fit the tip ("…").
inline constexpr char kEllipsis[] = "\x85";
