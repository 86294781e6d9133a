#include "win32/KeyboardLayout.h"

#include <vector>

namespace {

constexpr WORD kRussian = MAKELANGID(LANG_RUSSIAN, SUBLANG_RUSSIAN_RUSSIA);

HKL InstalledRussianLayout() {
  const int count = GetKeyboardLayoutList(0, nullptr);
  if (count <= 0) return nullptr;
  std::vector<HKL> layouts(static_cast<size_t>(count));
  const int listed = GetKeyboardLayoutList(count, layouts.data());
  for (int i = 0; i < listed; ++i)
    if (LOWORD(reinterpret_cast<UINT_PTR>(layouts[static_cast<size_t>(i)])) == kRussian)
      return layouts[static_cast<size_t>(i)];
  return nullptr;
}

}  // namespace

RussianLayoutWhileOpen::RussianLayoutWhileOpen() {
  const HKL russian = InstalledRussianLayout();
  const HKL current = GetKeyboardLayout(0);
  if (!russian || russian == current) return;
  // Without KLF_SETFORPROCESS the switch is this thread's alone.
  if (ActivateKeyboardLayout(russian, 0)) previous_ = current;
}

RussianLayoutWhileOpen::~RussianLayoutWhileOpen() {
  if (previous_) ActivateKeyboardLayout(previous_, 0);
}
