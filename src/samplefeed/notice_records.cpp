#include "samplefeed/notice_records.h"

#include "samplefeed/record_text.h"

namespace samplefeed {

namespace {

int Hhmm(int minute) { return minute / 60 * 100 + minute % 60; }

void PutAnnounced(RecordText& rec, int pos, const FeedMoment& announced) {
  char mdhm[8];
  announced.Mdhm8(mdhm);
  rec.Text(pos, std::string_view(mdhm, 8));
}

}  // namespace

void AppendPostTimeChange(std::string& out, const RacePlan& race, const FeedMoment& announced) {
  RecordText tc(out, 45);
  tc.Header("TC", '1', announced.Normalised().ymd, race.key);
  PutAnnounced(tc, 28, announced);
  tc.Number(36, 4, Hhmm(race.post));
  tc.Number(40, 4, Hhmm(race.carded_post));
}

void AppendWithdrawalNotice(std::string& out, const RacePlan& race, int horse,
                            const FeedMoment& announced) {
  RecordText av(out, 78);
  av.Header("AV", '1', announced.Normalised().ymd, race.key);
  PutAnnounced(av, 28, announced);
  av.Number(36, 2, horse);
  av.Wide(38, 36, race.runners[static_cast<size_t>(horse - 1)].name);
  av.Text(74, "001");
}

void AppendWeatherNotice(std::string& out, const RacePlan& race, const FeedMoment& announced) {
  RecordText we(out, 42);
  we.Header("WE", '1', announced.Normalised().ymd);
  we.Number(12, 8, race.key.ymd);
  we.Text(20, race.key.course);
  we.Number(22, 2, race.key.meeting);
  we.Number(24, 2, race.key.day);
  PutAnnounced(we, 26, announced);
  we.Text(34, "1");
  we.Text(35, std::string{race.weather, race.turf_going, race.dirt_going});
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
