#include "codes/bet_numbering.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

#include "codes/errors.h"

namespace codes {
namespace {

constexpr int kPairsPerFirst = kMaxHorse - 1;                        // exacta: 17
constexpr int kTriplesPerFirst = (kMaxHorse - 1) * (kMaxHorse - 2);  // trifecta: 272
constexpr int kTriplesPerSecond = kMaxHorse - 2;                     // trifecta: 16

// One number of a combination text: exactly "%2d" of a value in 1..max, so " 5" and
// "12" are read but "05", "5 " and " 0" are not.
std::optional<int> ReadNumber(std::string_view two, int max) {
  const char hi = two[0];
  const char lo = two[1];
  if (lo < '0' || lo > '9') return std::nullopt;
  int value = 0;
  if (hi == ' ') {
    value = lo - '0';
  } else if (hi >= '1' && hi <= '9') {
    value = (hi - '0') * 10 + (lo - '0');
  } else {
    return std::nullopt;
  }
  if (value < 1 || value > max) return std::nullopt;
  return value;
}

// The numbers of a text of `count` "%2d" numbers joined by "-", each in 1..max;
// nothing when the text has any other shape.
template <int count>
std::optional<std::array<int, count>> ReadNumbers(std::string_view text, int max) {
  if (text.size() != static_cast<std::size_t>(count * 3 - 1)) return std::nullopt;
  std::array<int, count> numbers{};
  for (int n = 0; n < count; ++n) {
    const std::size_t at = static_cast<std::size_t>(n) * 3;
    if (n > 0 && text[at - 1] != '-') return std::nullopt;
    const std::optional<int> value = ReadNumber(text.substr(at, 2), max);
    if (!value) return std::nullopt;
    numbers[static_cast<std::size_t>(n)] = *value;
  }
  return numbers;
}

// Number of unordered pairs i < j of 1..18 whose first number is below `first`.
int PairsBefore(int first) { return (first - 1) * (2 * kMaxHorse - first) / 2; }

// Number of ascending triples of 1..18 that begin with `first`.
int TriplesWithFirst(int first) { return (kMaxHorse - first) * (kMaxHorse - first - 1) / 2; }

// Number of ascending triples of 1..18 whose first number is below `first`.
int TriplesBefore(int first) {
  int total = 0;
  for (int a = 1; a < first; ++a) total += TriplesWithFirst(a);
  return total;
}

int WRIndex(std::string_view text) {
  const auto n = ReadNumbers<2>(text, kMaxBracket);
  if (!n || (*n)[0] > (*n)[1]) return 0;
  const int i = (*n)[0];
  const int j = (*n)[1];
  return (i - 1) * (2 * kMaxBracket + 2 - i) / 2 + (j - i + 1);
}

int URIndex(std::string_view text) {
  const auto n = ReadNumbers<2>(text, kMaxHorse);
  if (!n || (*n)[0] >= (*n)[1]) return 0;
  return PairsBefore((*n)[0]) + ((*n)[1] - (*n)[0]);
}

int UTIndex(std::string_view text) {
  const auto n = ReadNumbers<2>(text, kMaxHorse);
  if (!n || (*n)[0] == (*n)[1]) return 0;
  const int i = (*n)[0];
  const int j = (*n)[1];
  return (i - 1) * kPairsPerFirst + (j < i ? j : j - 1);
}

int SRFIndex(std::string_view text) {
  const auto n = ReadNumbers<3>(text, kMaxHorse);
  if (!n) return 0;
  const auto [i, j, k] = *n;
  if (!(i < j && j < k)) return 0;
  int index = TriplesBefore(i);
  for (int b = i + 1; b < j; ++b) index += kMaxHorse - b;
  return index + (k - j);
}

int SRTIndex(std::string_view text) {
  const auto n = ReadNumbers<3>(text, kMaxHorse);
  if (!n) return 0;
  const auto [i, j, k] = *n;
  if (i == j || i == k || j == k) return 0;
  const int second = j > i ? j - 1 : j;
  const int third = k - (i < k ? 1 : 0) - (j < k ? 1 : 0);
  return (i - 1) * kTriplesPerFirst + (second - 1) * kTriplesPerSecond + third;
}

int SingleIndex(std::string_view text) {
  if (text.size() != 2) return 0;
  return ReadNumber(text, kMaxHorse).value_or(0);
}

// The `rank`-th (1-based) number of 1..18 that is not among `taken`.
int NthFree(int rank, std::initializer_list<int> taken) {
  int number = 0;
  while (rank > 0) {
    ++number;
    if (std::find(taken.begin(), taken.end(), number) == taken.end()) --rank;
  }
  return number;
}

std::string WRText(int index) {
  int i = 1;
  while (index > kMaxBracket + 1 - i) index -= kMaxBracket + 1 - i++;
  return PairText(i, i + index - 1);
}

std::string URText(int index) {
  int i = 1;
  while (index > kMaxHorse - i) index -= kMaxHorse - i++;
  return PairText(i, i + index);
}

std::string UTText(int index) {
  const int i = (index - 1) / kPairsPerFirst + 1;
  const int rest = (index - 1) % kPairsPerFirst + 1;
  return PairText(i, NthFree(rest, {i}));
}

std::string SRFText(int index) {
  int i = 1;
  while (index > TriplesWithFirst(i)) index -= TriplesWithFirst(i++);
  int j = i + 1;
  while (index > kMaxHorse - j) index -= kMaxHorse - j++;
  return TripleText(i, j, j + index);
}

std::string SRTText(int index) {
  const int i = (index - 1) / kTriplesPerFirst + 1;
  const int rest = (index - 1) % kTriplesPerFirst;
  const int j = NthFree(rest / kTriplesPerSecond + 1, {i});
  const int k = NthFree(rest % kTriplesPerSecond + 1, {i, j});
  return TripleText(i, j, k);
}

}  // namespace

int CombCount(BetType type) {
  switch (type) {
    case BetType::Tan:
    case BetType::Fuk:
      return kMaxHorse;
    case BetType::WR:
      return kMaxBracket * (kMaxBracket + 1) / 2;
    case BetType::UR:
    case BetType::WD:
      return kMaxHorse * (kMaxHorse - 1) / 2;
    case BetType::UT:
      return kMaxHorse * (kMaxHorse - 1);
    case BetType::SRF:
      return kMaxHorse * (kMaxHorse - 1) * (kMaxHorse - 2) / 6;
    case BetType::SRT:
      return kMaxHorse * (kMaxHorse - 1) * (kMaxHorse - 2);
  }
  throw LogicError("unknown bet type " + std::to_string(static_cast<int>(type)));
}

namespace {

// Appends the number as NumberText writes it. Horse numbers are one or two digits, and the
// generators write thousands of combinations a race: those go without a format call.
void AppendNumber(std::string& text, int number) {
  if (number >= 0 && number <= 99) {
    text += number <= 9 ? ' ' : static_cast<char>('0' + number / 10);
    text += static_cast<char>('0' + number % 10);
    return;
  }
  char buf[16];
  std::snprintf(buf, sizeof buf, "%2d", number);
  text += buf;
}

// The numbers joined by '-'.
std::string JoinedNumbers(std::initializer_list<int> numbers) {
  std::string text;
  for (const int number : numbers) {
    if (!text.empty()) text += '-';
    AppendNumber(text, number);
  }
  return text;
}

}  // namespace

std::string NumberText(int number) { return JoinedNumbers({number}); }

std::string PairText(int first, int second) { return JoinedNumbers({first, second}); }

std::string TripleText(int first, int second, int third) {
  return JoinedNumbers({first, second, third});
}

std::string CombText(BetType type, int index) {
  CheckIndex(index, 1, CombCount(type), "combination");
  switch (type) {
    case BetType::Tan:
    case BetType::Fuk:
      return NumberText(index);
    case BetType::WR:
      return WRText(index);
    case BetType::UR:
    case BetType::WD:
      return URText(index);
    case BetType::UT:
      return UTText(index);
    case BetType::SRF:
      return SRFText(index);
    case BetType::SRT:
      return SRTText(index);
  }
  throw LogicError("unknown bet type " + std::to_string(static_cast<int>(type)));
}

int CombIndex(BetType type, std::string_view text) {
  switch (type) {
    case BetType::Tan:
    case BetType::Fuk:
      return SingleIndex(text);
    case BetType::WR:
      return WRIndex(text);
    case BetType::UR:
    case BetType::WD:
      return URIndex(text);
    case BetType::UT:
      return UTIndex(text);
    case BetType::SRF:
      return SRFIndex(text);
    case BetType::SRT:
      return SRTIndex(text);
  }
  throw LogicError("unknown bet type " + std::to_string(static_cast<int>(type)));
}

std::uint8_t WRIndexOf(std::string_view text) { return static_cast<std::uint8_t>(WRIndex(text)); }
std::uint8_t URIndexOf(std::string_view text) { return static_cast<std::uint8_t>(URIndex(text)); }
std::uint16_t UTIndexOf(std::string_view text) { return static_cast<std::uint16_t>(UTIndex(text)); }
std::uint16_t SRFIndexOf(std::string_view text) {
  return static_cast<std::uint16_t>(SRFIndex(text));
}

std::uint16_t SRTIndexOf(std::string_view text) {
  // The trifecta lookup has always compared only the first 8 characters, so callers may
  // pass a triple with odds or other columns behind it.
  return static_cast<std::uint16_t>(SRTIndex(text.substr(0, 8)));
}

std::string SRFTextOf(int a, int b, int c) {
  const int low = std::min({a, b, c});
  const int high = std::max({a, b, c});
  if (a == b || b == c || a == c || low < 1 || high > kMaxHorse) return {};
  const int middle = a + b + c - low - high;
  return TripleText(low, middle, high);
}

}  // namespace codes
