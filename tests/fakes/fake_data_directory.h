#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "rules/data_files.h"

namespace tevanor::testing {

// Data files in memory, with the sharing rule of the real ones (one opener at a time), a way
// to hold a file open as "another program" would, and failures on demand.
class FakeDataDirectory final : public DataDirectory {
 public:
  struct File {
    std::string bytes;
    FileTime lastWrite = 0;
    bool open = false;
    bool readOnly = false;           // opens for reading only
    std::uint64_t sparseLength = 0;  // more length than bytes: a sparse file's unwritten part
  };

  std::unique_ptr<DataFile> Open(std::string_view name, OpenMode mode) override;
  std::optional<FileTime> LastWriteTime(std::string_view name) override {
    const File* file = Find(name);
    return file ? std::optional(file->lastWrite) : std::nullopt;
  }
  bool Remove(std::string_view name) override {
    const File* file = Find(name);
    return file && !file->open && files_.erase(std::string(name));
  }

  // Test controls.
  void Put(std::string_view name, std::string bytes) {
    File& file = *(files_[std::string(name)] = std::make_shared<File>());
    file.bytes = std::move(bytes);
    Touch(file);
  }
  std::optional<std::string> Content(std::string_view name) const {
    const File* file = Find(name);
    return file ? std::optional(file->bytes) : std::nullopt;
  }
  bool IsOpen(std::string_view name) const {
    const File* file = Find(name);
    return file && file->open;
  }
  // Another program keeps it open, or lets it go.
  void HoldOpen(std::string_view name) { Slot(name)->open = true; }
  void Release(std::string_view name) {
    if (File* file = Find(name)) file->open = false;
  }
  File& At(std::string_view name) { return *Slot(name); }

  // The n-th read (counting from 1 over all files) reports an error; 0 never.
  int failReadAt = 0;
  // Writes fail once this many more bytes have been written in total; negative never.
  long writeBudget = -1;
  // Then truncations and flushes fail too, as in a program that died there.
  bool diesAtBudget = false;
  // False for an account that may write the files there but not add files beside them.
  bool canCreate = true;
  FileTime now = 130'000'000'000'000'000;  // advances by 10 000 000 (1 s) at every change

 private:
  friend class FakeDataFile;
  void Touch(File& file) { file.lastWrite = now += 10'000'000; }
  bool Dead() const { return diesAtBudget && writeBudget == 0; }
  File* Find(std::string_view name) const {
    const auto it = files_.find(name);
    return it == files_.end() ? nullptr : it->second.get();
  }
  std::shared_ptr<File>& Slot(std::string_view name) {
    auto& file = files_[std::string(name)];
    if (!file) file = std::make_shared<File>();
    return file;
  }
  std::map<std::string, std::shared_ptr<File>, std::less<>> files_;
  int reads_ = 0;
};

}  // namespace tevanor::testing
