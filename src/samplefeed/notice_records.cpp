#include "samplefeed/notice_records.h"

#include "codes/layouts/av_layout.h"
#include "codes/layouts/tc_layout.h"
#include "codes/layouts/we_layout.h"
#include "samplefeed/record_text.h"

namespace samplefeed {

namespace {

int Hhmm(int minute) { return minute / 60 * 100 + minute % 60; }

void PutAnnounced(RecordText& rec, codes::FieldSpec field, const FeedMoment& announced) {
  char mdhm[8];
  announced.Mdhm8(mdhm);
  rec.Text(field.pos, std::string_view(mdhm, 8));
}

}  // namespace

void AppendPostTimeChange(std::string& out, const RacePlan& race, const FeedMoment& announced) {
  RecordText tc(out, 45);
  tc.Header("TC", '1', announced.Normalised().ymd, race.key);
  PutAnnounced(tc, codes::tc_layout::kAnnouncementTime, announced);
  tc.Number(codes::tc_layout::kNewPostTime.pos, codes::tc_layout::kNewPostTime.len,
            Hhmm(race.post));
  tc.Number(codes::tc_layout::kOldPostTime.pos, codes::tc_layout::kOldPostTime.len,
            Hhmm(race.carded_post));
}

void AppendWithdrawalNotice(std::string& out, const RacePlan& race, int horse,
                            const FeedMoment& announced) {
  RecordText av(out, 78);
  av.Header("AV", '1', announced.Normalised().ymd, race.key);
  PutAnnounced(av, codes::av_layout::kAnnouncementTime, announced);
  av.Number(codes::av_layout::kHorseNumber.pos, codes::av_layout::kHorseNumber.len, horse);
  av.Wide(codes::av_layout::kHorseName.pos, codes::av_layout::kHorseName.len,
          race.runners[static_cast<size_t>(horse - 1)].name);
  av.Text(74, "001");
}

void AppendWeatherNotice(std::string& out, const RacePlan& race, const FeedMoment& announced) {
  RecordText we(out, 42);
  we.Header("WE", '1', announced.Normalised().ymd);
  we.Number(12, 8, race.key.ymd);
  we.Text(20, race.key.course);
  we.Number(22, 2, race.key.meeting);
  we.Number(24, 2, race.key.day);
  PutAnnounced(we, codes::we_layout::kAnnouncementTime, announced);
  we.Text(codes::we_layout::kChangeKind.pos, "1");
  we.Text(codes::we_layout::kWeather.pos,
          std::string{race.weather, race.turf_going, race.dirt_going});  // weather, turf, dirt
  we.Text(38, "000");
}

void AppendHorseMaster(std::string& out, const RunnerPlan& runner, int created_ymd) {
  RecordText um(out, 1609);
  um.Header("UM", '1', created_ymd);
  um.Number(12, 10, runner.pedigree);
  um.Text(22, "0");
  um.Number(23, 8, created_ymd);
  um.Number(31, 8, 0);
  um.Number(39, 8, runner.pedigree / 1000000 * 10000 + 401);
  um.Wide(47, 36, runner.name);
}

}  // namespace samplefeed
