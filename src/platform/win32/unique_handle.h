#pragma once

#include <windows.h>

#include <memory>
#include <utility>

namespace tevanor::win32 {

// Owns one Win32 handle and releases it when it goes. Traits give the handle type, the value
// that means "none" and the release call.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  Handle release() { return std::exchange(handle_, Traits::Invalid()); }
  // Releases the current handle now; false when the system reports an error.
  bool reset(Handle handle = Traits::Invalid()) {
    bool ok = true;
    if (handle_ != Traits::Invalid()) ok = Traits::Close(handle_);
    handle_ = handle;
    return ok;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {  // processes, threads, events, mutexes
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return ::CloseHandle(h) != 0; }
};
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle h) { return ::CloseHandle(h) != 0; }
};
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle h) { return ::FindClose(h) != 0; }
};
struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return ::RegCloseKey(h) == ERROR_SUCCESS; }
};
struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return ::FreeLibrary(h) != 0; }
};
struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return ::DestroyWindow(h) != 0; }
};

// Memory the system allocated for the caller with LocalAlloc (security descriptors, lists).
struct LocalFreeDeleter {
  void operator()(void* memory) const { ::LocalFree(memory); }
};
template <typename T>
using UniqueLocal = std::unique_ptr<T, LocalFreeDeleter>;

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueFind = UniqueHandle<FindHandleTraits>;
using UniqueKey = UniqueHandle<RegistryKeyTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;

}  // namespace tevanor::win32
