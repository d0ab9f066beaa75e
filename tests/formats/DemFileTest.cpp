#include "formats/DemFile.h"
#include <sstream>

#include "formats/DemImport.h"
#include "support/FileTestSupport.h"
#include "support/TestHost.h"

namespace magmo::test {
namespace {
class DemFileTest : public ::testing::Test {
 protected:
  // A terrain with awkward values everywhere: fractions, negatives, large magnitudes.
  void fillTerrain(int step, float scale) {
    m.MapStep = step, m.Scale = scale, m.LayerCount = 2;
    for (int y = 0; y <= 640; ++y)
      for (int x = 0; x <= 1280; ++x) m.mapGrid(x, y) = (x * 7 - y * 3) / 9.0f + (x % 5 == 0 ? 8765.432f : 0.0f);
    for (int x = 1; x <= 1280; ++x) m.Strat(2, x) = -0.1f * x + 1.0f / 3;
    m.mapGrid(1, 1) = kMaxStoredHeight, m.Strat(2, 1) = -kMaxStoredHeight;  // heights at the bound are kept
  }
  DemData read(const std::string& text) {
    std::istringstream in(text);
    DemData d;
    readDemText(in, host, d);
    return d;
  }
  static float cell(const DemData& d, int x, int y) { return d.grid[static_cast<size_t>(y) * 1281 + x]; }
  TestHost host;
  Model m;
};

// The layout itself is pinned by the damage cases below, which name the line of each record.
TEST_F(DemFileTest, GridAndProfileComeBackExactlyAtEveryStepAndScaleAndOthersAreNotWritten) {
  for (const auto& [step, scale] : {std::pair(4, 4.0f), std::pair(6, 20.0f), std::pair(8, 100.0f), std::pair(8, 4.0f)}) {
    SCOPED_TRACE(::testing::Message() << step << " " << scale);
    fillTerrain(step, scale);
    const DemData d = read(demFileText(m));
    EXPECT_EQ(std::pair(d.step, d.scale), std::pair(step, scale));
    for (int x = 1; x + step <= 1280; x += step)
      for (int y = 1; y + step <= 640; y += step) {
        ASSERT_EQ(cell(d, x, y), m.mapGrid(x, y)) << x << "," << y;
        // The sample fills its block up to the next sample, and the last one up to its step.
        ASSERT_EQ(cell(d, x + step - 1, y + step - 1), m.mapGrid(x, y)) << x << "," << y;
      }
    const int last = 1 + (1279 - step) / step * step;
    EXPECT_EQ(cell(d, last + step, 1), m.mapGrid(last, 1));
    for (int x = 1; x <= 1280; ++x) ASSERT_EQ(d.profile[x], m.Strat(2, x)) << x;
  }
  for (const auto& [step, scale] : {std::pair(3, 20.0f), std::pair(9, 20.0f), std::pair(6, 7.0f), std::pair(6, 0.0f)}) {
    m.MapStep = step, m.Scale = scale;
    EXPECT_THROW(demFileText(m), SimError) << step << " " << scale;
  }
}

TEST_F(DemFileTest, LatticeIsInterpolatedBilinearlyAndScatteredPointsByDistance) {
  // 51 x 21 nodes 8 m apart, z = x + 2 y: 400 m by 160 m at the small scale, from column 591, row 301.
  host.yesNoAnswers = {true, true};
  DemData d = read(latticeText(51, 21, 1000, 5000, 8, [](int i, int j) { return 8.0 * i + 16.0 * j; }, "\t"));
  EXPECT_EQ(d.scale, 4);
  for (int j = 0; j <= 40; ++j)
    for (int i = 0; i <= 100; ++i) ASSERT_FLOAT_EQ(cell(d, 591 + i, 341 - j), (4.0f * i + 8.0f * j) / 4) << i << "," << j;
  EXPECT_EQ(cell(d, 590, 320) + cell(d, 692, 320) + cell(d, 600, 300) + cell(d, 600, 342), 0);  // beside the data
  // Scattered points of a level surface keep it level inside the data, and 0 far outside.
  std::ostringstream s;
  for (int j = 0; j < 40; ++j)
    for (int i = 0; i < 60; ++i) s << i * 6 + (i * 7 + j * 3) % 5 << "," << j * 6 + (i + j * 11) % 4 << ",80\n";
  d = read(s.str());
  const int c = 1 + (5120 - 358) / 8, r = 1 + (2560 - 237) / 8;
  EXPECT_EQ(std::tuple(cell(d, c + 40, r + 30), cell(d, c + 2, r + 2), cell(d, c - 20, r)), std::tuple(20.0f, 20.0f, 0.0f));
}

TEST_F(DemFileTest, RasterIsReadRowByRowFromTheUpperLeft) {
  host.yesNoAnswers = {false}, host.inputAnswers = {"3", " 4 ", "4"};
  const DemData d = read("10 11 12 13\n20 21 22 23\n30 31 32 33\n");
  // 12 m by 8 m: column offset 638, row offset 319.
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(cell(d, 639 + c, 320 + r), (10.0f * (r + 1) + c) / 4) << r << "," << c;
  EXPECT_EQ(d.profile[640], 11.0f / 4);
}

TEST_F(DemFileTest, ScaleAndPlacementFollowTheExtent) {
  const std::tuple<double, double, float, int, int> rows[] = {
      {5120, 2560, 4, 0, 0}, {5121, 100, 20, 511, 317}, {25600, 12800, 20, 0, 0}, {25601, 0, 100, 511, 320},
      {128000, 64000, 100, 0, 0}, {1000, 3000, 4, 515, -55}};
  for (const auto& [xrange, yrange, scale, col, row] : rows) {
    const DemPlacement p = placeDem(xrange, yrange);
    EXPECT_EQ(std::tuple(p.scale, p.columnOffset, p.rowOffset), std::tuple(scale, col, row)) << xrange;
  }
}

TEST_F(DemFileTest, TooLargeDataAreScaledOnlyWhenTheUserAgrees) {
  const std::string wide = latticeText(251, 11, 0, 0, 800, [](int i, int) { return 1000.0 + i; });  // 200 km wide
  host.yesNoAnswers = {true, false, true, true};  // declined, then agreed
  EXPECT_THROW(read(wide), DemImportAbandoned);
  const DemData d = read(wide);
  EXPECT_EQ(host.messages, std::vector<std::string>{"Data will be scaled by a factor of 2X"});  // after the yes only
  // Halved: 100 km wide at 100 m a cell, nodes 4 cells apart from column 141; z halved as well.
  const int r = 1 + (64000 - 4000) / 200;
  EXPECT_EQ(std::tuple(d.scale, cell(d, 141, r), cell(d, 145, r)), std::tuple(100.0f, 1000.0f / 2 / 100, 1001.0f / 2 / 100));
}

TEST_F(DemFileTest, TallDataShowTheChosenPart) {
  // 40 m by 3000 m at the small scale: 751 rows of data for 640 grid rows; rows 1 and 640 shown.
  const std::string tall = latticeText(11, 751, 0, 0, 4, [](int, int j) { return 4.0 * j; });
  const std::tuple<Answer, float, float> shown[] = {{Answer::Yes, 750, 111}, {Answer::No, 639, 0}, {Answer::Cancel, 695, 56}};
  for (const auto& [answer, top, bottom] : shown) {
    host.yesNoAnswers = {true}, host.yesNoCancelAnswers = {answer};
    const DemData d = read(tall);
    EXPECT_EQ(std::pair(cell(d, 636, 1), cell(d, 636, 640)), std::pair(top, bottom)) << int(answer);
  }
}

TEST_F(DemFileTest, BadForeignDataAreRefused) {
  const std::string raster = "1 2 3 4 5 6 7 8 9 10 11";  // too few for 3 x 4
  // Text, answers to the vector/raster question and the raster prompts, the reason given.
  const std::tuple<std::string, bool, std::vector<std::optional<std::string>>, const char*> cases[] = {
      {"", true, {}, "The file holds no elevation data"}, {"x,y,z\n1,2,3\n", true, {}, "x \"x\" is not a number (line 1)"},
      {"1,2,3\n4,5\n", true, {}, "z missing at the end of the file (line 3)"},
      {"1,2,3\r4,5\r", true, {}, "z missing at the end of the file (line 3)"},
      {"10 11 12 13\n20 21 22 23\n30 31 32 33\n40\n", false, {"3", "4", "4"},
       "Unexpected \"40\" after 3 rows of 4 elevations (line 4)"},
      {"0,0,1\n0,5,1\n", true, {}, "The elevation data do not cover an area"},
      {"0,0,1\n5,0,1\n", true, {}, "The elevation data do not cover an area"},
      {"0,0,1\n4,4,1000001\n", true, {}, "Elevation 1000001 out of range -1000000..1000000 (line 2)"},
      {"1e300,0,1\n0,1e300,2\n", true, {}, "Coordinate out of range (line 1)"},
      {raster, false, {std::nullopt}, "Import cancelled"}, {raster, false, {"0"}, "\"0\" is not a value from 1 to 20000"},
      {raster, false, {"abc"}, "\"abc\" is not a value from 1 to 20000"}, {raster, false, {"2.5"}, "is not a whole number"},
      {raster, false, {"3", "20001"}, "\"20001\" is not a value from 1 to 20000"},
      {raster, false, {"3", "4", "0"}, "\"0\" is not a value from 0.001 to 1000000"},
      {raster, false, {"3", "4", std::nullopt}, "Import cancelled"}, {raster, false, {"3", "4", "4"}, "Elevation missing"},
      {raster, false, {"20000", "251", "1"}, "More than 5000000 raster points"}};
  for (const auto& [text, vector, answers, why] : cases) {
    host.yesNoAnswers = {vector};
    host.inputAnswers.assign(answers.begin(), answers.end());
    EXPECT_TRUE(refusedWith([&] { read(text); }, why)) << why;
  }
  const auto level = [](int, int) { return 5.0; };
  host.yesNoAnswers = {true, true};
  EXPECT_THROW(read(latticeText(21, 11, 0, 0, 25, level)), DemImportAbandoned);
  EXPECT_EQ(host.messages.back(), "Data are greater than 20 m appart.\nThey are too sparse to interpolate.");
  EXPECT_NO_THROW(read(latticeText(21, 11, 0, 0, 20, level)));  // at the limit
}

// Each own record names its place, so a damaged, lost or doubled one is found where it shows;
// foreign data must look like metres and give heights a section can hold.
TEST_F(DemFileTest, DamagedDataOrDataOutOfPlaceOrBoundsAreRefusedNamingTheLine) {
  fillTerrain(8, 100);
  const std::string own = demFileText(m);  // records from line 23
  const int p = 23 + 159 * 79;  // the first profile line, after 159 columns of 79 samples from line 23
  const auto level = [](double z) { return [z](int, int) { return z; }; };
  // Text, the reason given ("" when read); foreign files are vector.
  const std::pair<std::string, std::string> cases[] = {
      {withLine(own, 22, "$Magmo: ,100,3"), "Map step \"3\" is not a whole number from 4 to 8 (line 22)"},
      {withLine(own, 22, "$Magmo: ,100,9"), "Map step \"9\""}, {withLine(own, 22, "$Magmo: ,100,6.5"), "Map step \"6.5\""},
      {withLine(own, 22, "$Magmo: ,7,8"), "Scale 7 is not 4, 20, 40 or 100 (line 22)"},
      {firstLines(own, 21) + "$Magmo: \r\n", "Scale missing at the end of the file"},
      {withLine(own, 102, "10,1,0"), "Record 10,1 where 9,1 was expected (line 102)"},
      {withLine(own, 24, "1,10,0"), "Record 1,10 where 1,9 was expected (line 24)"},
      {withLine(own, p + 2, "3,321,0"), "Record 3,321 where 3,320 was expected (line " + std::to_string(p + 2) + ")"},
      {withLine(own, 24, "1,9,nan"), "Elevation \"nan\" is not a number (line 24)"},
      {withLine(own, 24, "1,9,-10000.5"), "Elevation -10000.5 out of range -10000..10000 (line 24)"},
      {firstLines(own, p + 1278), "x missing at the end of the file (line " + std::to_string(p + 1279) + ")"},
      {withoutLine(own, 24), "Record 1,17 where 1,9 was expected (line 24)"},
      {withLineRepeated(own, 24), "Record 1,9 where 1,17 was expected (line 25)"},
      {own + "1,320,0\r\n", "Unexpected \"1\" after the last profile record (line 13864)"},
      {withLine(own, 24, std::string("1,9,\0", 5)), "Elevation \"\\x00\" is not a number (line 24)"},
      {latticeText(10, 10, 12.5, 41.2, 0.0008, level(300)), "The points are 0.0008 apart: they look like degrees"},
      {latticeText(10, 10, 0, 0, 0.09, level(300)), "The points are 0.09 apart"},
      {"\xEF\xBB\xBF" + latticeText(10, 10, 0, 0, 0.1, level(300)), ""},  // after a byte-order mark
      {latticeText(10, 10, 0, 0, 4, level(40001)), "Elevation 40001 m out of range -40000..40000 m at 4 m per column"},
      {latticeText(10, 10, 0, 0, 4, level(-40000)), ""},
  };
  for (const auto& [text, why] : cases) {
    host.yesNoAnswers = {true};
    if (why.empty())
      EXPECT_NO_THROW(read(text));
    else
      EXPECT_TRUE(refusedWith([&] { read(text); }, why)) << why;
  }
  // Empty lines and doubled separators move nothing, and heights may reach the bound.
  const DemData d = read(withLine(withLineInserted(own, 30, ""), 24, "1,,9,10000"));
  EXPECT_EQ(std::pair(cell(d, 1, 9), cell(d, 9, 17)), std::pair(10000.0f, m.mapGrid(9, 17)));
}
}  // namespace
}  // namespace magmo::test
