#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tevanor::helpers {

// One element of an accessibility tree as a browser serves it to screen readers.
struct AccessibleNode {
  long role = 0;  // ROLE_SYSTEM_...
  std::wstring name = {};
  std::wstring value = {};
  std::vector<AccessibleNode> children = {};
};

// A tree shaped as today's browsers serve a page: the tab strip and the toolbar with its address
// bar, then the document (named by the title, its value the address) with one paragraph of the
// given texts and a link.
AccessibleNode BrowserTree(const std::wstring& title, const std::wstring& address,
                           const std::vector<std::wstring>& texts);

// Makes `window` answer WM_GETOBJECT/OBJID_CLIENT with `root` as IAccessible objects, on this
// thread's apartment (COM must be initialised on it). With `hang`, every call into the tree
// after the root is handed out blocks for ever.
void ServeAccessibleTree(HWND window, AccessibleNode root, bool hang);

}  // namespace tevanor::helpers
