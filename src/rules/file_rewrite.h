#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "rules/data_files.h"

namespace tevanor {

// The file beside a data file that holds a save on its way in.
std::string SideFileName(std::string_view name);

// A data file written anew as a whole, in place. The accounts that run the program may write
// the data files but not add files beside them, so a save never puts another file in a data
// file's place. The new content first goes into the side file, closed by a completion mark and
// flushed; only then is it copied over the data file, and the side file emptied. A save cut off
// half-way is finished by FinishInterruptedRewrite: a side file with its mark holds a whole
// content; one without it is a save that never touched the data file.
class FileRewrite {
 public:
  // Takes the side file with exclusive sharing, empty; see IsOpen(). A save cut off before
  // is finished first.
  FileRewrite(DataDirectory& files, std::string_view name);
  // Drops the new content unless it was committed.
  ~FileRewrite();
  FileRewrite(const FileRewrite&) = delete;
  FileRewrite& operator=(const FileRewrite&) = delete;

  bool IsOpen() const { return side_ != nullptr; }
  // False when the side file is not open or this or an earlier write failed.
  bool Write(std::string_view bytes);
  // Puts the new content in the data file when every write succeeded. False when it is not
  // there: either the data file is untouched, or (a failure while copying) the side file keeps
  // the whole content for the next FinishInterruptedRewrite.
  bool Commit();

 private:
  void Drop();

  DataDirectory& files_;
  std::string name_;
  std::unique_ptr<DataFile> side_;
  std::string content_;
  bool sideCreated_ = false;  // the side file was made for this save, and goes after it
  bool failed_ = false;
};

// Copies a whole content left in the side file over the data file and empties the side file;
// one without its completion mark is only emptied. Nothing happens while either file is held.
void FinishInterruptedRewrite(DataDirectory& files, std::string_view name);

// Whether the last load of a data file found it held by another program, which the stores load
// again once it is free. A save of the store's own in progress is no hold.
class HeldFile {
 public:
  HeldFile(DataDirectory& files, std::string_view name) : files_(files), name_(name) {}

  void Opened() { held_ = false; }
  // After a load that could not open the file: true when it is held, that is when it exists
  // and `saving` is false.
  bool OpenFailed(bool saving);
  // True when the last load found the file held and it can be opened for reading now.
  bool IsFree() const;

 private:
  DataDirectory& files_;
  std::string name_;
  bool held_ = false;
};

}  // namespace tevanor
