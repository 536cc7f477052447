#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace tevanor {

// The data files' names; they live in the program's own directory.
inline constexpr std::string_view kWordFileName = "Tevanor.fil";
inline constexpr std::string_view kSiteFileName = "Tevanor.asw";
inline constexpr std::string_view kHistoryFileName = "Tevanor.his";

// A file's last-write time: 100-nanosecond intervals since 1 January 1601 UTC.
using FileTime = std::uint64_t;

enum class OpenMode {
  kRead,             // an existing file, read only
  kReadWrite,        // an existing file, read and write; neither created nor truncated
  kReadWriteCreate,  // read and write; created when missing, never truncated
  kCreateWrite,      // write only; created, or truncated to zero length
};

// An open data file. It is opened with exclusive sharing: while it is open nobody else, in this
// process or another, can open it. Destroying the object closes the file.
class DataFile {
 public:
  static constexpr int kEnd = -1;
  static constexpr int kError = -2;

  virtual ~DataFile() = default;
  // The next byte (0-255), kEnd after the last one, or kError.
  virtual int ReadByte() = 0;
  virtual std::optional<std::uint64_t> Length() = 0;
  virtual bool SeekToStart() = 0;
  virtual bool SeekToEnd() = 0;
  virtual bool Write(std::string_view bytes) = 0;
  // Cuts the file back to its first `length` bytes; the next write goes at the new end.
  virtual bool Truncate(std::uint64_t length) = 0;
  // Pushes what was written to the disk itself, so it survives a power cut.
  virtual bool Flush() = 0;
  // Closes the file, reporting whether everything written reached it.
  virtual bool Close() = 0;
};

// The directory that holds the program and its data files. Names are plain file names.
class DataDirectory {
 public:
  virtual ~DataDirectory() = default;
  // nullptr when the file cannot be opened in that mode (missing, locked by another opener...).
  virtual std::unique_ptr<DataFile> Open(std::string_view name, OpenMode mode) = 0;
  // nullopt when the file does not exist.
  virtual std::optional<FileTime> LastWriteTime(std::string_view name) = 0;
  bool Exists(std::string_view name) { return LastWriteTime(name).has_value(); }
  virtual bool Remove(std::string_view name) = 0;
};

}  // namespace tevanor
