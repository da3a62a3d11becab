// Owning COM interface pointers, and scopes that keep COM (or OLE, for drag
// and drop) initialised on the calling thread.
#pragma once

#include <objbase.h>
#include <ole2.h>

#include <cstdint>
#include <string>
#include <utility>

namespace plakato {

// An HRESULT as the program's error texts show it: "0x" and eight upper-case
// hexadecimal digits.
inline std::wstring HresultText(HRESULT hr) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  auto value = static_cast<uint32_t>(hr);
  std::wstring text = L"0x";
  for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xF];
  return text;
}

// Holds one reference to a COM interface and releases it when it goes.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  // Adopts a reference the caller already owns; it is not AddRef'd again.
  explicit ComPtr(T* adopted) : pointer_(adopted) {}
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) reset(std::exchange(other.pointer_, nullptr));
    return *this;
  }
  ~ComPtr() { reset(); }

  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  // For calls that hand out a new reference through a T** parameter: whatever
  // was held before is released first, so it cannot leak when it is overwritten.
  T** put() {
    reset();
    return &pointer_;
  }

  void reset(T* adopted = nullptr) {
    T* old = std::exchange(pointer_, adopted);
    if (old) old->Release();
  }

 private:
  T* pointer_ = nullptr;
};

// CoInitializeEx for one scope, single-threaded apartment as windows and the
// clipboard need. A thread that already runs COM in the other apartment model
// (RPC_E_CHANGED_MODE) can still use it, so that is not an error; only a
// successful call is balanced by CoUninitialize.
class ComScope {
 public:
  ComScope() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  ~ComScope() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }

  // False only when COM could not be started at all on this thread.
  bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }
  HRESULT result() const { return result_; }

 private:
  HRESULT result_;
};

// OleInitialize for one scope: COM in the single-threaded apartment plus
// what drag and drop and the OLE clipboard need. Only a successful call is
// balanced by OleUninitialize.
class OleScope {
 public:
  OleScope() : result_(::OleInitialize(nullptr)) {}
  OleScope(const OleScope&) = delete;
  OleScope& operator=(const OleScope&) = delete;
  ~OleScope() {
    if (SUCCEEDED(result_)) ::OleUninitialize();
  }

  HRESULT result() const { return result_; }

 private:
  HRESULT result_;
};

}  // namespace plakato
