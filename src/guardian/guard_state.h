#pragma once

#include <cstdint>
#include <string>

#include "guardian/program_version.h"
#include "rules/phrase_list.h"
#include "rules/protection_level.h"
#include "rules/site_list.h"

namespace tevanor {

// Everything the guardian keeps between messages. The control panel owns the one instance for
// its whole life; every field is read and written on the user-interface thread only.
// The panel's dialogs are the panel's own: the guardian asks about them through GuardHost.
struct GuardState {
  int m_bGuardActive = 1;          // timer 1 is armed only while this is 1
  int m_bScanBusy = 0;             // a window's lists are being walked: scan ticks do nothing
  int m_bMircChat = 1;             // end programs whose top-level title contains "MIRC"
  int m_bJavaChat = 0;             // end programs that show a Java chat applet
  std::uint32_t m_dwShellPid = 0;  // the desktop shell's process; 0 until the taskbar is seen
  std::uint8_t m_nProtLevel = kLevelTotal;  // which built-in phrases the walk takes
  int m_bBuiltInSites = 1;                  // the built-in prohibited sites head the site list
  int m_nBlocked = 0;                       // blocks since the program started
  std::string m_strVersion = kUnknownVersion;

  PhraseList phrases;  // m_pUserPhrases and the walk m_pPhrases
  SiteList sites;      // m_pSites
};

}  // namespace tevanor
