#include "rules/file_rewrite.h"

#include <optional>

namespace tevanor {

namespace {

// Ends a side file's whole content: the mark, then the content's length in 16 hex digits.
constexpr std::string_view kCompleteMark =
    "\x1A"
    "Tevanor-completo:";
constexpr std::size_t kLengthDigits = 16;

std::string CompletionMark(std::size_t length) {
  std::string mark(kCompleteMark);
  char digits[kLengthDigits];
  for (std::size_t i = kLengthDigits; i-- > 0; length >>= 4)
    digits[i] = "0123456789abcdef"[length & 15];
  return mark.append(digits, kLengthDigits);
}

// The content a side file holds, when it ends in its completion mark.
std::optional<std::string_view> CompleteContent(std::string_view side) {
  const std::size_t markSize = kCompleteMark.size() + kLengthDigits;
  if (side.size() < markSize) return std::nullopt;
  const std::string_view content = side.substr(0, side.size() - markSize);
  if (side.substr(content.size()) != CompletionMark(content.size())) return std::nullopt;
  return content;
}

std::optional<std::string> ReadAll(DataFile& file) {
  std::string bytes;
  for (int b; (b = file.ReadByte()) != DataFile::kEnd;) {
    if (b == DataFile::kError) return std::nullopt;
    bytes += static_cast<char>(b);
  }
  return bytes;
}

// The data file's content replaced, in place, and on the disk.
bool Overwrite(DataFile& data, std::string_view content) {
  return data.Truncate(0) && data.Write(content) && data.Flush() && data.Close();
}

}  // namespace

std::string SideFileName(std::string_view name) {
  return std::string(name) + ".new";
}

FileRewrite::FileRewrite(DataDirectory& files, std::string_view name) : files_(files), name_(name) {
  FinishInterruptedRewrite(files_, name_);
  const std::string side = SideFileName(name_);
  // The side file the installer made stays: an account that may only write it could not make
  // it again. Anything else in its place (a link, a file nobody may write) is replaced.
  side_ = files_.Open(side, OpenMode::kReadWrite);
  if (!side_) {
    files_.Remove(side);
    side_ = files_.Open(side, OpenMode::kCreateWrite);
    sideCreated_ = side_ != nullptr;
  }
  if (side_ && !side_->Truncate(0)) side_.reset();
}

FileRewrite::~FileRewrite() {
  Drop();
}

bool FileRewrite::Write(std::string_view bytes) {
  if (!side_ || failed_) return false;
  failed_ = !side_->Write(bytes);
  content_.append(bytes);
  return !failed_;
}

bool FileRewrite::Commit() {
  if (!side_ || failed_ || !side_->Write(CompletionMark(content_.size())) || !side_->Flush()) {
    Drop();
    return false;
  }
  auto data = files_.Open(name_, OpenMode::kReadWriteCreate);
  if (!data) {  // held by another program: the data file is as it was
    Drop();
    return false;
  }
  if (!Overwrite(*data, content_)) {
    side_.reset();  // the whole content stays in the side file, to be finished at the next load
    return false;
  }
  Drop();
  return true;
}

void FileRewrite::Drop() {
  if (!side_) return;
  side_->Truncate(0);
  side_.reset();
  if (sideCreated_) files_.Remove(SideFileName(name_));
}

void FinishInterruptedRewrite(DataDirectory& files, std::string_view name) {
  const auto side = files.Open(SideFileName(name), OpenMode::kReadWrite);
  if (!side || side->Length().value_or(1) == 0) return;
  const std::optional<std::string> bytes = ReadAll(*side);
  if (!bytes) return;
  if (const auto content = CompleteContent(*bytes)) {
    const auto data = files.Open(name, OpenMode::kReadWriteCreate);
    if (!data || !Overwrite(*data, *content)) return;
  }
  side->Truncate(0);
  side->Flush();
}

bool HeldFile::OpenFailed(bool saving) {
  held_ = !saving && files_.Exists(name_);
  return held_;
}

bool HeldFile::IsFree() const {
  return held_ && files_.Open(name_, OpenMode::kRead) != nullptr;
}

}  // namespace tevanor
