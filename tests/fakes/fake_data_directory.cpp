#include "fakes/fake_data_directory.h"

namespace tevanor::testing {

class FakeDataFile final : public DataFile {
 public:
  FakeDataFile(FakeDataDirectory& dir, std::shared_ptr<FakeDataDirectory::File> file, bool canRead,
               bool canWrite)
      : dir_(dir), file_(std::move(file)), canRead_(canRead), canWrite_(canWrite) {
    file_->open = true;
  }
  ~FakeDataFile() override { Close(); }

  int ReadByte() override {
    if (!file_ || !canRead_) return kError;
    if (dir_.failReadAt > 0 && ++dir_.reads_ == dir_.failReadAt) return kError;
    if (position_ >= file_->bytes.size()) return kEnd;
    return static_cast<unsigned char>(file_->bytes[position_++]);
  }
  std::optional<std::uint64_t> Length() override {
    if (!file_) return std::nullopt;
    return file_->bytes.size() + file_->sparseLength;
  }
  bool SeekToStart() override {
    position_ = 0;
    return file_ != nullptr;
  }
  bool SeekToEnd() override {
    if (!file_) return false;
    position_ = file_->bytes.size();
    return true;
  }
  bool Write(std::string_view bytes) override {
    if (!file_ || !canWrite_) return false;
    for (const char c : bytes) {
      if (dir_.writeBudget == 0) return false;
      if (dir_.writeBudget > 0) --dir_.writeBudget;
      if (position_ < file_->bytes.size())
        file_->bytes[position_] = c;
      else
        file_->bytes += c;
      ++position_;
    }
    dir_.Touch(*file_);
    return true;
  }
  bool Truncate(std::uint64_t length) override {
    if (!file_ || !canWrite_ || length > file_->bytes.size() || dir_.Dead()) return false;
    file_->bytes.resize(length);
    position_ = length;
    dir_.Touch(*file_);
    return true;
  }
  bool Flush() override { return file_ && !dir_.Dead(); }
  bool Close() override {
    if (file_) file_->open = false;
    file_.reset();
    return true;
  }

 private:
  FakeDataDirectory& dir_;
  std::shared_ptr<FakeDataDirectory::File> file_;
  bool canRead_;
  bool canWrite_;
  std::size_t position_ = 0;
};

std::unique_ptr<DataFile> FakeDataDirectory::Open(std::string_view name, OpenMode mode) {
  auto it = files_.find(name);
  if (it != files_.end() && it->second->open) return nullptr;  // sharing violation
  const bool exists = it != files_.end();
  if (exists && it->second->readOnly && mode != OpenMode::kRead) return nullptr;
  if (!exists && (mode == OpenMode::kRead || mode == OpenMode::kReadWrite || !canCreate))
    return nullptr;
  if (!exists) {
    it = files_.emplace(std::string(name), std::make_shared<File>()).first;
    Touch(*it->second);
  }
  if (mode == OpenMode::kCreateWrite) {
    it->second->bytes.clear();
    Touch(*it->second);
  }
  return std::make_unique<FakeDataFile>(*this, it->second, mode != OpenMode::kCreateWrite,
                                        mode != OpenMode::kRead);
}

std::optional<FileTime> FakeDataDirectory::LastWriteTime(std::string_view name) {
  const auto it = files_.find(name);
  if (it == files_.end()) return std::nullopt;
  return it->second->lastWrite;
}

bool FakeDataDirectory::Remove(std::string_view name) {
  const auto it = files_.find(name);
  if (it == files_.end() || it->second->open) return false;
  files_.erase(it);
  return true;
}

void FakeDataDirectory::Put(std::string_view name, std::string bytes) {
  auto file = std::make_shared<File>();
  file->bytes = std::move(bytes);
  Touch(*file);
  files_[std::string(name)] = std::move(file);
}

std::optional<std::string> FakeDataDirectory::Content(std::string_view name) const {
  const auto it = files_.find(name);
  if (it == files_.end()) return std::nullopt;
  return it->second->bytes;
}

bool FakeDataDirectory::IsOpen(std::string_view name) const {
  const auto it = files_.find(name);
  return it != files_.end() && it->second->open;
}

void FakeDataDirectory::HoldOpen(std::string_view name) {
  auto it = files_.find(name);
  if (it == files_.end()) it = files_.emplace(std::string(name), std::make_shared<File>()).first;
  it->second->open = true;
}

void FakeDataDirectory::Release(std::string_view name) {
  if (const auto it = files_.find(name); it != files_.end()) it->second->open = false;
}

}  // namespace tevanor::testing
