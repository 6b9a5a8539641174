#pragma once

#include <string_view>

#include "jvlink/record_dispatch.h"
#include "store/line_files.h"
#include "store/record_store.h"

namespace jvlink {

/// The three read loops of the real-time fetches, each with the records it files.
enum class RealtimeLoop {
  kOdds,           ///< "0B30": O1 … O6 into the day's ".jvO1a" … ".jvO6a"
  kResults,        ///< "0B12": RA, SE and HR into the files of days already pulled
  kChangeNotices,  ///< "0B14": TC into CHG/ + DayPrefix + ".TC"
};

/// Files one record of a real-time read loop (Shift-JIS, CR LF included, as JVRead gave
/// it) by the loop's filing table:
///  - odds: data kind neither "0" nor "9", race >= 1; stamped with zeros, may create,
///    sorted with a blank first line dropped;
///  - results: RA race >= 1, stamped, may NOT create; SE race >= 1 and horse 1..18 into
///    its runner slot, may NOT create; HR race >= 1 as delivered, may create, sorted;
///  - change notices: TC as delivered, may create, inserted in order.
/// A record of the wrong length, without CR LF or whose date or key would not make a
/// file name is kBad: dropped (the store logs names it refuses). Other records are kSkipped.
/// File errors raise InputError.
RecordFate FileRealtimeRecord(std::string_view record, RealtimeLoop loop, store::RecordStore& store,
                              store::LineFiles& files);

}  // namespace jvlink
