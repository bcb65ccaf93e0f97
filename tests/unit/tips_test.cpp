#include <gtest/gtest.h>

#include <sstream>

#include "ui/auxiliary/tips.h"
#include "ui/main/display_text.h"

namespace corvane {
namespace {

TEST(TipColours, BackgroundBarAndHeadingForEachRemainder) {
  struct Case {
    int n;
    Rgb background, bar, heading;
  };
  const Case cases[] = {
      {3, {225, 225, 239}, {192, 192, 221}, {73, 73, 136}},
      {1, {225, 239, 225}, {192, 221, 192}, {73, 136, 73}},
      {5, {239, 225, 225}, {221, 192, 192}, {136, 73, 73}},
  };
  for (const Case& c : cases) {
    TipColours colours;
    ASSERT_TRUE(TipColoursFor(c.n, colours)) << c.n;
    EXPECT_EQ(colours.background, c.background) << c.n;
    EXPECT_EQ(colours.bar, c.bar) << c.n;
    EXPECT_EQ(colours.heading, c.heading) << c.n;
  }
  TipColours untouched;
  EXPECT_FALSE(TipColoursFor(-4, untouched));  // a negative remainder changes nothing
}

TEST(ReadTip, OddLinesAreTipsAndTheEndStartsOver) {
  const std::string threeTips = "first\n\nsecond\n\nthird\n";
  struct Case {
    int n;
    std::string text;
    int next;
  };
  const Case cases[] = {
      {1, "first", 2}, {2, "second", 3}, {3, "third", 1},
      {9, "third", 1},        // fewer tips than n: the last one, then from the start
      {2000000000, "third", 1},
  };
  for (const Case& c : cases) {
    std::istringstream file(threeTips);
    const TipRead tip = ReadTip(file, c.n);
    EXPECT_EQ(tip.text, c.text) << c.n;
    EXPECT_EQ(tip.next, c.next) << c.n;
  }
  std::istringstream crlf("one\r\n\r\ntwo\r\n");
  EXPECT_EQ(ReadTip(crlf, 1).text, "one");
  std::istringstream empty("");
  const TipRead none = ReadTip(empty, 4);
  EXPECT_EQ(none.text, "");
  EXPECT_EQ(none.next, 1);
}

TEST(DisplayText, ElapsedTimeAndFramesPerBeat) {
  using std::chrono::seconds;
  EXPECT_EQ(ElapsedText(seconds(7)), "0:00:07");
  EXPECT_EQ(ElapsedText(seconds(3723)), "1:02:03");
  EXPECT_EQ(ElapsedText(seconds(24 * 3600 + 61)), "0:01:01");  // the hour of a day
  EXPECT_EQ(FramesPerBeat(24, 120), 12);
  EXPECT_EQ(FramesPerBeat(25, 100), 15);
  EXPECT_EQ(FramesPerBeat(24, 7), 206);
  EXPECT_EQ(FramesPerBeat(30, 80), 22);  // 22.5 to even
}

}  // namespace
}  // namespace corvane
