#pragma once

#include <windows.h>

#include "base/clock.h"

namespace tevanor::win32 {

class SystemClock final : public Clock {
 public:
  LocalTime Now() override {
    SYSTEMTIME t;
    ::GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
  }
};

}  // namespace tevanor::win32
