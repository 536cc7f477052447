// tevanor-rules on Windows: UTF-16 arguments, the data files through the Win32 adapter, and the
// UTF-8 answer written to stdout byte for byte.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/data_directory.h"
#include "text/cp1252.h"
#include "tools/rules_tool/rules_tool.h"

namespace {

std::u16string View(const wchar_t* text) {
  return {reinterpret_cast<const char16_t*>(text), std::char_traits<wchar_t>::length(text)};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(tevanor::Utf16ToUtf8(View(argv[i])));
  std::optional<tevanor::win32::Win32DataDirectory> files;
  std::string out, err;
  const int status = tevanor::RunRulesTool(
      args,
      [&files](const std::string& directory) -> tevanor::DataDirectory* {
        const auto utf16 = tevanor::Utf8ToUtf16(directory);
        if (!utf16) return nullptr;
        std::wstring path(utf16->begin(), utf16->end());
        std::error_code error;
        if (!std::filesystem::is_directory(std::filesystem::path(path), error)) return nullptr;
        if (path.back() != L'\\' && path.back() != L'/') path += L'\\';
        return &files.emplace(path);
      },
      [] {
        ::_setmode(::_fileno(stdin), _O_BINARY);
        return std::string(std::istreambuf_iterator<char>(std::cin), {});
      },
      out, err);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fwrite(err.data(), 1, err.size(), stderr);
  return status;
}
