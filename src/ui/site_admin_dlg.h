#pragma once

#include <string_view>

#include "framework/dialog_host.h"
#include "guardian/guard_state.h"
#include "rules/profile_store.h"
#include "rules/site_store.h"
#include "shell/shell_open.h"
#include "ui/reveal_key.h"

namespace tevanor {

// What the site administration edits: the guardian's state (the site list and its switch), the
// store that reloads the list, the profile and the shell that opens a site.
struct SiteAdminData {
  GuardState& state;
  SiteStore& sites;
  ProfileStore& profile;
  ShellOpen& shell;
};

// "Administración de sitios Web": the allowed and prohibited sites, each list sorted, and the
// switch of the built-in list. Modeless; it edits its own copy, which "Acepta" saves through the
// panel's WM_SITEEDIT batch before the site list is reloaded. Esc does nothing.
class CSiteAdminDlg final : public Dialog {
 public:
  static const DialogTemplate kTemplate;
  // The letter key whose 21st consecutive press in the prohibited list shows the built-in sites.
  static constexpr unsigned kRevealKey = RevealKey::kKey;
  static constexpr int kRevealPresses = RevealKey::kPresses;
  // Item data of a row taken from the built-in table: such rows are never saved.
  static constexpr DialogWindow::ItemData kBuiltInRow = 1;

  CSiteAdminDlg(DialogHost& host, Dialog& panel, SiteAdminData data)
      : Dialog(host, kTemplate), panel_(panel), data_(data) {}

  // For the panel, on behalf of the history dialog: marks the dialog changed, adds `address`
  // to one list (moving it from the other) and accepts, which saves and closes the dialog.
  void AddSiteAndAccept(std::string_view address, bool prohibited);

  int m_bModified = 0;
  RevealKey m_nRevealCount;

 protected:
  bool OnInitDialog() override;
  void OnCommand(const Command& command) override;
  void OnListNotify(const ListNotification& note) override;
  std::intptr_t OnPrivateMessage(PrivateMessage& message) override;

 private:
  void Refill(bool withBuiltIn);
  void AddSite(std::string_view address, std::intptr_t list);
  void OnAddButton();
  void OnDelete();
  void OnShow();
  void OnMove();
  void OnOptimise();
  void OnAccept();
  bool SaveSites();  // the batch, then the switch and the reload
  bool SendSites();

  Dialog& panel_;
  SiteAdminData data_;
};

// "Ingrese sitio Web....": one address, allowed ("Agrega") or prohibited ("Bloquea") in the
// site administration dialog `admin`. Esc and "Cancela" add nothing.
class CSiteEntryDlg final : public Dialog {
 public:
  static const DialogTemplate kTemplate;
  static constexpr int kResultCancel = 1009;

  CSiteEntryDlg(DialogHost& host, Dialog& admin) : Dialog(host, kTemplate), admin_(admin) {}

 protected:
  bool OnInitDialog() override;
  void OnCommand(const Command& command) override;

 private:
  void OnTextChanged();
  void Hand(int list);

  Dialog& admin_;
};

}  // namespace tevanor
