#include "sample_home.h"

#include <random>
#include <stdexcept>

#include "codes/cp932.h"
#include "samplefeed/feed_writer.h"
#include "jvlink/feed_jv_link.h"
#include "jvlink/stored_pull.h"

namespace uitest {
namespace fs = std::filesystem;

TempFolder::TempFolder()
    : path_(fs::temp_directory_path() / ("quorvane-ui-" + std::to_string(std::random_device{}()))) {
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

namespace {

void PullInto(const fs::path& home) {
  Reference ref(home);
  jvlink::FeedJVLink link(home / "feed", ref.clock);
  link.JVInit("QV000001/QV000002/Quorvane/Version.1.13");
  jvlink::StoredPull pull(link, ref.prompts, ref.session.Settings(), ref.clock,
                          ref.session.Store());
  pull.SetStartMoment({2024, 5, 1, 0, 0, 0});
  pull.SetFinalOdds(true);
  pull.Start();
  while (pull.PollTimerRunning()) pull.Poll();
  pull.Close();
  if (pull.outcome() != jvlink::StoredPull::Outcome::kCompleted) {
    throw std::runtime_error("the sample pull did not complete");
  }
}

}  // namespace

const fs::path& SampleHome() {
  static TempFolder folder;
  static const fs::path home = [] {
    const fs::path h = folder.path() / "home";
    fs::create_directories(h);
    samplefeed::WriteFeed({h / "feed", 20240504, 9, 1, false});
    PullInto(h);
    return h;
  }();
  return home;
}

void ResetSettings() {
  std::error_code ec;
  fs::remove(SampleHome() / "Quorvane.ini", ec);
}

Reference::Reference(const fs::path& home)
    : session(prompts, clock, nullptr, launcher, companions, home) {
  session.Store().PrepareFolders();
  session.BuildDateList();
}

void Reference::Show(const std::string& day, int item) {
  if (session.ChooseDate(day) != app::LoadResult::kLoaded) {
    throw std::runtime_error("the reference day did not load");
  }
  session.SelectRace(item);
}

QString Text(const std::string& sjis) {
  return QString::fromStdString(codes::SjisToUtf8Lenient(sjis));
}

}  // namespace uitest
