#include "rules/file_rewrite.h"

namespace tevanor {

std::string SideFileName(std::string_view name) {
  return std::string(name) + ".new";
}

FileRewrite::FileRewrite(DataDirectory& files, std::string_view name) : files_(files), name_(name) {
  // A side file left by a crash goes first: whatever it is (a link included), the new content
  // goes into a file of our own.
  files_.Remove(SideFileName(name));
  side_ = files_.Open(SideFileName(name), OpenMode::kCreateWrite);
}

FileRewrite::~FileRewrite() {
  Drop();
}

bool FileRewrite::Write(std::string_view bytes) {
  if (!side_ || failed_) return false;
  failed_ = !side_->Write(bytes);
  return !failed_;
}

bool FileRewrite::Commit() {
  if (!side_ || failed_ || !side_->Flush() || !side_->Close() ||
      !files_.Replace(SideFileName(name_), name_)) {
    Drop();
    return false;
  }
  side_.reset();
  return true;
}

void FileRewrite::Drop() {
  if (!side_) return;
  side_.reset();
  files_.Remove(SideFileName(name_));
}

}  // namespace tevanor
