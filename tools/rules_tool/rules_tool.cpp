#include "tools/rules_tool/rules_tool.h"

#include <charconv>
#include <optional>

#include "rules/history_file.h"
#include "rules/phrase_store.h"
#include "rules/site_store.h"
#include "text/cp1252.h"
#include "text/look_alike.h"

namespace tevanor {

namespace {

constexpr std::string_view kUsage =
    "usage: tevanor-rules [--dir DIR] [--level N] [--builtin-sites 0|1] "
    "phrases|sites|history|text TEXT|-|url URL [--ieframe 0|1]";

// The tool only looks: stamps go nowhere, there is no scan to pause and no dialog to ask.
class DiscardingProfile final : public ProfileStore {
 public:
  int GetInt(std::string_view, int defaultValue) override { return defaultValue; }
  bool WriteInt(std::string_view, int) override { return true; }
  std::string GetString(std::string_view, std::string_view defaultValue) override {
    return std::string(defaultValue);
  }
  bool WriteString(std::string_view, std::string_view) override { return true; }
};
class NoScan final : public ScanTimer {
 public:
  void Stop() override {}
  void RestartIfActive() override {}
};
class NoSiteAdmin final : public SiteAdminRequests {
 public:
  void AddSiteAndSave(std::string_view, bool) override {}
  void PostRefill() override {}
};

struct Options {
  std::string dir = ".";
  int level = -1;
  bool builtInSites = true;
  std::optional<bool> ieFrame;
  std::string command;
  std::optional<std::string> argument;  // Windows-1252
};

struct Failure {
  std::string message;
  bool usage = false;
};

std::optional<int> Number(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<Failure> Parse(std::span<const std::string> args,
                             FunctionRef<std::string()> readInput, Options& options) {
  std::vector<std::string_view> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!arg.starts_with("--")) {
      positional.push_back(arg);
      continue;
    }
    if (i + 1 == args.size()) return Failure{arg + " needs a value", true};
    const std::string& value = args[++i];
    const auto number = Number(value);
    if (arg == "--dir") {
      options.dir = value;
    } else if (arg == "--level" && number) {
      options.level = *number;
    } else if ((arg == "--builtin-sites" || arg == "--ieframe") && number && *number >= 0 &&
               *number <= 1) {
      (arg == "--ieframe" ? options.ieFrame.emplace() : options.builtInSites) = *number == 1;
    } else {
      return Failure{"bad option " + arg + " " + value, true};
    }
  }
  if (positional.empty()) return Failure{"no command", true};
  options.command = positional[0];
  const bool takesArgument = options.command == "text" || options.command == "url";
  if (options.command != "phrases" && options.command != "sites" && options.command != "history" &&
      !takesArgument)
    return Failure{"unknown command " + options.command, true};
  if (positional.size() != (takesArgument ? 2u : 1u))
    return Failure{"wrong number of arguments for " + options.command, true};
  if (options.ieFrame && options.command != "url")
    return Failure{"--ieframe goes with url only", true};
  if (options.command == "text") {
    // As the guardian reads another program's text: any character, look-alikes read as the
    // letters they stand for.
    const std::string text = positional[1] == "-" ? readInput() : std::string(positional[1]);
    options.argument = Utf8ToCp1252Folded(text);
    if (!options.argument) return Failure{"the text is not UTF-8"};
  } else if (takesArgument) {
    options.argument = Utf8ToCp1252(positional[1]);
    if (!options.argument)
      return Failure{"the " + options.command + " has a character that Windows-1252 cannot hold"};
  }
  return std::nullopt;
}

std::string CannotRead(const Options& options, std::string_view name) {
  return "cannot read " + options.dir + "/" + std::string(name);
}

int Run(const Options& options, DataDirectory& files, std::string& out, std::string& err) {
  DiscardingProfile profile;
  NoScan scan;
  if (options.command == "phrases" || options.command == "text") {
    PhraseList list;
    PhraseStore store(list, files, profile, scan);
    if (!store.RebuildPhraseList(static_cast<std::uint8_t>(options.level & 0xFF))) {
      err = CannotRead(options, kWordFileName);
      return 2;
    }
    if (options.command == "text") {
      const PhraseList::Hit hit = list.Find(*options.argument);
      if (!hit.entry) {
        out = "no rule\n";
        return 1;
      }
      out = Cp1252ToUtf8(PhraseAsCompared(*hit.entry)) +
            (hit.look == PhraseList::Look::kNormal ? "\tnormal form\n" : "\n");
      return 0;
    }
    int position = 0;
    for (const PhraseEntry* e = list.First(); e; e = e->next)
      out += std::to_string(++position) + (e->builtIn ? " B " : " U ") +
             (e->ignoreCase ? "I " : "C ") + Cp1252ToUtf8(e->text) + "\n";
    return 0;
  }

  if (options.command == "history") {
    const auto rows = LoadHistoryList(files);
    if (!rows && files.Exists(kHistoryFileName) && !files.Open(kHistoryFileName, OpenMode::kRead)) {
      err = CannotRead(options, kHistoryFileName);
      return 2;
    }
    for (const BlockRecord& row : rows ? rows->ToRecords() : std::vector<BlockRecord>{})
      out += Cp1252ToUtf8(row.siteText) + "\t" + Cp1252ToUtf8(row.time) + "\t" +
             Cp1252ToUtf8(row.cause) + "\n";
    return 0;
  }

  SiteList list;
  NoSiteAdmin admin;
  SiteStore store(list, files, profile, scan, admin);
  if (!store.LoadSiteList(options.builtInSites)) {
    err = CannotRead(options, kSiteFileName);
    return 2;
  }
  auto positionOf = [&list](const SiteEntry& entry) {
    int position = 1;
    for (const SiteEntry* e = list.First(); e != &entry; e = e->next) ++position;
    return position;
  };
  if (options.command == "url") {
    // The guardian's rule: an allowed site ends the search, a prohibited one blocks a page in
    // an "IEFrame" window and is passed over in any other window.
    const SiteEntry* e = list.Deciding(*options.argument, options.ieFrame.value_or(true));
    out = !e ? "no rule\n"
             : (e->prohibited ? "prohibited " : "allowed ") + std::to_string(positionOf(*e)) + "\n";
    return e ? 0 : 1;
  }
  int position = 0;
  for (const SiteEntry* e = list.First(); e; e = e->next)
    out += std::to_string(++position) + (e->prohibited ? " P " : " A ") +
           (e->builtIn ? "B " : "U ") + Cp1252ToUtf8(e->text) + "\n";
  return 0;
}

}  // namespace

int RunRulesTool(std::span<const std::string> args,
                 FunctionRef<DataDirectory*(const std::string& directory)> open,
                 FunctionRef<std::string()> readInput, std::string& out, std::string& err) {
  Options options;
  int status = 2;
  if (const auto failure = Parse(args, readInput, options)) {
    err = failure->message + (failure->usage ? "; " + std::string(kUsage) : "");
  } else if (DataDirectory* files = open(options.dir)) {
    status = Run(options, *files, out, err);
  } else {
    err = "cannot read directory " + options.dir;
  }
  if (!err.empty()) err = "tevanor-rules: " + err + "\n";
  return status;
}

}  // namespace tevanor
