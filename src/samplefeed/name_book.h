#pragma once

#include <string>
#include <vector>

#include "samplefeed/feed_random.h"

namespace samplefeed {

/// The word lists the feed draws names from, converted to Shift-JIS once. Every name
/// is full-width text, so a name of n characters is 2n bytes.
class NameBook {
 public:
  NameBook();

  /// A katakana horse name of 2..9 characters (at most 18 bytes).
  std::string HorseName(FeedRandom& random) const;
  /// A jockey's or trainer's short name: at most 4 characters (8 bytes).
  std::string PersonShortName(FeedRandom& random) const;
  /// An owner's name (at most 32 characters).
  std::string OwnerName(FeedRandom& random) const;
  /// A silks description.
  std::string Silks(FeedRandom& random) const;
  /// The name of a special race; `graded` picks the names that big races carry.
  std::string RaceName(FeedRandom& random, bool graded) const;
  /// The first three characters of a race name (the short name of the race list).
  static std::string ShortName3(const std::string& race_name);

 private:
  std::vector<std::string> horse_heads_, horse_tails_;
  std::vector<std::string> surnames_, given_;
  std::vector<std::string> owner_heads_, owner_tails_;
  std::vector<std::string> silks_;
  std::vector<std::string> race_words_, race_tails_, graded_tails_;
};

}  // namespace samplefeed
