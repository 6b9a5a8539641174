#pragma once

#include "app/session.h"

namespace app {

/// Shows the race selected in the race list (`DatListClick`); nothing when the list is
/// empty or no item is selected. In this order: `CurrentSlot`; the runner grid sized to
/// the registered runners and cleared; the result page cleared; the header lines and the
/// time of the morning odds; the result page from the race's payouts; FillRunnerGrid and
/// SortRunnerGrid; the stake field from the race's amount (a changed field stores the
/// amount and reallocates the four tables, as typing does); the Logic B mark; the ticked
/// rule book (settings "Kaime"/"Option"; none when RaceScreen::LogicUnticked) with the
/// stake allocation and payout check of the bet page; the odds labels and the three
/// target marks; the work area and the label panel shown.
void ShowRace(Session& session);

/// What of ShowRace the bet pages and the mark labels hold, for a session whose races are
/// never on a screen (a back-test's workers): `CurrentSlot`, the stake field, the Logic B
/// mark, the ticked rule book with its stakes and payout check, and the odds labels and
/// target marks, exactly as ShowRace leaves them. The runner grid, the header and the
/// result page are left as they were.
void ShowRaceBets(Session& session);

/// "直前ﾚｰｽ": on a chosen date that is today, selects and shows the race with the
/// nearest post time after now (the lowest slot on equal times). False when nothing
/// was selected: no date, an empty race list, another day than today, or no race left.
bool NextRace(Session& session);

/// The stake field changed (typing or the CLI's --amount): the amount is stored for the
/// race shown, then the four tables are reallocated and checked against its payouts.
void ChangeStakeField(Session& session, const std::string& amount_text);

}  // namespace app
