#include "screens/race_screen.h"

#include "codes/cell_format.h"
#include "codes/cp932.h"
#include "codes/keiba_func.h"
#include "codes/layouts/odds_layout.h"
#include "codes/layouts/ra_layout.h"
#include "codes/record_field.h"

namespace screens {
namespace {

namespace ra_layout = codes::ra_layout;
namespace odds_layout = codes::odds_layout;

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
  return Str(ra.Field(ra_layout::kYear)) + kYear + Str(ra.Field(ra_layout::kMonth)) + kMonth +
         Str(ra.Field(ra_layout::kDay)) + kDayOpen +
         codes::WeekdayText(ra.Field(ra_layout::kWeekday)) + ")" +
         codes::CourseText(ra.Field(ra_layout::kCourse)) + Str(ra.Field(ra_layout::kMeeting)) +
         kMeeting + Str(ra.Field(ra_layout::kMeetingDay)) + kDay +
         Str(ra.Field(ra_layout::kRaceNumber)) + "R   " + Str(ra.Field(ra_layout::kPostHour)) +
         "." + Str(ra.Field(ra_layout::kPostMinute)) + kPost +
         codes::WeatherText(ra.Field(ra_layout::kWeather)) + kWideSpace +
         codes::GoingText(ra.Field(ra_layout::kTurfGoing), 1) + kWideSpace +
         codes::GoingText(ra.Field(ra_layout::kDirtGoing), 2);
}

// The edition ("第25回 ") when the race has one, then the race name as stored.
std::string Line2(const store::RaRecord& ra) {
  static const std::string kEdition = codes::Sj("第");
  static const std::string kTimes = codes::Sj("回 ");
  const int edition = ra.Int(ra_layout::kGradedEdition);
  const std::string prefix = edition != 0 ? kEdition + std::to_string(edition) + kTimes : "";
  return prefix + Str(ra.Field(ra_layout::kRaceName));
}

std::string Line3(const store::RaRecord& ra) {
  static const std::string kRunners = codes::Sj("頭[入線:");
  static const std::string kFinishers = codes::Sj("頭] ");
  static const std::string kMetres = codes::Sj("ﾒｰﾄﾙ ");
  return codes::FormatInt(ra.Int(ra_layout::kRegisteredRunners), 2) + kRunners +
         codes::PadIntText(ra.Field(ra_layout::kFinishers)) + kFinishers +
         codes::FormatInt(ra.Int(ra_layout::kDistance), 4) + kMetres +
         codes::TrackText(ra.Field(ra_layout::kTrack)) + "(" +
         Str(codes::TrimBlanks(ra.Field(ra_layout::kCourseKubun))) + ")" + " " +
         codes::GradeText(ra.Field(ra_layout::kGrade)) + " " +
         codes::RaceTypeText(ra.Field(ra_layout::kRaceType)) + " " +
         codes::RaceSymbolText(ra.Field(ra_layout::kRaceSymbol));
}

std::string Line4(const store::RaRecord& ra) {
  return codes::WeightRuleText(ra.Field(ra_layout::kWeightRule)) + " " +
         codes::RaceClassHeader(ra.Field(ra_layout::kRaceType), ra.Field(ra_layout::kCondition2yo),
                                ra.Field(ra_layout::kCondition3yo),
                                ra.Field(ra_layout::kCondition4yo),
                                ra.Field(ra_layout::kCondition5yoUp));
}

// A prize line: the caption, then "1着:" + the prize of each place, 8 bytes a prize.
std::string PrizeLine(const store::RaRecord& ra, const std::string& caption, codes::FieldSpec first,
                      int places) {
  static const std::string kPlace = codes::Sj("着:");
  std::string line = caption;
  for (int place = 1; place <= places; ++place) {
    if (place > 1) line += "/";
    line += std::to_string(place) + kPlace +
            codes::PadIntText(ra.Field(first.At(ra_layout::kPrizeEntryLength * (place - 1))));
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
  header.Label6 = PrizeLine(ra, kMainPrize, ra_layout::kMainPrize, 5);
  header.Label7 = PrizeLine(ra, kAddedPrize, ra_layout::kAddedPrize, 3) + kUnit;
  header.BashoLabel = codes::CourseText(ra.Field(ra_layout::kCourse));
  header.RaceLabel = Str(codes::TrimBlanks(codes::PadIntText(ra.Field(ra_layout::kRaceNumber))));
  header.Panel3 = PanelColourOf(ra);
  return header;
}

PanelColour PanelColourOf(const store::RaRecord& ra) {
  const int track = ra.Int(ra_layout::kTrack);
  return track >= 10 && track <= 22 ? PanelColour::Green : PanelColour::Maroon;
}

std::string OddsTimeText(const store::O1Record& o1) {
  return Str(o1.Field(odds_layout::kAnnouncementHour)) + ":" +
         Str(o1.Field(odds_layout::kAnnouncementMinute));
}

MarkLabel TargetMark(int mark) {
  static const std::string kTarget = codes::Sj("対象");
  if (mark > 0) return {kTarget, kYellow};
  return {"", kInfoBackground};
}

std::string OzAve123Text(double oz_ave123) { return codes::FormatFixed(oz_ave123, 6, 2); }

std::string UR1NinOZText(double ur_fav_odds) { return codes::FormatFixed(ur_fav_odds, 4, 1); }

}  // namespace screens
