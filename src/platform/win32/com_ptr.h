#pragma once

#include <oleauto.h>
#include <unknwn.h>

#include <string_view>
#include <utility>

namespace tevanor::win32 {

// Owns one reference to a COM interface and releases it when it goes.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For calls that hand out a new reference: the old one is released first.
  Interface** Put() {
    Reset();
    return &pointer_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  void Reset() {
    if (pointer_) std::exchange(pointer_, nullptr)->Release();
  }

 private:
  Interface* pointer_ = nullptr;
};

// Owns a BSTR that a COM call handed out.
class UniqueBstr {
 public:
  UniqueBstr() = default;
  // A copy of `text`, for calls that take a BSTR argument.
  explicit UniqueBstr(std::wstring_view text)
      : text_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~UniqueBstr() { ::SysFreeString(text_); }
  UniqueBstr(const UniqueBstr&) = delete;
  UniqueBstr& operator=(const UniqueBstr&) = delete;

  BSTR* Put() {
    ::SysFreeString(std::exchange(text_, nullptr));
    return &text_;
  }
  BSTR get() const { return text_; }
  std::wstring_view view() const {
    return {text_ ? text_ : L"", text_ ? ::SysStringLen(text_) : 0};
  }

 private:
  BSTR text_ = nullptr;
};

// Owns a VARIANT and clears it, with whatever it holds, when it goes.
class UniqueVariant {
 public:
  UniqueVariant() { ::VariantInit(&value_); }
  ~UniqueVariant() { ::VariantClear(&value_); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;

  VARIANT* Put() {
    ::VariantClear(&value_);
    return &value_;
  }
  const VARIANT& get() const { return value_; }

 private:
  VARIANT value_;
};

// Releases an interface that a call returned once nobody waited for it any more.
template <typename Interface>
void ReleaseUnclaimed(Interface*& object) {
  if (object) object->Release();
}

}  // namespace tevanor::win32
