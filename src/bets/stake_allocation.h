#pragma once

#include "bets/bet_table.h"

namespace bets {

/// 資金配分: 0 = 均等 (equal), 1 = 比例 (proportional to the inverse of the odds).
enum class StakeMode { Equal = 0, Proportional = 1 };

/// The mode of a stored setting value: 1 is proportional, anything else equal.
StakeMode StakeModeOf(int setting_value);
/// The setting value of a mode (0 or 1).
int SettingValueOf(StakeMode mode);

/// The smallest amount the allocation works with; below it nothing is touched.
inline constexpr int kMinAmount = 100;

/// Spreads `amount` yen over the counted bets of the table (live, not excluded, odds above
/// 0) in units of 100 yen, writing the stake, return and rate cells (columns 6, 7, 8) and
/// the count, total and expected-return labels with the expected-return colour. Nothing at
/// all is touched when the amount is below 100 or the table has more than 307 rows.
void AllocateStakes(StakeMode mode, int amount, BetTable& table);

}  // namespace bets
