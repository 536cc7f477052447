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
  std::optional<FileTime> LastWriteTime(std::string_view name) override;
  bool Remove(std::string_view name) override;

  // Test controls.
  void Put(std::string_view name, std::string bytes);
  std::optional<std::string> Content(std::string_view name) const;
  bool IsOpen(std::string_view name) const;
  void HoldOpen(std::string_view name);  // another program keeps it open
  void Release(std::string_view name);
  File& At(std::string_view name) { return *files_.find(name)->second; }

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
  std::map<std::string, std::shared_ptr<File>, std::less<>> files_;
  int reads_ = 0;
};

}  // namespace tevanor::testing
