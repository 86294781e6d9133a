#include "ui/main/TrayTip.h"

#include "core/RowTexts.h"
#include "core/Schedule.h"
#include "core/Store.h"
#include "core/Texts.h"

namespace {

// "18:30" today, "12.12 09:00" another day of this year, "12.12.2028 09:00" another year.
std::string WhenText(const LocalMoment& moment, const SystemTime& now) {
  std::string when;
  if (moment.year != now.year || moment.month != now.month || moment.day != now.day) {
    when = TwoDigits(moment.day) + "." + TwoDigits(moment.month);
    if (moment.year != now.year) when += "." + std::to_string(moment.year);
    when += " ";
  }
  return when + TwoDigits(moment.hour) + ":" + TwoDigits(moment.minute);
}

}  // namespace

TrayTip ComposeTrayTip(const Store& store, const SystemTime& now) {
  TrayTip tip{kTrayTipTitle, std::nullopt};
  const std::optional<NextReminder> next = NextInStore(store, now);
  if (!next) return tip;
  tip.next = next->moment;
  tip.text += "\n";
  tip.text += kTrayTipNext;
  tip.text += WhenText(next->moment, now);
  const std::string_view line = next->message ? FirstLine(*next->message) : std::string_view();
  if (line.empty()) return tip;
  tip.text += " ";
  const size_t room = kTrayTipCapacity - 1 - tip.text.size();
  if (line.size() <= room) return tip.text.append(line), tip;
  tip.text.append(line.substr(0, room - 1)).append(kEllipsis);
  return tip;
}

bool NextMomentWatch::Due(uint64_t composedSaves, const SystemTime& now) const {
  return !known_ || composedSaves != saves_ || now.day != day_ || now.month != month_ ||
         now.year != year_ || (comes_ && MomentOf(now) >= *comes_);
}

void NextMomentWatch::Composed(uint64_t composedSaves, const SystemTime& now,
                               const std::optional<LocalMoment>& next) {
  known_ = true;
  saves_ = composedSaves;
  year_ = now.year, month_ = now.month, day_ = now.day;
  comes_ = next && *next > MomentOf(now) ? next : std::nullopt;
}
