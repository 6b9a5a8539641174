#pragma once

#include <string>
#include <string_view>

namespace codes {

/// The class part of the race header: the age label of the race type followed by the
/// class of the condition that applies. For races open to several ages whose youngest
/// condition is a winner class (1..100), the labels of all ages are shown, joined by two
/// half-width spaces ("3歳上1勝ｸﾗｽ  3歳上2勝ｸﾗｽ  3歳上2勝ｸﾗｽ").
/// Arguments: the 2-character race type and the 3-character conditions for two-, three-,
/// four- and five-year-olds and older, as they stand in the race record.
std::string RaceClassHeader(std::string_view race_type, std::string_view two_year_old,
                            std::string_view three_year_old, std::string_view four_year_old,
                            std::string_view five_year_old_up);

/// Age label and class of one condition in the verification export's own wording
/// ("障3歳上未勝利", "4歳上10000").
std::string RaceClassPair(std::string_view race_type, std::string_view condition);

}  // namespace codes
