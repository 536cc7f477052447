#include "platform/win32/app/instance_lock.h"

namespace tevanor::win32 {

bool NamedMutexLock::Acquire() {
  HANDLE mutex = ::CreateMutexW(nullptr, TRUE, L"Tevanor");
  const DWORD error = ::GetLastError();
  mutex_.reset(mutex);
  return error != ERROR_ALREADY_EXISTS;
}

}  // namespace tevanor::win32
