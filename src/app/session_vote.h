#pragma once

#include "app/session.h"
#include "output/vote_export.h"

namespace app {

/// "Velk2投票" for the table of `type` of the session's race: the export of
/// output::VoteExport fed from the session's lists, shown race, settings and ports.
output::VoteResult VoteExport(
    Session& session, codes::BetType type,
    const output::ChangeFolder& change_folder = output::ChangeProcessFolder);

}  // namespace app
