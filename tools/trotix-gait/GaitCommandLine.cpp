#include "tools/trotix-gait/GaitCommandLine.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "gaitlab/io/InputError.h"

namespace trotix {
namespace {

constexpr std::size_t kLabelColumns = 19;

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The parser's own wording, in ours: "--turn needs a value" rather than
// "--turn: 1 required TEXT missing".
InputError Translate(const CLI::ParseError& error) {
  const std::string message = error.what();
  const std::size_t colon = message.find(": ");
  if (message.find(" required ") != std::string::npos && colon != std::string::npos) {
    return InputError(message.substr(0, colon) + " needs a value");
  }
  const std::size_t override = message.find(" was given a disallowed flag override");
  if (override != std::string::npos) {
    const std::string name = message.substr(0, override);
    return InputError((name.rfind("-", 0) == 0 ? name : "--" + name) + " takes no value");
  }
  return InputError(message);
}

// An argument nobody took: an option we do not know, or a stray word.
InputError Leftover(const std::string& arg) {
  if (arg.rfind("--", 0) == 0) {
    return InputError("unknown option " + QuoteForMessage(arg.substr(0, arg.find('='))) +
                      " (see --help)");
  }
  return InputError("unexpected argument " + QuoteForMessage(arg) + " (see --help)");
}

}  // namespace

GaitCommandLine::GaitCommandLine() : app_(std::make_unique<CLI::App>()) {
  app_->set_help_flag();
  app_->allow_extras(true);
}

GaitCommandLine::~GaitCommandLine() = default;

void GaitCommandLine::group(const std::string& title) { help_.push_back({title, "", ""}); }

void GaitCommandLine::value(const std::string& name, const std::string& valueName,
                            const std::string& help,
                            std::function<void(const std::string&)> store) {
  valued_.push_back(name);
  help_.push_back({"", name + " " + valueName, help});
  app_->add_option_function<std::string>(
          name,
          [this, name, store = std::move(store)](const std::string& text) {
            if (Contains(seen_, name)) {
              throw InputError(name + " is given more than once");
            }
            seen_.push_back(name);
            store(text);
          })
      ->expected(1)
      ->trigger_on_parse();
}

void GaitCommandLine::flag(const std::string& name, const std::string& help,
                           std::function<void()> set) {
  help_.push_back({"", name.substr(0, name.find(',')), help});
  app_->add_flag_callback(name,
                          [this, name, set = std::move(set)] {
                            if (Contains(seen_, name)) {
                              throw InputError(name + " is given more than once");
                            }
                            seen_.push_back(name);
                            set();
                          })
      ->disable_flag_override()
      ->trigger_on_parse();
}

namespace {
struct StopParsing {};
}  // namespace

void GaitCommandLine::information(bool& showHelp, bool& showVersion) {
  flag("--help,-h", "show this text", [&showHelp] {
    showHelp = true;
    throw StopParsing{};
  });
  flag("--version", "show the version", [&showVersion] {
    showVersion = true;
    throw StopParsing{};
  });
}

bool GaitCommandLine::parse(int argc, const char* const* argv) {
  // The parser reads "--turn=" as a missing value; it is an empty one.
  std::vector<std::string> args;
  for (int i = argc - 1; i >= 1; --i) {
    const std::string arg = argv[i];
    const std::size_t equals = arg.find('=');
    if (equals + 1 == arg.size() && Contains(valued_, arg.substr(0, equals))) {
      args.push_back("");
      args.push_back(arg.substr(0, equals));
    } else {
      args.push_back(arg);
    }
  }
  try {
    app_->parse(args);  // takes the arguments last first
  } catch (const StopParsing&) {
    return false;
  } catch (const CLI::ParseError& error) {
    throw Translate(error);
  }
  const std::vector<std::string> leftovers = app_->remaining();
  if (!leftovers.empty()) throw Leftover(leftovers.front());
  return true;
}

std::string GaitCommandLine::optionHelp() const {
  std::string text;
  for (const HelpEntry& entry : help_) {
    if (!entry.heading.empty()) {
      text += "\n" + entry.heading + ":\n";
      continue;
    }
    std::string line = "  " + entry.label;
    // A long label gets a line of its own.
    line += line.size() + 1 < kLabelColumns ? std::string(kLabelColumns - line.size(), ' ')
                                            : "\n" + std::string(kLabelColumns, ' ');
    for (const char c : entry.text) {
      line += c;
      if (c == '\n') line += std::string(kLabelColumns, ' ');
    }
    text += line + "\n";
  }
  return text;
}

}  // namespace trotix
