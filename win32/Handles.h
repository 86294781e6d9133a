// Small owners for the system's handles: each closes its handle exactly once.
#pragma once

#include <objbase.h>
#include <windows.h>

#include <type_traits>
#include <utility>

// Owns a value of type T and releases it with Close unless it equals one of the two values that
// mean "nothing" (some functions report failure with null, others with INVALID_HANDLE_VALUE).
template <typename T, auto Close>
class UniqueResource {
 public:
  UniqueResource() = default;
  explicit UniqueResource(T value) : value_(value) {}
  UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  ~UniqueResource() { reset(); }

  T get() const { return value_; }
  explicit operator bool() const { return IsValid(value_); }

  T release() { return std::exchange(value_, T{}); }
  void reset(T value = T{}) {
    if (IsValid(value_)) Close(value_);
    value_ = value;
  }

 private:
  static bool IsValid(T value) {
    if constexpr (std::is_same_v<T, HANDLE>)
      return value != nullptr && value != INVALID_HANDLE_VALUE;
    else
      return value != T{};
  }

  T value_{};
};

inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void CloseFindHandle(HANDLE handle) { FindClose(handle); }
inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void DestroyMenuHandle(HMENU menu) { DestroyMenu(menu); }
inline void CloseRegistryKey(HKEY key) { RegCloseKey(key); }
inline void RemoveHook(HHOOK hook) { UnhookWindowsHookEx(hook); }
inline void UnmapView(const void* view) { UnmapViewOfFile(view); }

using UniqueHandle = UniqueResource<HANDLE, CloseKernelHandle>;
using UniqueFindHandle = UniqueResource<HANDLE, CloseFindHandle>;
using UniqueFont = UniqueResource<HFONT, DeleteGdiObject>;
using UniqueBrush = UniqueResource<HBRUSH, DeleteGdiObject>;
using UniqueIcon = UniqueResource<HICON, DestroyIconHandle>;
using UniqueMenu = UniqueResource<HMENU, DestroyMenuHandle>;
using UniqueRegistryKey = UniqueResource<HKEY, CloseRegistryKey>;
using UniqueHook = UniqueResource<HHOOK, RemoveHook>;
using UniqueView = UniqueResource<const void*, UnmapView>;

// Holds one reference to a COM interface and releases it once.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (pointer_) pointer_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  Interface* operator->() const { return pointer_; }
  Interface* get() const { return pointer_; }
  // For the creating call's out parameter; the pointer must be empty.
  void** out() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

// COM for the calling thread for the owner's lifetime; uninitialised only if it was initialised.
class ComApartment {
 public:
  explicit ComApartment(DWORD model) : initialised_(SUCCEEDED(CoInitializeEx(nullptr, model))) {}
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};
