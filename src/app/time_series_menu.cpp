#include "app/time_series_menu.h"

#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/record_field.h"
#include "store/time_series_import.h"

namespace app {

bool ImportTimeSeriesOdds(Session& session) {
  platform::UserPrompts& prompts = session.Prompts();
  const std::string program_folder = session.Store().ProgramFolderText();
  const std::string folder = session.Settings().JikeiretuOr(program_folder);
  if (folder == program_folder) {
    prompts.Beep();
    prompts.Inform(codes::Sj("時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定をしてください。"));
    return false;
  }
  if (codes::IsBlank(session.DateCombo.Text)) {
    prompts.Beep();
    prompts.Inform(codes::Sj("ｵｯｽﾞを読み込みたい当日の開催日ﾃﾞｰﾀを読み込んでください。"));
    return false;
  }
  store::TimeSeriesCounts counts;
  try {
    counts = store::ImportTimeSeriesFiles(session.Day(), session.Store(),
                                          std::filesystem::path(codes::SjisToUtf8(folder)),
                                          session.Settings().FirstForTimeSeries());
  } catch (const codes::InputError& e) {
    session.ReportFailure(e);
    return false;
  }
  prompts.Inform(store::TimeSeriesCountMessage(counts));
  session.LoadRaceDay();
  return true;
}

}  // namespace app
