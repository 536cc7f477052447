#pragma once

#include <string>

#include "rules/data_files.h"

namespace tevanor::posix {

// Data files in one directory for the native tools. Exclusive sharing is an flock() held while
// the file is open: a second opener, in this process or another, is refused.
class PosixDataDirectory final : public DataDirectory {
 public:
  explicit PosixDataDirectory(std::string directory);

  std::unique_ptr<DataFile> Open(std::string_view name, OpenMode mode) override;
  std::optional<FileTime> LastWriteTime(std::string_view name) override;
  bool Remove(std::string_view name) override;

 private:
  std::string PathOf(std::string_view name) const;
  std::string directory_;
};

}  // namespace tevanor::posix
