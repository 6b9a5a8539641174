#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>

#include "cli_session.h"
#include "codes/cp932.h"
#include "commands.h"
#include "jvlink_argument.h"
#include "jvlink/result_message.h"
#include "jvlink/stored_pull.h"
#include "platform/clock.h"

namespace cli {
namespace {

// Two registration codes and the product name, each followed by "/", then the version.
constexpr const char* kSid = "QV000001/QV000002/Quorvane/Version.1.13";
constexpr auto kPollInterval = std::chrono::milliseconds(10);

// The dialog on the terminal: its status lines and its two bars, without the record
// label (one line a record would bury everything else).
class PullPrompts : public platform::UserPrompts {
 public:
  explicit PullPrompts(platform::UserPrompts& console) : console_(console) {}
  void Beep() override { console_.Beep(); }
  void Inform(const std::string& text) override { console_.Inform(text); }
  bool Confirm(const std::string& text) override { return console_.Confirm(text); }
  void SetStatus(const std::string& where, const std::string& text) override {
    static const std::string kReading = codes::Sj("データ読込み中．．．(");
    static const std::string kDownloading = codes::Sj("ダウンロード中．．．(");
    if (where == jvlink::StoredPull::kRecordLabel) return;
    // The counts "(n/N)" of the download and of the reading are what the bar shows.
    const bool counting = text.starts_with(kDownloading) ||
                          (text.starts_with(kReading) && !text.starts_with(kReading + "0/"));
    if (!counting) console_.SetStatus(where, text);
  }
  void SetProgress(const std::string& where, int position, int maximum) override {
    // Both bars are set back to 0 at the end; a bar at 0 says nothing on a terminal.
    if (position <= 0 || maximum <= 0) return;
    // Redrawn at each hundredth of the way and at the end, not at every file.
    const int step = static_cast<int>(static_cast<long long>(position) * 100 / maximum);
    if (where == last_bar_ && step == last_step_ && position < maximum) return;
    last_bar_ = where;
    last_step_ = step;
    console_.SetProgress(where == jvlink::StoredPull::kReadBar ? "read" : "download", position,
                         maximum);
  }
  void ProcessEvents() override { console_.ProcessEvents(); }

 private:
  platform::UserPrompts& console_;
  std::string last_bar_;
  int last_step_ = -1;
};

platform::LocalTime StartMomentArgument(const std::string& text) {
  platform::LocalTime moment;
  if (!platform::ParseLocalTime(text.c_str(), moment)) {
    throw UsageError("--from takes a moment written \"yyyy/mm/dd hh:nn:ss\", not \"" + text + "\"");
  }
  return moment;
}

int ExitStatus(jvlink::StoredPull::Outcome outcome) {
  using Outcome = jvlink::StoredPull::Outcome;
  return outcome == Outcome::kCompleted || outcome == Outcome::kNothingNewer ? 0 : 1;
}

}  // namespace

// The "JVデータ取得" button: the data-pull dialog opened, "データ取込" pressed, the poll
// timer run until the pull ends, then the dialog closed (the date list is rebuilt).
int RunPull(const CliArgs& args) {
  args.Expect({"--from", "--feed", "--jvlink"}, {"--final-odds"});
  const std::filesystem::path feed = args.Get("--feed").value_or(args.home() + "/feed");
  std::optional<platform::LocalTime> from;
  if (auto text = args.Get("--from")) from = StartMomentArgument(*text);

  platform::SystemClock link_clock;
  app::ChosenJVLink chosen = ChooseJVLink(args, feed, link_clock);
  if (!chosen.link) return ReportMissingJVLink(chosen, feed);
  jvlink::JVLink& link = *chosen.link;
  CliSession cli(args, false, &link);
  app::Session& session = cli.session();
  // Only commands that read go on without an error log; a pull writes the store.
  if (!session.ErrorLogStarted()) {
    std::cerr << "quorvane-cli pull: ErrorLog.txt cannot be written; nothing is pulled\n";
    return 1;
  }
  LogHostFailures(chosen, session);
  if (int r = link.JVInit(kSid); r != 0) {
    cli.prompts().Inform(codes::Sj("JVInitエラー：") + jvlink::ResultMessage("JVInit", r));
  }

  PullPrompts prompts(cli.prompts());
  jvlink::StoredPull pull(link, prompts, session.Settings(), cli.clock(), session.Store());
  pull.SetOnClosed([&session] {
    session.DatList = {};
    session.PageControl1Visible = false;
    session.BuildDateList();
  });
  if (from) pull.SetStartMoment(*from);
  pull.SetFinalOdds(args.Has("--final-odds"));

  pull.Start();
  while (pull.PollTimerRunning()) {
    std::this_thread::sleep_for(kPollInterval);
    pull.Poll();
  }
  pull.Close();
  return ExitStatus(pull.outcome());
}

}  // namespace cli
