#include <gtest/gtest.h>

#include <cmath>

#include "model/Numeric.h"
#include "model/SimError.h"

namespace magmo::test {
namespace {

TEST(NumericTest, CintRoundsHalvesToEvenWithinSixteenBitsAndIntPartRoundsDown) {
  for (auto [v, want] : {std::pair{0.5, 0}, {1.5, 2}, {2.5, 2}, {-1.5, -2}, {-2.5, -2}, {2.4999, 2},
                         {32767.4, 32767}, {-32768.5, -32768}})
    EXPECT_EQ(cint(v), want) << v;
  for (double v : {32767.5, -32769.0, std::nan("")}) EXPECT_THROW(cint(v), SimError) << v;
  for (auto [v, want] : {std::pair{2.9, 2}, {-0.5, -1}, {-2.0, -2}, {-2.1, -3}}) EXPECT_EQ(intPart(v), want) << v;
}

TEST(NumericTest, NumValTakesTheLongestLeadingPartThatIsANumber) {
  for (auto [text, want] : {std::pair{"", 0.0f}, {"abc", 0.0f}, {"-", 0.0f}, {"12abc", 12.0f}, {"  3.5x", 3.5f},
                            {"-.5", -0.5f}, {"+4", 4.0f}, {"2.5e2km", 250.0f}, {"12e+", 12.0f}, {"12 3", 12.0f},
                            {"1e40", 1e4f}})  // "1e40" is beyond a single; "1e4" is the last part that converts
    EXPECT_EQ(numVal(text), want) << text;
  EXPECT_EQ(val(" 1 2 3"), 123);  // typed input: blanks anywhere are skipped
  EXPECT_EQ(val("4.5 km"), 4.5);
  EXPECT_EQ(val("x1"), 0);
}

TEST(NumericTest, FormatPatternsRoundHalvesAwayFromZero) {
  struct Case {
    double v;
    const char* pattern;
    const char* want;
  };
  for (const Case& c : {Case{2.5, "0", "3"}, {-2.5, "0", "-3"}, {0.25, "0.0", "0.3"}, {0.125, "0.00", "0.13"},
                        {-12.8, "0.00", "-12.80"}, {0.6346, "0.000", "0.635"}, {1234567, "0,000", "1,234,567"},
                        {5, "0,000", "0,005"}, {-1234.56, "0,000.0", "-1,234.6"}, {999.96, "0,000.0", "1,000.0"},
                        {1141552.51, "0,000,000.0", "1,141,552.5"}, {0.333, "0%", "33%"}, {-0.5, "0%", "-50%"},
                        {0.4f, "", "0.4"}, {12, "", "12"}})
    EXPECT_EQ(format(c.v, c.pattern), c.want) << c.v << " " << c.pattern;
}

}  // namespace
}  // namespace magmo::test
