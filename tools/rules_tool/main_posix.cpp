// tevanor-rules on Linux: the data files of a directory through the posix adapter.
#include <sys/stat.h>

#include <cstdio>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/data_directory.h"
#include "tools/rules_tool/rules_tool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::optional<tevanor::posix::PosixDataDirectory> files;
  std::string out, err;
  const int status = tevanor::RunRulesTool(
      args,
      [&files](const std::string& directory) -> tevanor::DataDirectory* {
        struct stat st;
        if (::stat(directory.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return nullptr;
        return &files.emplace(directory);
      },
      [] { return std::string(std::istreambuf_iterator<char>(std::cin), {}); }, out, err);
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fwrite(err.data(), 1, err.size(), stderr);
  return status;
}
