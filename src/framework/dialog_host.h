#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "framework/dialog.h"

namespace tevanor {

// Creates dialog windows and runs their message loops: the Win32 host in the product, the
// fake host in unit tests. There is one user-interface thread; everything runs on it.
class DialogHost {
 public:
  virtual ~DialogHost() = default;

  // Creates the window from the dialog's template and runs a nested loop until EndDialog or
  // the window's destruction; the owner is disabled meanwhile. -1 when creation fails.
  virtual int RunModal(Dialog& dialog, Dialog* owner) = 0;
  // Creates a modeless window; the host owns the dialog and releases it once its window is
  // destroyed and no handler of it is running. nullptr (and the dialog released) on failure.
  virtual Dialog* CreateModeless(std::unique_ptr<Dialog> dialog, Dialog* owner) = 0;
  virtual int ShowMessage(Dialog* owner, std::string_view text, MessageButtons buttons) = 0;
  // The default beep: a request of the user's that the system could not carry out.
  virtual void Beep() = 0;

 protected:
  // The steps of a window's life, for implementations.
  static void Attach(Dialog& dialog, DialogWindow& window) { dialog.window_ = &window; }
  static bool Initialise(Dialog& dialog) { return dialog.OnInitDialog(); }
  static std::optional<std::intptr_t> Deliver(Dialog& dialog, DialogEvent& event) {
    return dialog.Dispatch(event);
  }
  static void Destroying(Dialog& dialog) { dialog.OnDestroy(); }
  // The window is gone: the dialog forgets it and clears its owners' references.
  static void Detach(Dialog& dialog);
};

// Creates a modeless T(host, args...) owned by the host; nullptr when its window cannot be
// created.
template <typename T, typename... Args>
T* OpenModeless(DialogHost& host, Dialog* owner, Args&&... args) {
  auto dialog = std::make_unique<T>(host, std::forward<Args>(args)...);
  T* const created = dialog.get();
  return host.CreateModeless(std::move(dialog), owner) != nullptr ? created : nullptr;
}

// The one modeless instance that `ref` refers to: shown when it exists, made by `make` (a
// std::unique_ptr<T>, or null) and shown when it does not. `ref` is cleared when the window
// goes, so there is never a second one.
template <typename T, typename Make>
T* OpenSingleFrom(T*& ref, DialogHost& host, Dialog* owner, Make make) {
  if (ref == nullptr) {
    std::unique_ptr<T> dialog = make();
    T* const created = dialog.get();
    if (created != nullptr) {
      dialog->ClearOnDestroy(ref);
      if (host.CreateModeless(std::move(dialog), owner) != nullptr) ref = created;
    }
  }
  if (ref != nullptr) ref->Window().Show(true);
  return ref;
}

// The same, made as T(host, args...).
template <typename T, typename... Args>
T* OpenSingle(T*& ref, DialogHost& host, Dialog* owner, Args&&... args) {
  return OpenSingleFrom(ref, host, owner,
                        [&] { return std::make_unique<T>(host, std::forward<Args>(args)...); });
}

}  // namespace tevanor
