#include "engine/meter.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace corvane {

int BeatKindOf(char symbol) {
  switch (symbol) {
    case 'X': return 1;
    case 'x': return 2;
    case 's': return 3;
    default: return 0;
  }
}

std::string MeterFormula(std::string_view meter, int beatDivisor) {
  std::string text;
  long count = 1;
  for (size_t i = 1; i < meter.size(); ++i) {
    if (meter[i] == 'X') {
      text += std::to_string(count);
      text += '+';
      count = 0;
    }
    ++count;
  }
  text += std::to_string(count);
  if (beatDivisor > 1) {
    text += '/';
    text += std::to_string(beatDivisor);
  }
  return text;
}

namespace {

// A group's value: digits only, above 99 counted as 99; nothing when empty.
std::optional<int> GroupValue(std::string_view item) {
  if (item.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : item) {
    if (c < '0' || c > '9') return std::nullopt;
    value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(c - '0'), 1000);
  }
  return static_cast<int>(std::min<uint64_t>(value, kMaxMeterCells));
}

}  // namespace

std::string LayoutGroups(std::string_view groupsText, int beatDivisor) {
  std::string meter;
  size_t start = 0;
  while (start <= groupsText.size() && meter.size() < kMaxMeterCells) {
    size_t plus = groupsText.find('+', start);
    if (plus == std::string_view::npos) plus = groupsText.size();
    if (auto g = GroupValue(groupsText.substr(start, plus - start))) {
      for (int k = 0; k < *g && meter.size() < kMaxMeterCells; ++k) {
        if (k == 0)
          meter += 'X';
        else
          meter += (meter.size() % static_cast<size_t>(beatDivisor) == 0) ? 'x' : '_';
      }
    }
    start = plus + 1;
  }
  if (meter.size() <= 1) meter.assign(1, 'x');
  return meter;
}

std::optional<MeterLayout> LayoutFormula(std::string_view formula) {
  if (formula.empty() || formula == "0") return std::nullopt;
  if (formula.find_first_not_of("0123456789+/") != std::string_view::npos) return std::nullopt;
  auto edge = [](char c) { return c == '+' || c == '/'; };
  if (edge(formula.front()) || edge(formula.back())) return std::nullopt;

  MeterLayout layout;
  std::string_view groups = formula;
  size_t lastPlus = formula.rfind('+');
  size_t slash = formula.find('/', lastPlus == std::string_view::npos ? 0 : lastPlus);
  if (slash != std::string_view::npos) {
    std::string_view divisorText = formula.substr(slash + 1);
    if (divisorText.find('/') != std::string_view::npos) {
      layout.BeatDivisor = 1;  // more than two parts: no divisor written
    } else {
      uint32_t value = 0;
      auto [end, err] = std::from_chars(divisorText.data(), divisorText.data() + divisorText.size(), value);
      if (err != std::errc() || end != divisorText.data() + divisorText.size()) return std::nullopt;
      layout.BeatDivisor = static_cast<int>(std::clamp<uint32_t>(value, 1, 4));
    }
    groups = formula.substr(0, slash);
  }
  layout.Meter = LayoutGroups(groups, layout.BeatDivisor);
  return layout;
}

}  // namespace corvane
