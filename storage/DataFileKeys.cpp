#include "storage/DataFileKeys.h"

#include "core/TextEncodings.h"

namespace {

// A name of up to 7 bytes folded to lower case and packed with its length into one number, so
// that a switch finds a key; 0 for a longer or empty name.
constexpr uint64_t PackAscii(std::string_view name) {
  if (name.empty() || name.size() > 7) return 0;
  uint64_t packed = name.size();
  for (char c : name)
    packed = (packed << 8) | static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return packed;
}

}  // namespace

uint64_t PackedName(std::string_view name) {
  if (name.empty() || name.size() > 7) return 0;
  uint64_t packed = name.size();
  for (char c : name) packed = (packed << 8) | LowerCp1251(static_cast<unsigned char>(c));
  return packed;
}

Key KeyNamed(std::string_view name) {
  switch (PackedName(name)) {
#define VORNAKEL_KEY(k) \
  case PackAscii(#k):   \
    return Key##k
    VORNAKEL_KEY(Mod);
    VORNAKEL_KEY(Ssec);
    VORNAKEL_KEY(Year);
    VORNAKEL_KEY(Mon);
    VORNAKEL_KEY(Day);
    VORNAKEL_KEY(Stat);
    VORNAKEL_KEY(FN);
    VORNAKEL_KEY(Tex);
    VORNAKEL_KEY(Del);
    VORNAKEL_KEY(NM);
    VORNAKEL_KEY(Ex);
    VORNAKEL_KEY(OFF);
    VORNAKEL_KEY(Snd);
    VORNAKEL_KEY(PrevY);
    VORNAKEL_KEY(PrevM);
    VORNAKEL_KEY(PrevD);
    VORNAKEL_KEY(PrevH);
    VORNAKEL_KEY(PrevMin);
    VORNAKEL_KEY(PrevS);
    VORNAKEL_KEY(PrevMS);
    VORNAKEL_KEY(SndF);
    VORNAKEL_KEY(Rpt);
    VORNAKEL_KEY(Wake);
    VORNAKEL_KEY(Kind);
    VORNAKEL_KEY(N);
    VORNAKEL_KEY(Days);
    VORNAKEL_KEY(Till);
    VORNAKEL_KEY(Pre);
    VORNAKEL_KEY(WinW);
    VORNAKEL_KEY(WinH);
    VORNAKEL_KEY(WinX);
    VORNAKEL_KEY(WinY);
    VORNAKEL_KEY(WinS);
    VORNAKEL_KEY(Tray);
    VORNAKEL_KEY(WinMax);
    VORNAKEL_KEY(SMin);
    VORNAKEL_KEY(LastOD);
    VORNAKEL_KEY(Ln0);
    VORNAKEL_KEY(Ln1);
    VORNAKEL_KEY(Ln2);
    VORNAKEL_KEY(Ln3);
    VORNAKEL_KEY(Ln4);
    VORNAKEL_KEY(TasksN);
    VORNAKEL_KEY(Snooze);
    VORNAKEL_KEY(SnoozeN);
    VORNAKEL_KEY(LastSD);
    VORNAKEL_KEY(Seen);
    VORNAKEL_KEY(Due);
    VORNAKEL_KEY(Mom);
#undef VORNAKEL_KEY
    default:
      return KeyUnknown;
  }
}
