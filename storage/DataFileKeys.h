// The keys of Data.ini's sections, found by name in any letter case.
#pragma once

#include <cstdint>
#include <string_view>

// Every key the file holds. A task's keys come first, in the order an older version reads them:
// the first of them that is not a whole number is the one the error names.
enum Key : uint8_t {
  KeyMod,
  KeySsec,
  KeyYear,
  KeyMon,
  KeyDay,
  KeyStat,
  KeyFN,
  KeyTex,
  KeyDel,
  KeyNM,
  KeyEx,
  KeyOFF,
  KeySnd,
  KeyPrevY,
  KeyPrevM,
  KeyPrevD,
  KeyPrevH,
  KeyPrevMin,
  KeyPrevS,
  KeyPrevMS,
  KeySndF,
  KeyRpt,
  KeyWake,
  KeyKind,
  KeyN,
  KeyDays,
  KeyTill,
  KeyPre,
  // [SETTINGS]
  KeyWinW,
  KeyWinH,
  KeyWinX,
  KeyWinY,
  KeyWinS,
  KeyTray,
  KeyWinMax,
  KeySMin,
  KeyLastOD,
  KeyLn0,
  KeyLn1,
  KeyLn2,
  KeyLn3,
  KeyLn4,
  KeyTasksN,
  KeySnooze,
  KeySnoozeN,
  KeyLastSD,
  KeySeen,
  // [SNOOZEn], beside Tex, Snd, SndF and Rpt
  KeyDue,
  KeyMom,
  KeyCount,
  KeyUnknown = KeyCount
};
static_assert(KeyCount <= 64, "a task's keys seen are bits of one word");

// The key of that name (compared without regard to letter case), or KeyUnknown.
Key KeyNamed(std::string_view name);

// The name folded to lower case, packed with its length into one number: 0 for an empty name
// or one longer than 7 bytes. Two names of up to 7 bytes are equal, letter case aside, exactly
// when their packed numbers are.
uint64_t PackedName(std::string_view name);
