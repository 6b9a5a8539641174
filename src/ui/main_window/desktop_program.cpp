#include "desktop_program.h"

#include <QCoreApplication>
#include <cstdlib>

#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/message_text.h"
#include "dialog_commands.h"
#include "live_day_controls.h"
#include "qt_text.h"
#include "store/day_prefix.h"

namespace ui {

std::filesystem::path FeedFolderOf(const std::filesystem::path& home) { return home / "feed"; }

namespace {

// [JVLink] of the program folder's settings file names the JV-Link.
app::ChosenJVLink ChooseJVLink(const std::filesystem::path& home, const platform::Clock& clock) {
  app::JVLinkContext context;
  context.feed_folder = FeedFolderOf(home);
  context.executable_folder = QCoreApplication::applicationDirPath().toStdString();
  context.clock = &clock;
  if (const char* prefix = std::getenv("WINEPREFIX")) context.wineprefix_environment = prefix;
  return app::MakeJVLink(app::ReadJVLinkChoice(app::IniFile(home / "Quorvane.ini")), context);
}

// A host's failures go to the error log; while it answers, the window keeps drawing and
// its buttons work (the JV-Link holds back calls made from inside a wait).
void WatchHost(app::ChosenJVLink& chosen, app::Session& session) {
  if (!chosen.hosted) return;
  chosen.hosted->SetLog([&session](const std::string& line) {
    session.Store().TryAppendErrorLog(app::HostLogLine(line));
  });
  chosen.hosted->SetWaitHook([] { QCoreApplication::processEvents(); });
}

}  // namespace

std::optional<StartOptions> ParseStartOptions(const QStringList& arguments,
                                              const std::filesystem::path& executable_folder,
                                              QString& error) {
  StartOptions options{executable_folder, {}};
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& word = arguments[i];
    if ((word == QLatin1String("--home") || word == QLatin1String("--day")) &&
        i + 1 >= arguments.size()) {
      error = word + QStringLiteral(" needs a value");
      return std::nullopt;
    }
    if (word == QLatin1String("--home")) {
      options.home = std::filesystem::absolute(arguments[++i].toStdString()).lexically_normal();
      if (options.home.has_filename() == false) options.home = options.home.parent_path();
    } else if (word == QLatin1String("--day")) {
      const QString day = arguments[++i];
      try {
        options.day = ToSjis(day);
      } catch (const codes::InputError&) {
        options.day.clear();
      }
      if (!store::IsDayPrefix(options.day)) {
        error = QStringLiteral("--day takes a date written yyyy年mm月dd日, not \"%1\"").arg(day);
        return std::nullopt;
      }
    } else {
      error = QStringLiteral("unknown argument \"%1\"").arg(word);
      return std::nullopt;
    }
  }
  return options;
}

std::unique_ptr<DesktopProgram> DesktopProgram::Start(const std::filesystem::path& home,
                                                      QtPrompts& prompts,
                                                      TMainForm::DialogCommands commands) {
  std::unique_ptr<DesktopProgram> program(new DesktopProgram);
  program->chosen_ = ChooseJVLink(home, program->clock_);
  if (!program->chosen_.link) {
    prompts.Beep();
    if (program->chosen_.feed_missing) {
      prompts.Inform(Sj("JRA-VANのホームページより【JV-Link】を入手し、インストールしてください。"));
    } else {
      prompts.Inform(Sj("JV-Linkの設定（Quorvane.iniの[JVLink]）が正しくありません：") +
                     app::SjisOrQuestionMarks(program->chosen_.problem));
    }
    return nullptr;
  }
  program->stream_ = std::make_unique<jvlink::SharedStream>(*program->chosen_.link);
  program->session_ =
      std::make_unique<app::Session>(prompts, program->clock_, program->stream_.get(),
                                     program->launcher_, program->companions_, home);
  WatchHost(program->chosen_, *program->session_);
  program->fetches_ = std::make_unique<app::LiveFetches>(*program->session_, *program->stream_);
  program->schedules_ =
      std::make_unique<app::RaceDaySchedules>(*program->session_, *program->fetches_);
  program->window_ = std::make_unique<TMainForm>(*program->session_, prompts, std::move(commands));
  new LiveDayControls(*program->window_, *program->fetches_, *program->schedules_);
  try {
    program->window_->Prepare();
  } catch (const std::exception& error) {
    program->ReportFailedStart(error);
    return nullptr;
  }
  // the verification window is made right after the main window, hidden until "出力";
  // one that cannot be made is reported and tried again there
  try {
    VerificationWindowOf(*program->window_);
  } catch (const std::exception& error) {
    program->session_->ReportFailure(error);
  }
  return program;
}

void DesktopProgram::ReportFailedStart(const std::exception& error) {
  store::RecordStore& store = session_->Store();
  const std::filesystem::path* missing = nullptr;
  for (const auto* folder : {&store.DataFolder(), &store.ChangeFolder(), &store.KaimeFolder()}) {
    std::error_code ec;
    if (!missing && !folder->empty() && !std::filesystem::is_directory(*folder, ec)) {
      missing = folder;
    }
  }
  if (!missing) {
    session_->ReportFailure(error);
    return;
  }
  // the user reads what to do; the system's own words go to the error log
  const bool logged = store.TryAppendErrorLog(codes::SjisMessageText(error.what()));
  std::string text = Sj("フォルダ「") + SjisMessage(missing->string().c_str()) +
                     Sj("」を作成できないため、起動できません。\n") +
                     Sj("書き込みのできるフォルダに置いて、もう一度起動してください。");
  if (logged) text += Sj("\n（詳しい内容はErrorLog.txtに記録しました。）");
  session_->Prompts().Beep();
  session_->Prompts().Inform(text);
}

DesktopProgram::~DesktopProgram() {
  window_.reset();
  schedules_.reset();
  fetches_.reset();
  session_.reset();
  stream_.reset();
  chosen_ = {};
}

}  // namespace ui
