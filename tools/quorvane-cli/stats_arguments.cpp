#include "stats_arguments.h"

#include <charconv>

#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/record_field.h"

namespace cli {
namespace {

struct ListOption {
  const char* name;
  verify::ConditionList list;
};
// clang-format off
const ListOption kListOptions[] = {
  {"--track", verify::ConditionList::kTrack},   {"--course", verify::ConditionList::kCourse},
  {"--age", verify::ConditionList::kAge},       {"--weight", verify::ConditionList::kWeight},
  {"--class", verify::ConditionList::kClass},
};
struct RangeOption {
  const char* name;
  verify::ConditionRange range;
};
const RangeOption kRangeOptions[] = {
  {"--runners", verify::ConditionRange::kRunners}, {"--distance", verify::ConditionRange::kDistance},
  {"--race", verify::ConditionRange::kRace},       {"--ave123", verify::ConditionRange::kAve123},
  {"--ur1", verify::ConditionRange::kUr1},
};
// clang-format on

// Full-width digits as ASCII, so that "2歳" and "G1" name the items "２歳" and "G１".
std::string PlainDigits(std::string utf8) {
  static const std::string kWide = "０１２３４５６７８９";  // 3 bytes each
  for (int d = 0; d < 10; ++d) {
    const std::string wide = kWide.substr(static_cast<size_t>(d) * 3, 3);
    for (size_t p = utf8.find(wide); p != std::string::npos; p = utf8.find(wide, p + 1)) {
      utf8.replace(p, 3, 1, static_cast<char>('0' + d));
    }
  }
  return utf8;
}

size_t ItemArgument(const char* option, verify::ConditionList list, const std::string& text) {
  const std::vector<std::string>& items = verify::ListItems(list);
  std::string names;
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string item = codes::SjisToUtf8(items[i]);
    if (PlainDigits(item) == PlainDigits(text)) return i;
    names += (i ? ", " : "") + item;
  }
  throw UsageError(std::string(option) + " takes one of " + names + ", not \"" + text + "\"");
}

// A value of a range: whole, or with at most one decimal for the odds edits (in tenths).
int RangeValue(const char* option, verify::ConditionRange range, std::string_view text) {
  const bool tenths = verify::Limits(range).decimals == 1;
  std::string digits(text);
  const size_t point = digits.find('.');
  if (point != std::string::npos) {
    if (!tenths || point + 2 != digits.size()) {
      throw UsageError(std::string(option) +
                       (tenths ? " takes at most one decimal" : " takes whole numbers") +
                       ", not \"" + std::string(text) + "\"");
    }
    digits.erase(point, 1);
  } else if (tenths) {
    digits += "0";
  }
  int value = 0;
  auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || ec != std::errc() || p != digits.data() + digits.size()) {
    throw UsageError(std::string(option) + " takes MIN:MAX, not \"" + std::string(text) + "\"");
  }
  return value;
}

verify::ValueRange RangeArgument(const char* option, verify::ConditionRange range,
                                 const std::string& text) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos) {
    throw UsageError(std::string(option) + " takes MIN:MAX, not \"" + text + "\"");
  }
  const verify::ValueRange values{
      RangeValue(option, range, std::string_view(text).substr(0, colon)),
      RangeValue(option, range, std::string_view(text).substr(colon + 1))};
  try {
    verify::CheckRange(range, values);
  } catch (const codes::InputError& e) {
    throw UsageError(std::string(option) + ": " + e.what());
  }
  return values;
}

std::string DateOption(const CliArgs& args, const char* name, const char* fallback) {
  const std::optional<std::string> text = args.Get(name);
  if (!text) return fallback;
  if (text->size() != 8 || !codes::IsAllDigits(*text)) {
    throw UsageError(std::string(name) + " takes a date YYYYMMDD, not \"" + *text + "\"");
  }
  return *text;
}

std::string FileArgument(const CliArgs& args) {
  const std::string name = args.Require("--file");
  if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") {
    throw UsageError("--file takes the name of a file in csv/, not \"" + name + "\"");
  }
  try {
    return codes::Utf8ToSjis(name);
  } catch (const codes::InputError&) {
    throw UsageError("--file: \"" + name + "\" has no Shift-JIS spelling");
  }
}

}  // namespace

StatsRequest ParseStatsRequest(const CliArgs& args) {
  std::vector<std::string> options = {"--file", "--from", "--to", "--by"};
  for (const ListOption& o : kListOptions) options.push_back(o.name);
  for (const RangeOption& o : kRangeOptions) options.push_back(o.name);
  args.Expect(options, {"--json"});
  StatsRequest request;
  request.file = FileArgument(args);
  request.conditions.from = DateOption(args, "--from", "00000000");
  request.conditions.to = DateOption(args, "--to", "99999999");
  for (const ListOption& o : kListOptions) {
    for (const std::string& text : args.GetAll(o.name)) {
      request.conditions.Selected(o.list)[ItemArgument(o.name, o.list, text)] = true;
    }
  }
  for (const RangeOption& o : kRangeOptions) {
    if (auto text = args.Get(o.name))
      request.conditions.Range(o.range) = RangeArgument(o.name, o.range, *text);
  }
  request.by = args.Get("--by");
  if (request.by && *request.by != "month" && *request.by != "course") {
    throw UsageError("--by takes month or course, not \"" + *request.by + "\"");
  }
  return request;
}

}  // namespace cli
