#include "app/session_vote.h"

namespace app {

output::VoteResult VoteExport(Session& session, codes::BetType type,
                              const output::ChangeFolder& change_folder) {
  const output::VoteSource source{session.Prompts(),
                                  session.TheLauncher(),
                                  session.DateCombo.Text,
                                  session.DatList.Items,
                                  session.DatList.ItemIndex,
                                  session.Day(),
                                  session.Screen.Tables.Table(type),
                                  session.Settings().VelkTohyo2(),
                                  session.Store().ProgramFolder()};
  return output::VoteExport(source, type, change_folder);
}

}  // namespace app
