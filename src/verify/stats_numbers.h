#pragma once

#include <string>
#include <string_view>

namespace verify {

/// The integer a grid cell holds: blanks around it ignored, an optional sign, digits only;
/// a cell that is not such a number (empty, "5a", "1.5") counts as 0.
long long CellInteger(std::string_view cell);

/// The decimal number a grid cell holds, in millionths ("4.37" -> 4370000), read exactly;
/// digits after the sixth decimal are dropped. A cell that is not a number counts as 0.
long long CellMillionths(std::string_view cell);

/// The date key yyyymmdd of a 日付 cell "yyyy年mm月dd日": its bytes 1-4, 7-8 and 11-12.
std::string DateKey(std::string_view date_cell);

}  // namespace verify
