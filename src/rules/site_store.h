#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "rules/data_files.h"
#include "rules/file_rewrite.h"
#include "rules/profile_store.h"
#include "rules/scan_pause.h"
#include "rules/site_list.h"

namespace tevanor {

// What the site-file writer needs from the site administration dialog. The panel provides it.
class SiteAdminRequests {
 public:
  virtual ~SiteAdminRequests() = default;
  // A site to add from elsewhere (the history dialog): open the site administration dialog or
  // bring it forward; when it is open, mark it changed, add `address` to its allowed or
  // prohibited list and accept it, which saves every entry through a batch (nested inside this
  // call), rebuilds the site list and closes the dialog.
  virtual void AddSiteAndSave(std::string_view address, bool prohibited) = 0;
  // A batch has ended: the dialog, when it is open, is asked to refill its lists.
  virtual void PostRefill() = 0;
};

// lParam codes of WM_SITEEDIT, the message that carries the site file's save batches.
inline constexpr int kSiteEditAllowed = 0;     // an allowed record; an empty text ends the batch
inline constexpr int kSiteEditProhibited = 1;  // a prohibited record, empty text included
inline constexpr int kSiteEditAddAllowed = 2;
inline constexpr int kSiteEditAddProhibited = 3;
// OnSiteEdit's answer to an end marker: the batch is in the file, or the file kept its old
// content (a record could not be written, or the file could not be replaced or removed).
inline constexpr int kSiteEditSaved = 1;
inline constexpr int kSiteEditNotSaved = 2;

// Builds the site list from the built-in table and the site file "Tevanor.asw", and writes the
// site file one record per message. Owned by the panel beside its GuardState, whose site list it
// fills.
//
// The site file is a sequence of records: the bytes of one address, then 0x08 (prohibited) or
// 0x09 (allowed). A batch writes a new content beside the file, which replaces the file in one
// step at the end marker; a batch that lost a record leaves the file as it was.
class SiteStore {
 public:
  SiteStore(SiteList& list, DataDirectory& files, ProfileStore& profile, ScanTimer& scan,
            SiteAdminRequests& admin)
      : list_(list), files_(files), profile_(profile), scan_(scan), admin_(admin) {}

  // Appends the built-in sites (when `builtInSites`) and the site file's records to the list,
  // which the caller has emptied. False when the file exists but could not be read to its end;
  // the entries before the failure are kept.
  // A file held by another program is loaded once RetryHeldLoad() finds it free.
  bool LoadSiteList(bool builtInSites);
  // Builds the list again when the last load found the site file held; the guardian calls it
  // at every pass.
  void RetryHeldLoad();
  void FreeSiteList();

  // The panel's WM_SITEEDIT handler, which owns `text`: after an end marker kSiteEditSaved or
  // kSiteEditNotSaved, 1 after a code 2 or 3, 0 otherwise. Record texts are written with 0x08
  // and 0x09 bytes as spaces. Only a saved batch asks the dialog to refill: after a failure the
  // dialog keeps the parent's entries.
  int OnSiteEdit(std::string text, int code);

 private:
  // The batch's rewrite of the site file, opened at its first record; false when it cannot be.
  bool StartBatch();

  SiteList& list_;
  DataDirectory& files_;
  ProfileStore& profile_;
  ScanTimer& scan_;
  SiteAdminRequests& admin_;
  std::unique_ptr<FileRewrite> m_fileSites;  // open from a batch's first record to its end
  bool batchFailed_ = false;                 // a record of this batch could not be written
  HeldFile held_{files_, kSiteFileName};
  bool builtInSitesAtLoad_ = false;
};

}  // namespace tevanor
