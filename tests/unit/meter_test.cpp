#include <gtest/gtest.h>

#include "engine/meter.h"

namespace corvane {
namespace {

TEST(MeterFormula, PatternsToFormulas) {
  struct Case {
    const char* pattern;
    int divisor;
    const char* formula;
  };
  const Case cases[] = {
      {"x", 1, "1"},          {"X", 1, "1"},           {"Xxxx", 1, "4"},
      {"XxxXx", 1, "3+2"},    {"XxxXxx", 3, "3+3/3"},  {"X_x_x", 2, "5/2"},
      {"X_x_x_x", 2, "7/2"},  {"__X__X_X_X_X", 3, "2+3+2+2+2+1/3"},
      {"_x_x", 1, "4"},       {"XX", 1, "1+1"},        {"XXX", 2, "1+1+1/2"},
      {"Xxxx", 4, "4/4"},     {"__X__X", 1, "2+3+1"},
  };
  for (const Case& c : cases) EXPECT_EQ(MeterFormula(c.pattern, c.divisor), c.formula) << c.pattern;
}

TEST(MeterFormula, FormulasToPatterns) {
  struct Case {
    const char* formula;
    const char* pattern;
    int divisor;
  };
  const Case cases[] = {
      {"5/2", "X_x_x", 2},      {"3+2", "XxxXx", 1},   {"3+3/3", "X__X__", 3},
      {"1+2", "XXx", 1},        {"1+1+1", "XXX", 1},   {"3++2", "XxxXx", 1},
      {"3+0+2", "XxxXx", 1},    {"7/9", "X___x__", 4}, {"03+2", "XxxXx", 1},
      {"1", "x", 1},            {"0+0", "x", 1},       {"00", "x", 1},
      {"5/2/3", "Xxxxx", 1},    {"3/2+2", "Xx", 1},
  };
  for (const Case& c : cases) {
    auto layout = LayoutFormula(c.formula);
    ASSERT_TRUE(layout) << c.formula;
    EXPECT_EQ(layout->Meter, c.pattern) << c.formula;
    EXPECT_EQ(layout->BeatDivisor, c.divisor) << c.formula;
  }
}

TEST(MeterFormula, LongFormulasStopAtNinetyNineCells) {
  EXPECT_EQ(LayoutFormula("150")->Meter, "X" + std::string(98, 'x'));
  EXPECT_EQ(LayoutFormula("60+60")->Meter.size(), 99u);
  EXPECT_EQ(LayoutFormula("99999999999999999999999")->Meter.size(), 99u);
}

TEST(MeterFormula, RejectsWhatIsNoFormula) {
  for (const char* text : {"", "0", "+3", "3+", "/2", "3/", "3 + 2", "3a", "3+2/99999999999999999999"})
    EXPECT_FALSE(LayoutFormula(text)) << '"' << text << '"';
}

TEST(MeterFormula, WellFormedFormulasRoundTrip) {
  for (const char* f : {"4", "3+2", "2+2+3", "5/2", "3+3/3", "7/4", "12"}) {
    auto layout = LayoutFormula(f);
    ASSERT_TRUE(layout);
    EXPECT_EQ(MeterFormula(layout->Meter, layout->BeatDivisor), f);
  }
}

}  // namespace
}  // namespace corvane
