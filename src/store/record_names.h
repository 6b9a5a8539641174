#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace store {

// One check per kind of name that a record field turns into: every file name, and
// every name of a file outside the store, built from record bytes goes through these,
// so that no stored field can name a folder or a day that does not exist.

/// True for 8 digits yyyymmdd that make a real calendar date (years 1900..9999).
bool IsRaceDate(std::string_view yyyymmdd);

/// The two-character racecourse name (4 bytes of Shift-JIS) of a code of the
/// racecourse table; nullopt for any other code ("..", NUL bytes, blanks).
std::optional<std::string> VenueName(std::string_view code);

/// True for the race numbers "01" … "12" (a racecourse runs at most twelve races).
bool IsRaceNumber(std::string_view two_digits);

/// True for the horse numbers "01" … "18".
bool IsHorseNumber(std::string_view two_digits);

/// The vote file's name part yymmdd of a race day given as DayPrefix; nullopt when
/// the text is not a DayPrefix of a real date.
std::optional<std::string> VoteFileDay(std::string_view day_prefix);

/// How much of a record's RaceKey a check covers.
enum class KeyCheck {
  kDayAndVenue,  ///< the date (12-19) and the racecourse (20-21)
  kRace,         ///< those and the race number (26-27)
  kRunner,       ///< those and the horse number (29-30)
};

/// What is wrong with the RaceKey of a record for naming its files: the date is no
/// real date, the racecourse is not in the table, the race number is not 01..12 or
/// the horse number not 01..18. Shift-JIS text for the error log; nullopt when sound.
std::optional<std::string> RaceKeyFault(std::string_view record, KeyCheck check = KeyCheck::kRace);

}  // namespace store
