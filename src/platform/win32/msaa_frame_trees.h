#pragma once

#include <memory>

#include "guardian/frame_tree.h"

namespace tevanor::win32 {

// Browser frames' accessibility trees through MSAA (IAccessible), which Chromium and Firefox
// serve to screen readers. A frame's root is asked for with WM_GETOBJECT/OBJID_CLIENT
// (SendMessageTimeout, SMTO_ABORTIFHUNG) and ObjectFromLresult. Every call into a frame's tree
// runs on the frame's call thread, in an apartment of its own, and is waited for at most
// kCallLimitMs; a call that overran leaves its thread behind (the frame's next root gets a new
// one) and its frame hanging until it returns.
class MsaaFrameTrees final : public FrameTrees {
 public:
  static constexpr unsigned kCallLimitMs = 1000;

  MsaaFrameTrees();
  ~MsaaFrameTrees() override;
  MsaaFrameTrees(const MsaaFrameTrees&) = delete;
  MsaaFrameTrees& operator=(const MsaaFrameTrees&) = delete;

  std::unique_ptr<FrameElement> RootOf(WindowHandle frame) override;
  bool Hangs(WindowHandle frame) override;

  struct Calls;

 private:
  std::shared_ptr<Calls> calls_;
};

}  // namespace tevanor::win32
