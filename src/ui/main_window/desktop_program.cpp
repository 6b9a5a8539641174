#include "desktop_program.h"

#include "codes/cp932.h"
#include "codes/errors.h"
#include "qt_text.h"
#include "store/day_prefix.h"

namespace ui {

std::filesystem::path FeedFolderOf(const std::filesystem::path& home) { return home / "feed"; }

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
  if (!jvlink::FeedJVLink::IsInstalled(FeedFolderOf(home))) {
    prompts.Beep();
    prompts.Inform(Sj("JRA-VANのホームページより【JV-Link】を入手し、インストールしてください。"));
    return nullptr;
  }
  std::unique_ptr<DesktopProgram> program(new DesktopProgram);
  program->link_ = std::make_unique<jvlink::FeedJVLink>(FeedFolderOf(home), program->clock_);
  program->session_ =
      std::make_unique<app::Session>(prompts, program->clock_, program->link_.get(),
                                     program->launcher_, program->companions_, home);
  program->window_ = std::make_unique<TMainForm>(*program->session_, prompts, std::move(commands));
  try {
    program->window_->Prepare();
  } catch (const std::exception& error) {
    program->session_->ReportFailure(error);
    return nullptr;
  }
  return program;
}

DesktopProgram::~DesktopProgram() {
  window_.reset();
  session_.reset();
  link_.reset();
}

}  // namespace ui
