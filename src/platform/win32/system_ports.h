#pragma once

#include "guardian/guardian.h"
#include "platform/win32/data_directory.h"
#include "platform/win32/desktop_windows.h"
#include "platform/win32/msaa_frame_trees.h"
#include "platform/win32/page_source.h"
#include "platform/win32/process_control.h"
#include "platform/win32/system_clock.h"
#include "platform/win32/window_inspector.h"
#include "platform/win32/winsock_network.h"

namespace tevanor::win32 {

// The guardian's ports on this desktop, owned together by the program and by tevanor-guard:
// the data files beside the program, the desktop's windows, processes, pages and frames, the
// network and the clock. The profile is the caller's.
class Win32SystemPorts {
 public:
  explicit Win32SystemPorts(ProfileStore& profile) : profile_(profile) {}
  Win32SystemPorts(const Win32SystemPorts&) = delete;
  Win32SystemPorts& operator=(const Win32SystemPorts&) = delete;

  SystemPorts Ports() {
    return {profile_, files, windows_, inspector_, processes_, pages_, frames_, network_, clock_};
  }

  Win32DataDirectory files{Win32DataDirectory::ProgramDirectory()};

 private:
  ProfileStore& profile_;
  DesktopWindows windows_;
  Win32WindowInspector inspector_;
  Win32ProcessControl processes_;
  Win32PageSource pages_;
  MsaaFrameTrees frames_;
  WinsockNetwork network_;
  SystemClock clock_;
};

}  // namespace tevanor::win32
