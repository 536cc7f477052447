#include "fakes/fake_data_directory.h"

#include <algorithm>

namespace tevanor::testing {

// A file of the fake directory, open until it is destroyed or closed.
class FakeDataFile final : public DataFile {
 public:
  FakeDataFile(FakeDataDirectory& dir, std::shared_ptr<FakeDataDirectory::File> file, bool canRead,
               bool canWrite)
      : dir_(dir), file_(std::move(file)), canRead_(canRead), canWrite_(canWrite) {
    file_->open = true;
  }
  ~FakeDataFile() override { Close(); }

  int ReadByte() override {
    if (!file_ || !canRead_ || (dir_.failReadAt > 0 && ++dir_.reads_ == dir_.failReadAt))
      return kError;
    return position_ < file_->bytes.size() ? static_cast<unsigned char>(file_->bytes[position_++])
                                           : kEnd;
  }
  std::optional<std::uint64_t> Length() override {
    return file_ ? std::optional(file_->bytes.size() + file_->sparseLength) : std::nullopt;
  }
  bool SeekToStart() override { return Seek(0); }
  bool SeekToEnd() override { return file_ && Seek(file_->bytes.size()); }
  bool Write(std::string_view bytes) override {
    if (!file_ || !canWrite_) return false;
    for (const char c : bytes) {
      if (dir_.writeBudget == 0) return false;
      if (dir_.writeBudget > 0) --dir_.writeBudget;
      file_->bytes.resize(std::max(file_->bytes.size(), position_ + 1));
      file_->bytes[position_++] = c;
    }
    dir_.Touch(*file_);
    return true;
  }
  bool Truncate(std::uint64_t length) override {
    if (!file_ || !canWrite_ || length > file_->bytes.size() || dir_.Dead()) return false;
    file_->bytes.resize(length);
    dir_.Touch(*file_);
    return Seek(length);
  }
  bool Flush() override { return file_ && !dir_.Dead(); }
  bool Close() override {
    if (file_) file_->open = false;
    file_.reset();
    return true;
  }

 private:
  bool Seek(std::size_t position) {
    position_ = position;
    return file_ != nullptr;
  }

  FakeDataDirectory& dir_;
  std::shared_ptr<FakeDataDirectory::File> file_;
  bool canRead_;
  bool canWrite_;
  std::size_t position_ = 0;
};

std::unique_ptr<DataFile> FakeDataDirectory::Open(std::string_view name, OpenMode mode) {
  File* file = Find(name);
  if (file && (file->open || (file->readOnly && mode != OpenMode::kRead)))
    return nullptr;  // a sharing violation, or no right to write
  if (!file && (mode == OpenMode::kRead || mode == OpenMode::kReadWrite || !canCreate))
    return nullptr;
  if (!file || mode == OpenMode::kCreateWrite) Put(name, "");
  return std::make_unique<FakeDataFile>(*this, Slot(name), mode != OpenMode::kCreateWrite,
                                        mode != OpenMode::kRead);
}

}  // namespace tevanor::testing
