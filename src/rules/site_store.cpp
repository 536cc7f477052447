#include "rules/site_store.h"

#include "rules/builtin_sites.h"
#include "rules/file_stamp.h"
#include "rules/record_reader.h"

namespace tevanor {

bool SiteStore::LoadSiteList(bool builtInSites) {
  const ScanPause pause(scan_);
  if (builtInSites)
    for (std::size_t i = 0; !kBuiltInSiteTable[i].empty(); ++i)
      list_.AppendBuiltIn(std::string(kBuiltInSiteTable[i]));
  builtInSitesAtLoad_ = builtInSites;
  FinishInterruptedRewrite(files_, kSiteFileName);
  // Reading needs no more: a site file the parent made read-only still loads.
  auto file = files_.Open(kSiteFileName, OpenMode::kRead);
  if (!file) {
    held_.OpenFailed(m_fileSites != nullptr);
    return !files_.Exists(kSiteFileName);  // a missing file is an empty list, fully loaded
  }
  held_.Opened();
  const bool complete = ReadRecords(*file, true, [this](std::string&& text, char end) {
    list_.Append(std::move(text), end == kRecordEnd);
  });
  file.reset();
  RecordFileStamp(profile_, files_, kSiteFileName);
  return complete;
}

void SiteStore::RetryHeldLoad() {
  if (!held_.IsFree()) return;
  FreeSiteList();
  LoadSiteList(builtInSitesAtLoad_);
}

bool SiteStore::StartBatch() {
  if (!m_fileSites) {
    m_fileSites = std::make_unique<FileRewrite>(files_, kSiteFileName);
    if (!m_fileSites->IsOpen()) m_fileSites.reset();
  }
  return m_fileSites != nullptr;
}

void SiteStore::FreeSiteList() {
  const ScanPause pause(scan_);
  list_.Clear();
}

int SiteStore::OnSiteEdit(std::string text, int code) {
  if (code == kSiteEditAddAllowed || code == kSiteEditAddProhibited) {
    admin_.AddSiteAndSave(text, code == kSiteEditAddProhibited);
    return 1;
  }
  if (code != kSiteEditAllowed && code != kSiteEditProhibited) return 0;
  const ScanPause pause(scan_);

  if (code == kSiteEditProhibited || !text.empty()) {
    if (batchFailed_) return 0;  // the batch is incomplete already: it will not be saved
    const char end = code == kSiteEditProhibited ? kRecordEnd : kTabEnd;
    if (!StartBatch() || !m_fileSites->Write(RecordText(text) + end)) {
      m_fileSites.reset();
      batchFailed_ = true;
    }
    return 0;
  }

  // The end marker. A batch without entries is an empty file: an account that may write the
  // site file but not add files beside it could not make the file again.
  const bool saved = !batchFailed_ && StartBatch() && m_fileSites->Commit();
  m_fileSites.reset();
  batchFailed_ = false;
  RecordFileStamp(profile_, files_, kSiteFileName);
  if (!saved) return kSiteEditNotSaved;
  admin_.PostRefill();
  return kSiteEditSaved;
}

}  // namespace tevanor
