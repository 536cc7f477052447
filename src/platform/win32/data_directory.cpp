#include "platform/win32/data_directory.h"

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace tevanor::win32 {

namespace {

// Reads through a buffer so that byte-at-a-time readers cost one system call per 64 KiB.
class Win32DataFile final : public DataFile {
 public:
  explicit Win32DataFile(UniqueFile file) : file_(std::move(file)) {}

  int ReadByte() override {
    if (next_ == filled_) {
      DWORD read = 0;
      if (!::ReadFile(file_.get(), buffer_.data(), static_cast<DWORD>(buffer_.size()), &read,
                      nullptr))
        return kError;
      next_ = 0;
      filled_ = read;
      if (read == 0) return kEnd;
    }
    return buffer_[next_++];
  }

  std::optional<std::uint64_t> Length() override {
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file_.get(), &size)) return std::nullopt;
    return static_cast<std::uint64_t>(size.QuadPart);
  }

  bool SeekToStart() override { return Seek(0, FILE_BEGIN); }
  bool SeekToEnd() override { return Seek(0, FILE_END); }

  bool Write(std::string_view bytes) override {
    // Bytes read ahead into the buffer are not consumed yet: write where the reader stands.
    if (next_ != filled_ && !Seek(-static_cast<LONGLONG>(filled_ - next_), FILE_CURRENT))
      return false;
    while (!bytes.empty()) {
      DWORD written = 0;
      if (!::WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr) ||
          written == 0)
        return false;
      bytes.remove_prefix(written);
    }
    return true;
  }

  bool Truncate(std::uint64_t length) override {
    return Seek(static_cast<LONGLONG>(length), FILE_BEGIN) && ::SetEndOfFile(file_.get()) != 0;
  }

  bool Flush() override { return ::FlushFileBuffers(file_.get()) != 0; }
  bool Close() override { return file_.reset(); }

 private:
  bool Seek(LONGLONG offset, DWORD origin) {
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    next_ = filled_ = 0;
    return ::SetFilePointerEx(file_.get(), distance, nullptr, origin) != 0;
  }

  UniqueFile file_;
  std::array<unsigned char, 64 * 1024> buffer_{};
  std::size_t next_ = 0;
  std::size_t filled_ = 0;
};

}  // namespace

std::wstring Win32DataDirectory::ProgramDirectory() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return L".\\";
    if (length < path.size()) {
      std::wstring full(path.data(), length);
      return full.substr(0, full.find_last_of(L"\\/") + 1);
    }
    path.resize(path.size() * 2);
  }
}

std::wstring Win32DataDirectory::PathOf(std::string_view name) const {
  return directory_ + Wide(name);
}

std::unique_ptr<DataFile> Win32DataDirectory::Open(std::string_view name, OpenMode mode) {
  DWORD access = GENERIC_READ | GENERIC_WRITE;
  DWORD disposition = OPEN_EXISTING;
  switch (mode) {
    case OpenMode::kRead:
      access = GENERIC_READ;
      break;
    case OpenMode::kReadWrite:
      break;
    case OpenMode::kReadWriteCreate:
      disposition = OPEN_ALWAYS;
      break;
    case OpenMode::kCreateWrite:
      access = GENERIC_WRITE;
      disposition = CREATE_ALWAYS;
      break;
  }
  UniqueFile file(::CreateFileW(PathOf(name).c_str(), access, /*share mode*/ 0, nullptr,
                                disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  return std::make_unique<Win32DataFile>(std::move(file));
}

std::optional<FileTime> Win32DataDirectory::LastWriteTime(std::string_view name) {
  WIN32_FIND_DATAW data;
  const UniqueFind find(::FindFirstFileW(PathOf(name).c_str(), &data));
  if (!find) return std::nullopt;
  return (static_cast<FileTime>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

bool Win32DataDirectory::Remove(std::string_view name) {
  return ::DeleteFileW(PathOf(name).c_str()) != 0;
}
}  // namespace tevanor::win32
