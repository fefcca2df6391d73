// The command line of trotix-gait as a set of option groups. Each group is
// one function that adds its options here (see GaitOptions.cpp); the
// options' texts make up --help, section by section, in the order added.
// Values are handed over as text, in the order given on the command line,
// so that --help stops everything after it.
#ifndef TROTIX_TOOLS_GAITCOMMANDLINE_H_
#define TROTIX_TOOLS_GAITCOMMANDLINE_H_

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace trotix {

class GaitCommandLine {
 public:
  GaitCommandLine();
  ~GaitCommandLine();

  // Starts a section of --help; the options added next belong to it.
  void group(const std::string& title);

  // An option with a value, given as `--name VALUE` or `--name=VALUE`.
  // `store` receives the text and throws InputError if it is bad. `help`
  // may hold several lines. Each option may be given once.
  void value(const std::string& name, const std::string& valueName, const std::string& help,
             std::function<void(const std::string&)> store);

  // An option without a value. `set` may throw to end parsing at once.
  void flag(const std::string& name, const std::string& help, std::function<void()> set);

  // --help (-h) and --version: each sets its flag and ends parsing at once,
  // so that nothing after it is read.
  void information(bool& showHelp, bool& showVersion);

  // Parses argv[1..argc-1]; throws InputError naming the offending argument.
  // False when --help or --version ended parsing early.
  bool parse(int argc, const char* const* argv);

  // The names of the options given, in the order given.
  const std::vector<std::string>& given() const { return seen_; }

  // The option sections of --help.
  std::string optionHelp() const;

 private:
  struct HelpEntry {
    std::string heading;  // a section title, or empty for an option
    std::string label;    // "--turn H"
    std::string text;
  };

  std::unique_ptr<CLI::App> app_;
  std::vector<std::string> seen_;
  std::vector<std::string> valued_;  // names of the options that take a value
  std::vector<HelpEntry> help_;
};

}  // namespace trotix

#endif  // TROTIX_TOOLS_GAITCOMMANDLINE_H_
