#include "host_contract.h"
#include "platform/win32/framework/win32_dialog_host.h"

namespace tevanor::testing {

namespace {

class Win32ContractHost final : public ContractHost {
 public:
  DialogHost& host() override { return host_; }
  void RunPending() override { host_.ProcessPendingMessages(); }

 private:
  win32::Win32DialogHost host_;
};

}  // namespace

std::unique_ptr<ContractHost> MakeContractHost() {
  return std::make_unique<Win32ContractHost>();
}

}  // namespace tevanor::testing
