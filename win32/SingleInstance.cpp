#include "win32/SingleInstance.h"

namespace {

// "Local\": one per logon session, as the window check is one per desktop.
constexpr wchar_t kMutexName[] = L"Local\\Vornakel.SingleInstance";

}  // namespace

SingleInstance::SingleInstance() : mutex_(CreateMutexW(nullptr, FALSE, kMutexName)) {
  // The mutex is held by its handle: it lives exactly as long as the process keeps it open.
  // Without it (the name refused), the window check alone decides, as before.
  acquired_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

bool SingleInstance::HeldByAnyCopy() {
  const UniqueHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, kMutexName));
  return static_cast<bool>(mutex);
}
