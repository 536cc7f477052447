#include "fakes/framework/fake_dialog_host.h"
#include "host_contract.h"

namespace tevanor::testing {

namespace {

class FakeContractHost final : public ContractHost {
 public:
  DialogHost& host() override { return host_; }
  void RunPending() override { host_.Run(); }

 private:
  FakeDialogHost host_;
};

}  // namespace

std::unique_ptr<ContractHost> MakeContractHost() {
  return std::make_unique<FakeContractHost>();
}

}  // namespace tevanor::testing
