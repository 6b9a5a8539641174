#include "bet_type_argument.h"

#include "cli_args.h"

namespace cli {
namespace {

struct TypeWord {
  codes::BetType type;
  const char* word;
};

constexpr TypeWord kTypeWords[] = {{codes::BetType::UR, "UR"},
                                   {codes::BetType::UT, "UT"},
                                   {codes::BetType::SRF, "SRF"},
                                   {codes::BetType::SRT, "SRT"}};

}  // namespace

codes::BetType BetTypeArgument(const std::string& option, const std::string& text) {
  for (const TypeWord& t : kTypeWords) {
    if (text == t.word) return t.type;
  }
  throw UsageError(option + " takes UR, UT, SRF or SRT, not \"" + text + "\"");
}

const char* BetTypeWord(codes::BetType type) {
  for (const TypeWord& t : kTypeWords) {
    if (t.type == type) return t.word;
  }
  return "?";
}

int RaceItemArgument(long long slot, int item_count) {
  if (slot < 0 || slot >= item_count) {
    throw UsageError("--slot " + std::to_string(slot) + " is not an item of the race list (0.." +
                     std::to_string(item_count - 1) + ")");
  }
  return static_cast<int>(slot);
}

}  // namespace cli
