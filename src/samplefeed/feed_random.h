#pragma once

#include <cstdint>
#include <initializer_list>

namespace samplefeed {

/// splitmix64 step: the mixer that turns a seed and a few numbers into a stream seed.
constexpr std::uint64_t SplitMix64(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

/// One stream seed from the feed's seed and the numbers that name a thing (a date,
/// a racecourse, a race), so that every race gets the same data whatever range it is
/// generated in.
inline std::uint64_t StreamSeed(std::uint64_t seed, std::initializer_list<std::uint64_t> parts) {
  std::uint64_t state = seed;
  std::uint64_t h = SplitMix64(state);
  for (std::uint64_t p : parts) {
    state ^= p + 0x632BE59BD9B4E019ULL + (h << 6) + (h >> 2);
    h = SplitMix64(state);
  }
  return h;
}

/// xoshiro256** with its own integer-to-real and integer-to-range steps, so that the
/// same seed gives the same feed with every compiler and standard library.
class FeedRandom {
 public:
  explicit FeedRandom(std::uint64_t seed) {
    std::uint64_t state = seed;
    for (auto& word : s_) word = SplitMix64(state);
  }

  std::uint64_t Next() {
    const std::uint64_t result = Rotl(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = Rotl(s_[3], 45);
    return result;
  }

  /// 0 <= value < n (n > 0); the small bias of the modulo is of no account here.
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  /// lo <= value <= hi.
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
  /// A real in [0, 1) from the top 53 bits.
  double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  /// True with probability p.
  bool Chance(double p) { return Uniform() < p; }
  /// Roughly standard normal: the centred sum of four uniforms, scaled to variance 1.
  double Normal() {
    double sum = Uniform() + Uniform() + Uniform() + Uniform() - 2.0;
    return sum * 1.7320508075688772;
  }

 private:
  static constexpr std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  std::uint64_t s_[4];
};

}  // namespace samplefeed
