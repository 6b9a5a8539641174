#include "codes/race_symbol_text.h"

#include <algorithm>
#include <array>

#include "codes/code_table.h"
#include "codes/cp932.h"

namespace codes {
namespace {

constexpr std::size_t kSymbolWidth = 24;

// The symbol codes that occur. Others would build a text by the same rule but are
// shown blank, as they do not exist in the data.
// clang-format off
constexpr std::array<std::string_view, 84> kKnownCodes{
    "001", "002", "003", "004", "020", "021", "023", "024", "030", "031", "033", "034",
    "040", "041", "043", "044", "A00", "A01", "A02", "A03", "A04", "A10", "A11", "A13",
    "A14", "A20", "A21", "A23", "A24", "A30", "A31", "A33", "A34", "A40", "A41", "B00",
    "B01", "B03", "B04", "C00", "C01", "C03", "C04", "D00", "D01", "D03", "E00", "E01",
    "E03", "F00", "F01", "F03", "F04", "G00", "G01", "G03", "H00", "H01", "I00", "I01",
    "I03", "J00", "J01", "K00", "K01", "K03", "L00", "L01", "L03", "M00", "M01", "M03",
    "M04", "N00", "N01", "N03", "N04", "N20", "N21", "N30", "N31", "N40", "N41", "N44"};
// clang-format on

const CodeTable<std::string_view>& OriginTable() {
  // clang-format off
  static const CodeTable<std::string_view> table{
      {"0", ""}, {"A", "(混合)"}, {"B", "(父)"}, {"C", "(市)"}, {"D", "(抽)"}, {"E", "[抽]"},
      {"F", "(市)(抽)"}, {"G", "(抽)関西配布馬"}, {"H", "(抽)関東配布馬"},
      {"I", "[抽]関西配布馬"}, {"J", "[抽]関東配布馬"}, {"K", "(市)(抽)関西配布馬"},
      {"L", "(市)(抽)関東配布馬"}, {"M", "九州産馬"}, {"N", "(国際)"}};
  // clang-format on
  return table;
}

const CodeTable<std::string_view>& SexTable() {
  static const CodeTable<std::string_view> table{
      {"0", ""}, {"1", "牡"}, {"2", "牝"}, {"3", "牡・ｾﾝ"}, {"4", "牡・牝"}};
  return table;
}

const CodeTable<std::string_view>& JockeyTable() {
  static const CodeTable<std::string_view> table{
      {"0", ""}, {"1", "(指定)"}, {"2", "若手騎手"}, {"3", "[指定]"}, {"4", "(特指)"}};
  return table;
}

// "若手騎手" is set off by "・" from whatever stands before it.
std::string JockeyPart(std::string_view code, bool after_other_text) {
  static const std::string separator = Sj("・");
  const std::string text = JockeyTable().TextOr(code, "");
  return code == "2" && after_other_text ? separator + text : text;
}

std::string FillToWidth(std::string text) {
  static const std::string wide_space = Sj("　");
  while (text.size() + wide_space.size() <= kSymbolWidth) text += wide_space;
  if (text.size() < kSymbolWidth) text += ' ';
  return text;
}

}  // namespace

std::string RaceSymbolText(std::string_view code) {
  if (std::find(kKnownCodes.begin(), kKnownCodes.end(), code) == kKnownCodes.end()) {
    return FillToWidth({});
  }
  std::string text = OriginTable().TextOr(code.substr(0, 1), "");
  text += SexTable().TextOr(code.substr(1, 1), "");
  text += JockeyPart(code.substr(2, 1), !text.empty());
  return FillToWidth(std::move(text));
}

}  // namespace codes
