#include "platform/posix/data_directory.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace tevanor::posix {

namespace {

// Seconds between 1601-01-01 and 1970-01-01, for file times in the Windows form.
constexpr std::uint64_t kEpochDifferenceSeconds = 11'644'473'600ULL;

class PosixDataFile final : public DataFile {
 public:
  explicit PosixDataFile(int fd) : fd_(fd) {}
  ~PosixDataFile() override { Close(); }

  int ReadByte() override {
    if (next_ == filled_) {
      ssize_t got;
      do got = ::read(fd_, buffer_.data(), buffer_.size());
      while (got < 0 && errno == EINTR);
      if (got < 0) return kError;
      next_ = 0;
      filled_ = static_cast<std::size_t>(got);
      if (got == 0) return kEnd;
    }
    return buffer_[next_++];
  }

  std::optional<std::uint64_t> Length() override {
    struct stat st;
    if (::fstat(fd_, &st) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
  }

  bool SeekToStart() override { return Seek(0, SEEK_SET); }
  bool SeekToEnd() override { return Seek(0, SEEK_END); }

  bool Write(std::string_view bytes) override {
    if (next_ != filled_ && !Seek(-static_cast<off_t>(filled_ - next_), SEEK_CUR)) return false;
    while (!bytes.empty()) {
      const ssize_t put = ::write(fd_, bytes.data(), bytes.size());
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
  }

  bool Truncate(std::uint64_t length) override {
    return ::ftruncate(fd_, static_cast<off_t>(length)) == 0 &&
           Seek(static_cast<off_t>(length), SEEK_SET);
  }

  bool Flush() override { return ::fsync(fd_) == 0; }

  bool Close() override {
    if (fd_ < 0) return true;
    const bool ok = ::close(fd_) == 0;  // closing releases the flock
    fd_ = -1;
    return ok;
  }

 private:
  bool Seek(off_t offset, int whence) {
    next_ = filled_ = 0;
    return ::lseek(fd_, offset, whence) >= 0;
  }

  int fd_;
  std::array<unsigned char, 64 * 1024> buffer_{};
  std::size_t next_ = 0;
  std::size_t filled_ = 0;
};

}  // namespace

PosixDataDirectory::PosixDataDirectory(std::string directory) : directory_(std::move(directory)) {
  if (!directory_.empty() && directory_.back() != '/') directory_ += '/';
}

std::string PosixDataDirectory::PathOf(std::string_view name) const {
  return directory_ + std::string(name);
}

std::unique_ptr<DataFile> PosixDataDirectory::Open(std::string_view name, OpenMode mode) {
  int flags = O_RDWR;
  switch (mode) {
    case OpenMode::kRead:
      flags = O_RDONLY;
      break;
    case OpenMode::kReadWrite:
      break;
    case OpenMode::kReadWriteCreate:
      flags = O_RDWR | O_CREAT;
      break;
    case OpenMode::kCreateWrite:
      flags = O_WRONLY | O_CREAT;  // truncated only once the lock is ours
      break;
  }
  // A link in a data file's place is never followed.
  const int fd = ::open(PathOf(name).c_str(), flags | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return nullptr;
  struct stat st;
  // Only a regular file is a data file: a directory in its place cannot be read as one.
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0 ||
      (mode == OpenMode::kCreateWrite && ::ftruncate(fd, 0) != 0)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<PosixDataFile>(fd);
}

std::optional<FileTime> PosixDataDirectory::LastWriteTime(std::string_view name) {
  struct stat st;
  if (::stat(PathOf(name).c_str(), &st) != 0) return std::nullopt;
  const auto seconds = static_cast<std::uint64_t>(st.st_mtim.tv_sec) + kEpochDifferenceSeconds;
  return seconds * 10'000'000ULL + static_cast<std::uint64_t>(st.st_mtim.tv_nsec) / 100;
}

bool PosixDataDirectory::Remove(std::string_view name) {
  return ::unlink(PathOf(name).c_str()) == 0;
}

}  // namespace tevanor::posix
