#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

/// Bad command-line arguments: the CLI prints the message and exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// The words after the command: "--name value" options, "--flag" switches.
class CliArgs {
 public:
  CliArgs(std::string home, std::vector<std::string> words);

  /// The ProgramFolder (--home, or the executable's folder).
  const std::string& home() const { return home_; }

  /// The value of --name; nullopt when absent. A repeated option gives the last.
  std::optional<std::string> Get(const std::string& name) const;
  /// The value of --name; UsageError when absent.
  std::string Require(const std::string& name) const;
  /// An integer option; UsageError when it is not a whole number.
  std::optional<long long> GetInt(const std::string& name) const;
  /// Every value of a repeated option, in the order given.
  std::vector<std::string> GetAll(const std::string& name) const;
  /// True when the switch is present (it takes no value).
  bool Has(const std::string& name) const;

  /// UsageError when any word is not one of these options or switches.
  void Expect(const std::vector<std::string>& options,
              const std::vector<std::string>& switches) const;

 private:
  std::string home_;
  std::vector<std::string> words_;
};

}  // namespace cli
