#include "cli_args.h"

#include <algorithm>
#include <charconv>

namespace cli {

CliArgs::CliArgs(std::string home, std::vector<std::string> words)
    : home_(std::move(home)), words_(std::move(words)) {}

std::optional<std::string> CliArgs::Get(const std::string& name) const {
  std::optional<std::string> value;
  for (size_t i = 0; i < words_.size(); ++i) {
    if (words_[i] == name) {
      if (i + 1 >= words_.size()) throw UsageError(name + " needs a value");
      value = words_[i + 1];
      ++i;
    }
  }
  return value;
}

std::string CliArgs::Require(const std::string& name) const {
  auto v = Get(name);
  if (!v) throw UsageError(name + " is required");
  return *v;
}

std::optional<long long> CliArgs::GetInt(const std::string& name) const {
  auto v = Get(name);
  if (!v) return std::nullopt;
  long long n = 0;
  auto [p, ec] = std::from_chars(v->data(), v->data() + v->size(), n);
  if (ec != std::errc() || p != v->data() + v->size()) {
    throw UsageError(name + " takes a whole number, not \"" + *v + "\"");
  }
  return n;
}

std::vector<std::string> CliArgs::GetAll(const std::string& name) const {
  std::vector<std::string> values;
  for (size_t i = 0; i < words_.size(); ++i) {
    if (words_[i] == name) {
      if (i + 1 >= words_.size()) throw UsageError(name + " needs a value");
      values.push_back(words_[++i]);
    }
  }
  return values;
}

bool CliArgs::Has(const std::string& name) const {
  return std::find(words_.begin(), words_.end(), name) != words_.end();
}

void CliArgs::Expect(const std::vector<std::string>& options,
                     const std::vector<std::string>& switches) const {
  for (size_t i = 0; i < words_.size(); ++i) {
    const std::string& w = words_[i];
    if (std::find(options.begin(), options.end(), w) != options.end()) {
      ++i;
    } else if (std::find(switches.begin(), switches.end(), w) == switches.end()) {
      throw UsageError("unknown argument \"" + w + "\"");
    }
  }
}

}  // namespace cli
