#include "core/MissedReminder.h"

#include <cstdio>

std::string MissedMomentText(const LocalMoment& m) {
  char text[48];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", m.day, m.month, m.year, m.hour,
                m.minute, m.second);
  return text;
}

std::string MissedCountText(const MissedReminder& missed) {
  if (missed.count <= 1 && !missed.more) return {};
  return std::to_string(missed.count) + (missed.more ? "+" : "");
}
