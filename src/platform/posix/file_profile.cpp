#include "platform/posix/file_profile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

namespace tevanor::posix {

namespace {

struct Value {
  bool isInt = false;
  int number = 0;
  std::string text;
};

using Values = std::map<std::string, Value, std::less<>>;

std::string Escape(std::string_view raw) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : raw) {
    const auto b = static_cast<unsigned char>(c);
    if (b > 0x20 && b < 0x7F && b != '%') {
      out += c;
    } else {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 0xF];
    }
  }
  return out;
}

std::optional<std::string> Unescape(std::string_view escaped) {
  std::string out;
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] != '%') {
      out += escaped[i];
      continue;
    }
    if (i + 2 >= escaped.size()) return std::nullopt;
    const std::string hex(escaped.substr(i + 1, 2));
    char* end = nullptr;
    const long b = std::strtol(hex.c_str(), &end, 16);
    if (hex.size() != 2 || end != hex.c_str() + 2) return std::nullopt;
    out += static_cast<char>(b);
    i += 2;
  }
  return out;
}

// Holds flock() on the profile's lock file for its lifetime.
class FileLock {
 public:
  FileLock(const std::string& path, int operation) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) return;
    while (::flock(fd_, operation) != 0) {
      if (errno != EINTR) {
        ::close(fd_);
        fd_ = -1;
        return;
      }
    }
  }
  ~FileLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

Values ReadValues(const std::string& path) {
  Values values;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string kind, name, data;
    if (!(fields >> kind >> name)) continue;
    std::getline(fields >> std::ws, data);
    const auto key = Unescape(name);
    if (!key) continue;
    Value value;
    if (kind == "i") {
      char* end = nullptr;
      const long long number = std::strtoll(data.c_str(), &end, 10);
      if (data.empty() || *end != '\0') continue;
      value.isInt = true;
      value.number = static_cast<int>(number);
    } else if (kind == "s") {
      const auto text = Unescape(data);
      if (!text) continue;
      value.text = *text;
    } else {
      continue;
    }
    values[*key] = value;
  }
  return values;
}

bool WriteValuesAtomically(const std::string& path, const Values& values) {
  const std::string temp = path + ".tmp." + std::to_string(::getpid());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    for (const auto& [name, value] : values) {
      if (value.isInt)
        out << "i " << Escape(name) << ' ' << value.number << '\n';
      else
        out << "s " << Escape(name) << ' ' << Escape(value.text) << '\n';
    }
    out.flush();
    if (!out) {
      std::remove(temp.c_str());
      return false;
    }
  }
  const int fd = ::open(temp.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace

std::string FileProfile::DefaultPath() {
  if (const char* explicitPath = std::getenv("TEVANOR_PROFILE"); explicitPath && *explicitPath)
    return explicitPath;
  std::string base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
    base = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home)
    base = std::string(home) + "/.config";
  else
    base = ".";
  return base + "/tevanor/profile";
}

int FileProfile::GetInt(std::string_view name, int defaultValue) {
  const FileLock lock(path_ + ".lock", LOCK_SH);
  const Values values = ReadValues(path_);
  const auto it = values.find(name);
  return it != values.end() && it->second.isInt ? it->second.number : defaultValue;
}

std::string FileProfile::GetString(std::string_view name, std::string_view defaultValue) {
  const FileLock lock(path_ + ".lock", LOCK_SH);
  const Values values = ReadValues(path_);
  const auto it = values.find(name);
  return it != values.end() && !it->second.isInt ? it->second.text : std::string(defaultValue);
}

bool FileProfile::WriteInt(std::string_view name, int value) {
  return Store(name, true, value, {});
}

bool FileProfile::WriteString(std::string_view name, std::string_view value) {
  return Store(name, false, 0, value);
}

bool FileProfile::Store(std::string_view name, bool isInt, int number, std::string_view text) {
  const std::size_t slash = path_.find_last_of('/');
  if (slash != std::string::npos) {
    // Create the directory chain; existing parts are fine.
    for (std::size_t i = 1; i <= slash; ++i)
      if (path_[i] == '/') ::mkdir(path_.substr(0, i).c_str(), 0700);
  }
  const FileLock lock(path_ + ".lock", LOCK_EX);
  if (!lock.held()) return false;
  Values values = ReadValues(path_);
  values[std::string(name)] = Value{isInt, number, std::string(text)};
  return WriteValuesAtomically(path_, values);
}

}  // namespace tevanor::posix
