#pragma once

namespace tevanor::win32 {

// Tevanor.exe: the start-up paths with the real ports. Returns the process's exit status.
int RunTevanor();

}  // namespace tevanor::win32
