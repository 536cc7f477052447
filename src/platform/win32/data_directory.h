#pragma once

#include <string>

#include "rules/data_files.h"

namespace tevanor::win32 {

// Data files in one directory, opened with share mode 0 (no other opener while one is open).
class Win32DataDirectory final : public DataDirectory {
 public:
  // `directory` ends in a backslash.
  explicit Win32DataDirectory(std::wstring directory) : directory_(std::move(directory)) {}
  // The directory of the running executable, with its final backslash.
  static std::wstring ProgramDirectory();

  std::unique_ptr<DataFile> Open(std::string_view name, OpenMode mode) override;
  std::optional<FileTime> LastWriteTime(std::string_view name) override;
  bool Remove(std::string_view name) override;

 private:
  std::wstring PathOf(std::string_view name) const;
  std::wstring directory_;
};

}  // namespace tevanor::win32
