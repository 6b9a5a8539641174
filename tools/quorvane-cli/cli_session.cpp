#include "cli_session.h"

#include "codes/cp932.h"
#include "codes/errors.h"
#include "store/day_prefix.h"

namespace cli {

std::string DayPrefixArgument(const std::string& day_utf8) {
  std::string sjis;
  try {
    sjis = codes::Utf8ToSjis(day_utf8);
  } catch (const codes::InputError&) {
    sjis.clear();
  }
  if (!store::IsDayPrefix(sjis)) {
    throw UsageError("--day takes a date written yyyy年mm月dd日, not \"" + day_utf8 + "\"");
  }
  return sjis;
}

CliSession::CliSession(const CliArgs& args, bool yes, jvlink::JVLink* jv_link)
    : prompts_(yes),
      session_(prompts_, clock_, jv_link, launcher_, companions_, args.home()) {
  session_.Start();
}

app::LoadResult CliSession::ChooseDay(const std::string& day_utf8) {
  return session_.ChooseDate(DayPrefixArgument(day_utf8));
}

}  // namespace cli
