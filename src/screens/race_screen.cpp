#include "screens/race_screen.h"

#include "codes/cell_format.h"
#include "codes/cp932.h"
#include "codes/keiba_func.h"
#include "codes/record_field.h"

namespace screens {
namespace {

std::string Str(std::string_view view) { return std::string(view); }

// Date, weekday, racecourse, meeting and day, race, post time, weather and going.
std::string Line1(const store::RaRecord& ra) {
  static const std::string kYear = codes::Sj("年");
  static const std::string kMonth = codes::Sj("月");
  static const std::string kDayOpen = codes::Sj("日(");
  static const std::string kMeeting = codes::Sj("回");
  static const std::string kDay = codes::Sj("日");
  static const std::string kPost = codes::Sj("発走  ");
  static const std::string kWideSpace = codes::Sj("　");
  return Str(ra.Field(12, 4)) + kYear + Str(ra.Field(16, 2)) + kMonth + Str(ra.Field(18, 2)) +
         kDayOpen + codes::WeekdayText(ra.Field(28, 1)) + ")" + codes::CourseText(ra.Field(20, 2)) +
         Str(ra.Field(22, 2)) + kMeeting + Str(ra.Field(24, 2)) + kDay + Str(ra.Field(26, 2)) +
         "R   " + Str(ra.Field(874, 2)) + "." + Str(ra.Field(876, 2)) + kPost +
         codes::WeatherText(ra.Field(888, 1)) + kWideSpace + codes::GoingText(ra.Field(889, 1), 1) +
         kWideSpace + codes::GoingText(ra.Field(890, 1), 2);
}

// The edition ("第25回 ") when the race has one, then the race name as stored.
std::string Line2(const store::RaRecord& ra) {
  static const std::string kEdition = codes::Sj("第");
  static const std::string kTimes = codes::Sj("回 ");
  const int edition = ra.Int(612, 3);
  const std::string prefix = edition != 0 ? kEdition + std::to_string(edition) + kTimes : "";
  return prefix + Str(ra.Field(33, 60));
}

std::string Line3(const store::RaRecord& ra) {
  static const std::string kRunners = codes::Sj("頭[入線:");
  static const std::string kFinishers = codes::Sj("頭] ");
  static const std::string kMetres = codes::Sj("ﾒｰﾄﾙ ");
  return codes::FormatInt(ra.Int(882, 2), 2) + kRunners + codes::PadIntText(ra.Field(886, 2)) +
         kFinishers + codes::FormatInt(ra.Int(698, 4), 4) + kMetres +
         codes::TrackText(ra.Field(706, 2)) + "(" + Str(codes::TrimBlanks(ra.Field(710, 2))) + ")" +
         " " + codes::GradeText(ra.Field(615, 1)) + " " + codes::RaceTypeText(ra.Field(617, 2)) +
         " " + codes::RaceSymbolText(ra.Field(619, 3));
}

std::string Line4(const store::RaRecord& ra) {
  return codes::WeightRuleText(ra.Field(622, 1)) + " " +
         codes::RaceClassHeader(ra.Field(617, 2), ra.Field(623, 3), ra.Field(626, 3),
                                ra.Field(629, 3), ra.Field(632, 3));
}

// A prize line: the caption, then "1着:" + the prize of each place, 8 bytes a prize.
std::string PrizeLine(const store::RaRecord& ra, const std::string& caption, int first_pos,
                      int places) {
  static const std::string kPlace = codes::Sj("着:");
  std::string line = caption;
  for (int place = 1; place <= places; ++place) {
    if (place > 1) line += "/";
    line += std::to_string(place) + kPlace +
            codes::PadIntText(ra.Field(first_pos + 8 * (place - 1), 8));
  }
  return line;
}

}  // namespace

RaceHeader RaceHeaderOf(const store::RaRecord& ra) {
  static const std::string kMainPrize = codes::Sj("【本 賞 金】");
  static const std::string kAddedPrize = codes::Sj("【付加賞金】");
  static const std::string kUnit = codes::Sj("　　　　　　　　(単位：百円)");
  RaceHeader header;
  header.Label1 = Line1(ra);
  header.Label2 = Line2(ra);
  header.Label3 = Line3(ra);
  header.Label4 = Line4(ra);
  header.Label6 = PrizeLine(ra, kMainPrize, 714, 5);
  header.Label7 = PrizeLine(ra, kAddedPrize, 810, 3) + kUnit;
  header.BashoLabel = codes::CourseText(ra.Field(20, 2));
  header.RaceLabel = Str(codes::TrimBlanks(codes::PadIntText(ra.Field(26, 2))));
  header.Panel3 = PanelColourOf(ra);
  return header;
}

PanelColour PanelColourOf(const store::RaRecord& ra) {
  const int track = ra.Int(706, 2);
  return track >= 10 && track <= 22 ? PanelColour::Green : PanelColour::Maroon;
}

std::string OddsTimeText(const store::O1Record& o1) {
  return Str(o1.Field(32, 2)) + ":" + Str(o1.Field(34, 2));
}

MarkLabel TargetMark(int mark) {
  static const std::string kTarget = codes::Sj("対象");
  if (mark > 0) return {kTarget, kYellow};
  return {"", kInfoBackground};
}

std::string OzAve123Text(double oz_ave123) { return codes::FormatFixed(oz_ave123, 6, 2); }

std::string UR1NinOZText(double ur_fav_odds) { return codes::FormatFixed(ur_fav_odds, 4, 1); }

}  // namespace screens
