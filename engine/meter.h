#pragma once
// The rhythm model's notation: meter patterns and their formula text.
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

inline constexpr int kMaxMeterCells = 99;

// Display kind of a meter or subdivision symbol: 1 accented, 2 plain,
// 3 subbeat, 0 anything else.
int BeatKindOf(char symbol);

// "3+2/2" style text for a pattern and its beat divisor.
std::string MeterFormula(std::string_view meter, int beatDivisor);

struct MeterLayout {
  std::string Meter;
  int BeatDivisor = 1;
};

// Lays a formula out into a pattern. The divisor is held within 1..4 and the
// pattern within 1..99 cells; a formula that leaves no cell gives "x".
// Returns nothing when the text is not a formula (other characters, a leading
// or trailing '+' or '/', empty, "0", or a divisor that is not a number).
std::optional<MeterLayout> LayoutFormula(std::string_view formula);

// Lays groups out with a known divisor (no checks on the divisor).
std::string LayoutGroups(std::string_view groupsText, int beatDivisor);

}  // namespace corvane
