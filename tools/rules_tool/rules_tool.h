#pragma once

#include <span>
#include <string>

#include "base/function_ref.h"
#include "rules/data_files.h"

namespace tevanor {

// tevanor-rules: what the data files of a directory would block, and why.
//
//   tevanor-rules [--dir DIR] [--level N] [--builtin-sites 0|1] COMMAND
//     phrases        the phrase walk: position, B|U, I|C, the phrase
//     sites          the site list: position, P|A, B|U, the text
//     history        the history, newest first: site TAB time TAB cause
//     text TEXT|-    the first phrase that matches TEXT (UTF-8; "-" reads it from standard
//                    input), as the guardian reads the text and reports the phrase; followed by
//                    a tab and "normal form" when only the text's normal form holds it
//     url URL [--ieframe 0|1]  the decision for a page at URL: "allowed N", "prohibited N",
//                    "no rule"
//
// `args` are UTF-8 and exclude the program's name; `out` and `err` receive UTF-8. `open` gives
// the data files of a directory, or nullptr when there is no such directory; `readInput` the
// whole of standard input. Returns the exit
// status: 0 a rule matched (or a list was printed), 1 no rule matched, 2 a usage or file error,
// with one line on `err`.
int RunRulesTool(std::span<const std::string> args,
                 FunctionRef<DataDirectory*(const std::string& directory)> open,
                 FunctionRef<std::string()> readInput, std::string& out, std::string& err);

}  // namespace tevanor
