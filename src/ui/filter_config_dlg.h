#pragma once

#include <cstdint>

#include "framework/dialog_host.h"
#include "guardian/guard_state.h"
#include "rules/phrase_store.h"
#include "rules/profile_store.h"
#include "rules/protection_level.h"
#include "ui/reveal_key.h"

namespace tevanor {

// What the filter configuration edits: the panel's guardian state (level, chat switches and the
// phrase list the rows point into), the word file and the profile.
struct FilterConfigData {
  GuardState& state;
  PhraseStore& words;
  ProfileStore& profile;
};

// "Configuración filtro": the parent's words, the protection level and the two chat
// detections. Modeless; the rows are the panel's phrase list in reverse order until "Aceptar"
// writes them to the word file. On leaving after a change of rows or level, the phrase list is
// rebuilt from the word file. Esc does nothing: only "Aceptar" and "Cancela" close it.
class CFilterConfigDlg final : public Dialog {
 public:
  static const DialogTemplate kTemplate;
  // The letter key whose 21st consecutive press in the list also lists the built-in phrases.
  static constexpr unsigned kRevealKey = RevealKey::kKey;

  CFilterConfigDlg(DialogHost& host, Dialog& panel, FilterConfigData data)
      : Dialog(host, kTemplate), panel_(panel), data_(data) {}

  int m_bModified = 0;
  RevealKey m_nRevealCount;
  std::uint8_t m_nLevel = kLevelTotal;

 protected:
  bool OnInitDialog() override;
  void OnCommand(const Command& command) override;
  void OnListNotify(const ListNotification& note) override;
  std::intptr_t OnPrivateMessage(PrivateMessage& message) override;
  void OnDestroy() override;

 private:
  bool FillList(bool withBuiltIn);
  void OnAdd();
  void OnEmpty();
  void OnDelete();
  void OnAccept();
  bool SaveWords();
  bool IsUserRow(int item) const;

  Dialog& panel_;
  FilterConfigData data_;
};

// The small modal box in which one word is typed; its OK hands the word to `filter` with
// WM_ADDPHRASE (dropped when the filter dialog is gone by then).
class CWordEntryDlg final : public Dialog {
 public:
  static const DialogTemplate kTemplate;

  CWordEntryDlg(DialogHost& host, Dialog& filter) : Dialog(host, kTemplate), filter_(filter) {}

 protected:
  bool OnInitDialog() override;
  void OnCommand(const Command& command) override;
  void OnOK() override;

 private:
  Dialog& filter_;
};

}  // namespace tevanor
