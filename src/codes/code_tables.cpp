#include "codes/code_tables.h"

#include <vector>

#include "codes/code_table.h"
#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/record_field.h"

namespace codes {
namespace {

using ExactTable = CodeTable<std::string_view>;
using NumericTable = CodeTable<long long>;

// A run of numeric codes lo..hi that share one text.
struct CodeRange {
  long long lo;
  long long hi;
  std::string_view utf8;
};

class RangeTable {
 public:
  RangeTable(std::initializer_list<CodeRange> ranges) {
    for (const CodeRange& r : ranges) rows_.push_back({r.lo, r.hi, Utf8ToSjis(r.utf8)});
  }
  std::string TextOr(long long code, std::string_view missing) const {
    for (const Row& row : rows_) {
      if (code >= row.lo && code <= row.hi) return row.text;
    }
    return std::string(missing);
  }

 private:
  struct Row {
    long long lo;
    long long hi;
    std::string text;
  };
  std::vector<Row> rows_;
};

}  // namespace

std::string GradeText(std::string_view code) {
  // clang-format off
  static const ExactTable table{
      {"A", "G1   "}, {"B", "G2   "}, {"C", "G3   "}, {"D", "重賞 "}, {"E", "特別 "},
      {"F", "JG1  "}, {"G", "JG2  "}, {"H", "JG3  "}, {"L", "List "}};
  // clang-format on
  static const std::string blank = Sj("　　 ");
  return table.TextOr(code, blank);
}

std::string RaceTypeText(std::string_view code) {
  // clang-format off
  static const ExactTable table{
      {"11", "サラ系２歳　　　"}, {"12", "サラ系３歳　　　"}, {"13", "サラ系３歳以上　"},
      {"14", "サラ系４歳以上　"}, {"18", "サラ障害３歳以上"}, {"19", "サラ障害４歳以上"},
      {"21", "アラブ系２歳　　"}, {"22", "アラブ系３歳　　"}, {"23", "アラブ系３歳以上"},
      {"24", "アラブ系４歳以上"}};
  // clang-format on
  static const std::string blank = Sj("　　　　　　　　");
  return table.TextOr(code, blank);
}

std::string ClassText(std::string_view code) {
  // clang-format off
  static const NumericTable table{
      {5, "1勝ｸﾗｽ"}, {10, "2勝ｸﾗｽ"}, {16, "3勝ｸﾗｽ"}, {100, "1億下"}, {701, "新馬"},
      {702, "未出走"}, {703, "未勝利"}, {999, "オープン"}};
  // clang-format on
  return table.TextOr(NumericValue(code), "");
}

std::string WeightRuleText(std::string_view code) {
  static const ExactTable table{{"1", "ﾊﾝﾃﾞ"}, {"2", "別定"}, {"3", "馬齢"}, {"4", "定量"}};
  return table.TextOr(code, "");
}

std::string WeightRuleWideText(std::string_view code) {
  static const ExactTable table{{"1", "ハンデ"}, {"2", "別定　"}, {"3", "馬齢　"}, {"4", "定量　"}};
  return table.TextOr(code, "");
}

std::string WeekdayText(std::string_view code) {
  // clang-format off
  static const NumericTable table{
      {0, "　"}, {1, "土"}, {2, "日"}, {3, "祝"}, {4, "月"}, {5, "火"}, {6, "水"}, {7, "木"},
      {8, "金"}};
  // clang-format on
  return table.TextOr(NumericValue(code), "");
}

std::string TrackText(std::string_view code) {
  // clang-format off
  static const NumericTable table{
      {10, "芝 直線"},             {11, "芝 左回り"},           {12, "芝 左回り 外回り"},
      {13, "芝 左回り 内→外回り"}, {14, "芝 左回り 外→内回り"}, {15, "芝 左回り 内２周"},
      {16, "芝 左回り 外２周"},     {17, "芝 右回り"},           {18, "芝 右回り 外回り"},
      {19, "芝 右回り 内→外回り"}, {20, "芝 右回り 外→内回り"}, {21, "芝 右回り 内２周"},
      {22, "芝 右回り 外２周"},     {23, "ﾀﾞｰﾄ 左回り"},         {24, "ﾀﾞｰﾄ 右回り"},
      {25, "ﾀﾞｰﾄ 左回り 内回り"},   {26, "ﾀﾞｰﾄ 右回り 外回り"},   {27, "ｻﾝﾄﾞ 左回り"},
      {28, "ｻﾝﾄﾞ 右回り"},         {29, "ﾀﾞｰﾄ 直線"},           {51, "障害 芝　襷"},
      {52, "障害 芝→ﾀﾞｰﾄ"},       {53, "障害 芝　左"},         {54, "障害 芝"},
      {55, "障害 芝 外回り"},       {56, "障害 芝 外→内回り"},   {57, "障害 芝 内→外回り"},
      {58, "障害 内２周"},         {59, "障害 外２周"}};
  // clang-format on
  return table.TextOr(NumericValue(code), "");
}

std::string TrackShortText(std::string_view code) {
  // 25 to 28 (inner/outer dirt and sand) have no short label.
  // clang-format off
  static const RangeTable table{
      {10, 10, "芝直"}, {11, 16, "芝左"}, {17, 22, "芝右"}, {23, 23, "ダ左"},
      {24, 24, "ダ右"}, {29, 29, "ダ直"}, {51, 59, "障害"}};
  // clang-format on
  return table.TextOr(NumericValue(code), "");
}

std::string WeatherText(std::string_view code) {
  // clang-format off
  static const ExactTable table{
      {"1", "晴"}, {"2", "曇"}, {"3", "雨"}, {"4", "小雨"}, {"5", "雪"}, {"6", "小雪"}};
  // clang-format on
  return table.TextOr(code, "");
}

std::string GoingText(std::string_view code, int surface) {
  static const ExactTable table{{"1", "良"}, {"2", "稍重"}, {"3", "重"}, {"4", "不良"}};
  static const NumericTable surface_prefix{{1, "芝:"}, {2, "ダ:"}};
  const std::string* going = table.Find(code);
  if (going == nullptr) return {};
  return surface_prefix.TextOr(surface, "") + *going;
}

std::string SexText(std::string_view code) {
  static const ExactTable table{{"1", "牡"}, {"2", "牝"}, {"3", "ｾﾝ"}};
  return table.TextOr(code, "");
}

std::string CircledNumber(std::string_view field) {
  static const std::string circled = Sj("①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱");
  static const std::string none = Sj("－");
  const long long number = NumericValue(field);
  if (number < 1 || number > 18) return none;
  CheckIndex(static_cast<long long>(number * 2), 2, static_cast<long long>(circled.size()),
             "circled number");
  return circled.substr(static_cast<std::size_t>(number - 1) * 2, 2);
}

}  // namespace codes
