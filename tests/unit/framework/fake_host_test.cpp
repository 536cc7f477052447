// Binds the host contract to the fake host, so that what unit tests see on the fake is what
// the contract holds the Win32 host to.
#include "fakes/framework/fake_dialog_host.h"

namespace tevanor::testing {

std::unique_ptr<DialogHost> MakeContractHost() {
  return std::make_unique<FakeDialogHost>();
}

void RunPending(DialogHost& host) {
  static_cast<FakeDialogHost&>(host).Run();
}

}  // namespace tevanor::testing
