#pragma once

#include <string>
#include <string_view>

namespace codes {

// Display texts of JV-Data code fields, in Shift-JIS. Each takes the characters of one
// fixed-width field. "Exact" tables compare the whole field with the code; "numeric"
// ones read the field as a number first ("005" and "5 " are both 5). A code without a
// row gives the fixed blank or empty text named below; none of them fails.

/// Grade (1 character, exact), 5 bytes: "G1   " …; unknown gives "　　 ".
std::string GradeText(std::string_view code);

/// Race type, breed and age (2 characters, exact), 16 bytes; unknown gives 8 full-width spaces.
std::string RaceTypeText(std::string_view code);

/// Race condition, the class (3 characters, numeric): "1勝ｸﾗｽ", "未勝利" …; unknown empty.
std::string ClassText(std::string_view code);

/// Weight rule (1 character, exact), 4 bytes ("ﾊﾝﾃﾞ", "別定" …) or empty.
std::string WeightRuleText(std::string_view code);

/// Weight rule in the 6-byte form of the verification export ("ハンデ", "別定　" …) or empty.
std::string WeightRuleWideText(std::string_view code);

/// Weekday (numeric), 2 bytes ("土", "日", "祝" …, 0 gives "　") or empty.
std::string WeekdayText(std::string_view code);

/// Track, surface and direction (2 characters, numeric): "芝 右回り 外回り" …; unknown empty.
std::string TrackText(std::string_view code);

/// Short track label (numeric), 4 bytes ("芝直", "芝左", "ダ右", "障害" …) or empty.
std::string TrackShortText(std::string_view code);

/// Weather (1 character, exact): "晴", "小雨" …; unknown empty.
std::string WeatherText(std::string_view code);

/// Going (1 character, exact), prefixed "芝:" for surface 1 and "ダ:" for surface 2;
/// an unknown code gives empty, without the prefix.
std::string GoingText(std::string_view code, int surface);

/// Sex (1 character, exact), 2 bytes ("牡", "牝", "ｾﾝ") or empty.
std::string SexText(std::string_view code);

/// "①" … "⑱" for a field reading 1..18; anything else gives "－".
std::string CircledNumber(std::string_view field);

}  // namespace codes
