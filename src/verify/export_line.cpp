#include "verify/export_line.h"

#include "codes/code_tables.h"
#include "codes/course_text.h"
#include "codes/cp932.h"
#include "codes/layouts/ra_layout.h"
#include "codes/pad_int_text.h"
#include "codes/race_class_text.h"
#include "codes/record_field.h"

namespace verify {

const std::array<std::string, kFieldCount>& FieldHeadings() {
  static const std::array<std::string, kFieldCount> kHeadings = {
      codes::Sj("日付"), codes::Sj("場所"),     codes::Sj("R"),       codes::Sj("レース"),
      codes::Sj("頭"),   codes::Sj("Track"),    codes::Sj("距離"),    codes::Sj("世代"),
      codes::Sj("条件"), codes::Sj("世代条件"), codes::Sj("重量"),    codes::Sj("重賞"),
      codes::Sj("投資"), codes::Sj("回収"),     codes::Sj("第1指標"), codes::Sj("馬連1-5")};
  return kHeadings;
}

ExportFields LineFields(const store::RaRecord& ra, const bets::BetSummary& summary,
                        const screens::RaceMarkLabels& marks) {
  static const std::string kYear = codes::Sj("年");
  static const std::string kMonth = codes::Sj("月");
  static const std::string kDay = codes::Sj("日");
  namespace layout = codes::ra_layout;
  ExportFields f;
  f[0] = std::string(ra.Field(layout::kYear)) + kYear + std::string(ra.Field(layout::kMonth)) +
         kMonth + std::string(ra.Field(layout::kDay)) + kDay;
  f[1] = codes::CourseText(ra.Field(layout::kCourse));
  f[2] = codes::PadIntText(ra.Field(layout::kRaceNumber));
  f[3] = std::string(ra.Field(layout::kShortName));
  f[4] = codes::PadIntText(ra.Field(layout::kRegisteredRunners));
  f[5] = codes::TrackShortText(ra.Field(layout::kTrack));
  f[6] = codes::PadIntText(ra.Field(layout::kDistance));
  f[7] = std::string(ra.Field(layout::kRaceType));
  f[8] = std::string(ra.Field(layout::kConditionYoungest));
  f[9] = codes::RaceClassPair(f[7], f[8]);
  f[10] = codes::WeightRuleWideText(ra.Field(layout::kWeightRule));
  f[11] = codes::GradeText(ra.Field(layout::kGrade));
  f[12] = std::string(codes::TrimBlanks(summary.total.text));
  f[13] = std::string(codes::TrimBlanks(summary.returned.text));
  f[14] = std::string(codes::TrimBlanks(marks.OzAve123Label));
  f[15] = std::string(codes::TrimBlanks(marks.UR1NinOZLabel));
  return f;
}

std::string JoinFields(const ExportFields& fields) {
  std::string line;
  line.reserve(160);
  for (size_t i = 0; i < fields.size(); ++i) {
    line += i == 0 ? "\"" : "\",\"";
    for (char c : fields[i]) {
      if (c == '"') line += '"';
      line += c;
    }
  }
  line += '"';
  return line;
}

}  // namespace verify
