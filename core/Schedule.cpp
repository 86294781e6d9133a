#include "core/Schedule.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "core/Calendar.h"
#include "core/Store.h"

namespace {

// Longer than any period (a yearly task's moment may be 366 days after its year began).
constexpr int kDaysSearched = 400;

// 00:00:00 of the day after `time`'s date, its weekday carried along.
SystemTime NextMidnight(SystemTime time) {
  if (time.day < DaysInMonth(time.month, time.year)) {
    ++time.day;
  } else {
    time.day = 1;
    time.month = time.month < 12 ? time.month + 1 : 1;
    if (time.month == 1) ++time.year;
  }
  time.dayOfWeek = static_cast<uint16_t>((time.dayOfWeek + 1) % 7);
  time.hour = time.minute = time.second = 0;
  return time;
}

// Days from 1 March of year 0 to the date: differences between two dates count days.
int64_t DayNumber(int32_t year, int32_t month, int32_t day) {
  if (month < 3) {
    year -= 1;
    month += 12;
  }
  return 365LL * year + year / 4 - year / 100 + year / 400 + (153 * (month - 3) + 2) / 5 + day;
}
int64_t DayNumber(const SystemTime& t) { return DayNumber(t.year, t.month, t.day); }

// The period (block of `every` days) of an every-N-days task that holds `t`'s date; -1 and below
// before its first day.
int64_t BlockOf(const Task& task, const SystemTime& t) {
  const int64_t days = DayNumber(t) - DayNumber(task.year, task.month, task.day);
  const int64_t block = days / task.rule.every;
  return days < 0 && days % task.rule.every != 0 ? block - 1 : block;
}

bool HasSlots(const Task& task) {
  return task.rule.kind == EveryNMinutes || task.rule.kind == EveryNHours;
}
int32_t SlotSeconds(const Task& task) {
  return task.rule.every * (task.rule.kind == EveryNMinutes ? 60 : 3600);
}

// The end of the slots; one before the start leaves the start alone, rather than no slot at all.
int32_t LastSlot(const Task& task) { return std::max(task.rule.tillSecond, task.secondOfDay); }

// The day of the month of the rule's weekday occurrence in `t`'s month.
int32_t NthWeekdayDay(const Task& task, const SystemTime& t) {
  const int32_t weekday = std::countr_zero(static_cast<uint32_t>(task.rule.weekdays));
  const int32_t firstOfMonth = ((t.dayOfWeek - (t.day - 1)) % 7 + 7) % 7;
  const int32_t first = 1 + (weekday - firstOfMonth + 7) % 7;
  int32_t day = first + 7 * (std::min(task.rule.every, 4) - 1);
  if (task.rule.every == kLastOfMonth)
    while (day + 7 <= DaysInMonth(t.month, t.year)) day += 7;
  return day;
}

// True when the rule has a moment on `t`'s date.
bool RuleFallsOnDay(const Task& task, const SystemTime& t) {
  switch (task.rule.kind) {
    case EveryNMinutes:
    case EveryNHours:
      return task.rule.weekdays == 0 || (task.rule.weekdays & WeekdayBit(t.dayOfWeek)) != 0;
    case OnWeekdays:
      return (task.rule.weekdays & WeekdayBit(t.dayOfWeek)) != 0;
    case NthWeekdayOfMonth:
      return t.day == NthWeekdayDay(task, t);
    case EveryNDays: {
      const int64_t days = DayNumber(t) - DayNumber(task.year, task.month, task.day);
      return days >= 0 && days % task.rule.every == 0;
    }
    default:
      return false;
  }
}

// The second of day of the latest slot at or before `t` on its date; -1 when there is none.
int32_t LatestSlot(const Task& task, const SystemTime& t) {
  const int32_t second = SecondOfDay(t), start = task.secondOfDay, till = LastSlot(task);
  if (second < start || !RuleFallsOnDay(task, t)) return -1;
  const int32_t step = SlotSeconds(task);
  return start + std::min((second - start) / step, (till - start) / step) * step;
}

// The first second of `t`'s day after `t` at which the task's due or period rule may turn: its
// time of day, or the next slot; -1 when none is left that day.
int32_t NextTurnOfDay(const Task& task, const SystemTime& t) {
  const int32_t second = SecondOfDay(t), start = task.secondOfDay;
  if (second < start) return start < 86400 ? start : -1;
  if (!HasSlots(task)) return -1;
  const int32_t next = start + ((second - start) / SlotSeconds(task) + 1) * SlotSeconds(task);
  return next <= LastSlot(task) ? next : -1;
}

// The first moment from `from` at which `holds` is true, for a rule that turns true only at a
// midnight or, when `atMoments`, at one of the task's turns of the day (NextTurnOfDay), as the due
// and period rules do.
template <class Rule>
std::optional<SystemTime> FirstMomentWhen(SystemTime from, const Task& task, bool atMoments,
                                          Rule holds) {
  if (holds(from)) return from;
  for (int days = 0; days <= kDaysSearched; ++days) {
    if (days > 0) {
      from = NextMidnight(from);
      if (holds(from)) return from;
    }
    SystemTime at = from;
    for (int32_t turn; atMoments && (turn = NextTurnOfDay(task, at)) >= 0;) {
      at.hour = static_cast<uint16_t>(turn / 3600);
      at.minute = static_cast<uint16_t>(turn / 60 % 60);
      at.second = static_cast<uint16_t>(turn % 60);
      if (holds(at)) return at;
    }
  }
  return std::nullopt;
}

bool IsRuleDue(const Task& task, const SystemTime& now) {
  const bool timeReached = task.secondOfDay <= SecondOfDay(now);
  switch (task.rule.kind) {
    case EveryNMinutes:
    case EveryNHours:
      return LatestSlot(task, now) >= 0;
    case OnWeekdays:
      return timeReached && RuleFallsOnDay(task, now);
    case NthWeekdayOfMonth: {
      const int32_t day = NthWeekdayDay(task, now);
      return day < now.day || (day == now.day && timeReached);
    }
    case EveryNDays: {
      const int64_t days = DayNumber(now) - DayNumber(task.year, task.month, task.day);
      return days >= 0 && (days % task.rule.every != 0 || timeReached);
    }
    default:
      return false;
  }
}

bool ShouldRuleReactivate(const Task& task, const SystemTime& now) {
  const SystemTime& last = task.lastRun;
  const bool otherDate = last.day != now.day || last.month != now.month || last.year != now.year;
  switch (task.rule.kind) {
    case EveryNMinutes:
    case EveryNHours: {
      if (otherDate) return true;
      SystemTime lastToday = now;  // the same date, so the same weekday
      lastToday.hour = last.hour, lastToday.minute = last.minute, lastToday.second = last.second;
      return LatestSlot(task, lastToday) != LatestSlot(task, now);
    }
    case NthWeekdayOfMonth:
      return last.month != now.month || last.year != now.year;
    case EveryNDays:
      return BlockOf(task, last) != BlockOf(task, now);
    default:
      return otherDate;
  }
}

// The recurrence and day an older version reads (see RuleKind): for the Nth weekday the day of
// its next occurrence after `now`, this month's while it has not come.
void KeepOlderRecurrence(Task& task, const SystemTime& now, bool firedThisMonth) {
  if (task.rule.kind == PlainRule) return;
  if (task.rule.kind != NthWeekdayOfMonth) {
    task.recurrence = EveryDay;
    return;
  }
  task.recurrence = EveryMonth;
  if (!firedThisMonth && !IsRuleDue(task, now)) {
    task.day = NthWeekdayDay(task, now);
    return;
  }
  SystemTime nextMonth = now;  // its first day, with its weekday
  const int32_t daysLeft = DaysInMonth(now.month, now.year) - now.day + 1;
  nextMonth.dayOfWeek = static_cast<uint16_t>((now.dayOfWeek + daysLeft) % 7);
  nextMonth.day = 1;
  nextMonth.month = now.month < 12 ? now.month + 1 : 1;
  if (nextMonth.month == 1) ++nextMonth.year;
  task.day = NthWeekdayDay(task, nextMonth);
}

}  // namespace

int32_t SecondOfDay(const SystemTime& now) { return SecondOfDay(now.hour, now.minute, now.second); }

bool IsDue(const Task& task, const SystemTime& now) {
  if (task.rule.kind != PlainRule) return IsRuleDue(task, now);
  const int32_t second = SecondOfDay(now);
  const bool timeReached = task.secondOfDay <= second;
  // The task's 32-bit fields against the 16-bit members taken as non-negative numbers.
  const int32_t year = now.year, month = now.month, day = now.day, weekday = now.dayOfWeek;
  if (IsWeekly(task.recurrence)) return timeReached && weekday == WeeklyDayOfWeek(task.recurrence);
  switch (task.recurrence) {
    case EveryDay:
      return timeReached;
    case EveryMonth:
      return task.day < day || (task.day == day && timeReached);
    case EveryYear:
      return task.month < month || (task.month == month && task.day < day) ||
             (task.month == month && task.day == day && timeReached);
    case Once:
      return task.year < year || (task.year == year && task.month < month) ||
             (task.year == year && task.month == month && task.day < day) ||
             (task.year == year && task.month == month && task.day == day && timeReached);
    default:
      return false;
  }
}

int64_t WallSecond(const SystemTime& time) { return DayNumber(time) * 86400 + SecondOfDay(time); }
int64_t WallSecond(const LocalMoment& moment) {
  return DayNumber(moment.year, moment.month, moment.day) * 86400 +
         SecondOfDay(moment.hour, moment.minute, moment.second);
}

QuietSpan QuietSpanFrom(const Task& task, const SystemTime& now) {
  const int64_t from = WallSecond(now);
  QuietSpan span{from, from, task.status};
  int64_t until = std::numeric_limits<int64_t>::max();
  if (task.status == StatusActive || task.status == StatusDoneToday) {
    if (task.status == StatusActive ? IsDue(task, now) : ShouldReactivate(task, now)) return span;
    // On one date both tests change only at the task's turns of the day: due from its time of
    // day on, back to active at its next slot or, for every other rule, with another date.
    const int32_t turn = NextTurnOfDay(task, now);
    until = from - SecondOfDay(now) + (turn >= 0 ? turn : 86400);
  }
  if (task.warnMinutes > 0) {
    // The next moment stays the same until it comes, and its warning begins this much before.
    if (const std::optional<LocalMoment> next = NextFiring(task, now))
      until = std::min(until, WallSecond(*next) - int64_t{task.warnMinutes} * 60);
  }
  span.until = std::max(until, from);
  return span;
}

bool FallsOnDay(const Task& task, const SystemTime& now) {
  const int32_t year = now.year, month = now.month, day = now.day;
  if (task.rule.kind != PlainRule) return RuleFallsOnDay(task, now);
  if (task.recurrence == EveryDay) return true;
  if (IsWeekly(task.recurrence)) return now.dayOfWeek == WeeklyDayOfWeek(task.recurrence);
  if (task.recurrence == EveryMonth) return task.day == day;
  if (task.recurrence == EveryYear) return task.month == month && task.day == day;
  return task.recurrence == Once && task.year == year && task.month == month && task.day == day;
}

bool ShouldReactivate(const Task& task, const SystemTime& now) {
  if (task.rule.kind != PlainRule) return ShouldRuleReactivate(task, now);
  if (task.recurrence < EveryMonth)
    return task.lastRun.day != now.day || task.lastRun.month != now.month ||
           task.lastRun.year != now.year;
  if (task.recurrence == EveryMonth)
    return task.lastRun.month != now.month || task.lastRun.year != now.year;
  if (task.recurrence == EveryYear) return task.lastRun.year != now.year;
  return false;
}

void RecordFiring(Task& task, const SystemTime& now) {
  task.lastRun.year = now.year;
  task.lastRun.month = now.month;
  task.lastRun.day = now.day;
  task.lastRun.hour = now.hour;
  task.lastRun.minute = now.minute;
  task.lastRun.second = now.second;
  if (task.rule.kind == PlainRule && task.recurrence == Once) {
    task.status = StatusDone;
  } else {
    task.status = StatusDoneToday;
    task.doneThisPeriod = 1;
  }
  KeepOlderRecurrence(task, now, true);
}

int32_t MomentSecondOfDay(const Task& task, const SystemTime& now) {
  return HasSlots(task) ? std::max(LatestSlot(task, now), task.secondOfDay) : task.secondOfDay;
}

void SkipMomentBeforeSaving(Task& task, const SystemTime& now) {
  if ((task.rule.kind != PlainRule || task.recurrence != Once) && IsDue(task, now))
    RecordFiring(task, now);
  else
    KeepOlderRecurrence(task, now);
}

void KeepOlderRecurrence(Task& task, const SystemTime& now) {
  // A task done for this month keeps the next month's occurrence.
  KeepOlderRecurrence(task, now, task.status == StatusDoneToday && !ShouldReactivate(task, now));
}

bool SameMoment(const Task& a, const Task& b) {
  if (a.rule != b.rule) return false;
  if (a.rule.kind != PlainRule)  // the date fields are the start of every N days, else unread
    return a.secondOfDay == b.secondOfDay &&
           (a.rule.kind != EveryNDays ||
            (a.year == b.year && a.month == b.month && a.day == b.day));
  if (a.recurrence != b.recurrence || a.secondOfDay != b.secondOfDay) return false;
  const bool readsDay = a.recurrence >= EveryMonth, readsMonth = a.recurrence >= EveryYear,
             readsYear = a.recurrence >= Once;
  return (!readsDay || a.day == b.day) && (!readsMonth || a.month == b.month) &&
         (!readsYear || a.year == b.year);
}

std::optional<LocalMoment> NextFiring(const Task& task, const SystemTime& now) {
  std::optional<SystemTime> from = now;
  from->milliseconds = 0;
  if (task.status == StatusDoneToday) {
    from = FirstMomentWhen(*from, task, HasSlots(task),
                           [&](const SystemTime& t) { return ShouldReactivate(task, t); });
    if (!from) return std::nullopt;
  } else if (task.status != StatusActive) {
    return std::nullopt;
  }
  // A one-time task's date may be years ahead; the search starts with its year (its rule does
  // not read the weekday, left as it was).
  // Nor does that of every N days, which may start years ahead as well.
  const bool dated =
      task.rule.kind == EveryNDays || (task.rule.kind == PlainRule && task.recurrence == Once);
  if (dated && task.year > from->year && task.year <= 9999)
    *from = SystemTime{static_cast<uint16_t>(task.year), 1, 1, 0, 0, 0, 0, from->dayOfWeek};
  const auto due =
      FirstMomentWhen(*from, task, true, [&](const SystemTime& t) { return IsDue(task, t); });
  if (!due) return std::nullopt;
  return MomentOf(*due);
}

std::optional<NextReminder> NextInStore(const Store& store, const SystemTime& now) {
  std::optional<NextReminder> next;
  for (const Task& task : store.tasks) {
    const auto moment = NextFiring(task, now);
    if (moment && (!next || *moment < next->moment)) next = NextReminder{*moment, &task.message};
  }
  // In the order they fall due: the first is the earliest, shown at once when already past.
  if (!store.snoozed.empty()) {
    const SnoozedReminder& first = store.snoozed.front();
    const LocalMoment back = std::max(first.due, MomentOf(now));
    if (!next || back < next->moment) next = NextReminder{back, &first.message};
  }
  return next;
}

std::optional<LocalMoment> NextWakeMoment(const Store& store, const SystemTime& now) {
  std::optional<LocalMoment> next;
  for (const Task& task : store.tasks) {
    if (!task.wake) continue;
    const auto moment = NextFiring(task, now);
    if (moment && (!next || *moment < *next)) next = moment;
  }
  return next;
}
