#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "rules/data_files.h"

namespace tevanor {

// The file beside a data file that receives the data file's new content.
std::string SideFileName(std::string_view name);

// A data file written anew as a whole. The new content goes into the side file, which takes the
// data file's place in one step once it is complete; until then the data file keeps its old
// content, whether a write fails or the program dies half-way.
class FileRewrite {
 public:
  // Creates (or empties) the side file with exclusive sharing; see IsOpen().
  FileRewrite(DataDirectory& files, std::string_view name);
  // Drops the new content unless it was committed.
  ~FileRewrite();
  FileRewrite(const FileRewrite&) = delete;
  FileRewrite& operator=(const FileRewrite&) = delete;

  bool IsOpen() const { return side_ != nullptr; }
  // False when the side file is not open or this or an earlier write failed.
  bool Write(std::string_view bytes);
  // Puts the new content in place when every write succeeded and it reached the disk; otherwise
  // drops it. Either way the side file is gone afterwards.
  bool Commit();

 private:
  void Drop();

  DataDirectory& files_;
  std::string name_;
  std::unique_ptr<DataFile> side_;
  bool failed_ = false;
};

}  // namespace tevanor
