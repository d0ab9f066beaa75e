#include "formats/StratFile.h"
#include <cmath>
#include <sstream>

#include "model/Model.h"
#include "support/FileTestSupport.h"

namespace magmo::test {
namespace {
class StratFileTest : public ::testing::Test {
 protected:
  // Layers with awkward values: fractions, negatives, tiny and large magnitudes.
  void fillLayers(int count) {
    m.LayerCount = count, m.VentX = 777, m.AltPfs = 1, m.AltLava = -1, m.AltPlin = 32767;
    for (int k = 1; k <= count; ++k) {
      m.LayerVentX[k] = k * 7, m.LayerBase[k] = 0.1f * k, m.LayerColor[k] = (k - 1) % 16, m.LayerMapY[k] = 320 + k;
      m.LayerMapA[k] = -1.0f / 3 * k, m.LayerMapB[k] = 1e-7f * k, m.LayerWind[k] = -50, m.LayerCaldera[k] = 3;
      m.LayerCaldL[k] = 1, m.LayerCaldR[k] = 1280;
      for (int x = 1; x <= 1280; ++x) m.Strat(k, x) = static_cast<float>(300 + 299 * std::sin(x * 0.37 * k));
    }
  }
  StratReadResult read(const std::string& text, const StratReadOptions& options = {}) {
    std::istringstream in(text);
    return readStratText(in, s, options);
  }
  Model m;
  Section s;
};

TEST_F(StratFileTest, WrittenLayoutAndByteExactRoundTrip) {
  fillLayers(3);
  const std::string text = stratFileText(m, false);
  const auto lines = linesOf(text);
  ASSERT_EQ(lines.size(), 2u + 3u * 68u);
  EXPECT_EQ(std::vector(lines.begin(), lines.begin() + 6),
            (std::vector<std::string>{"3003,777,20", "1,0,-1,0,32767", "",
                                      "\"------------------- Strat layer number: 1 of 3 ----------------------------\"", "",
                                      "7,0.1,0,321,-0.33333334,1e-07,0,0,-50,3,1,1280"}));
  const StratReadResult r = read(text);
  EXPECT_EQ(std::tuple(r.complete, r.version, r.scale, s.LayerCount), std::tuple(true, 3, 20.0f, 3));
  for (int x = 1; x <= 1280; ++x) ASSERT_EQ(s.Strat(3, x), m.Strat(3, x)) << x;
  Model again;
  static_cast<Section&>(again) = s;
  EXPECT_EQ(stratFileText(again, false), text);
}

TEST_F(StratFileTest, MapSectionIsReadWhenAskedAndEachCellFillsItsNeighbours) {
  fillLayers(1);
  for (int y = 0; y <= 640; ++y)
    for (int x = 0; x <= 1280; ++x) m.mapGrid(x, y) = x * 0.5f + y;
  const std::string text = stratFileText(m, true);
  const auto lines = linesOf(text);
  ASSERT_EQ(lines.size(), 2u + 68u + 3u + 9600u);
  EXPECT_EQ(lines[73], "3,5,7,9,11,13,15,17,19,21,23,25,27,29,31,33,35,37,39,41");  // x = 2, y = 2..40
  std::fill(s.MapGrid.begin(), s.MapGrid.end(), -1.0f);
  read(text);
  EXPECT_EQ(s.mapGrid(100, 100), -1.0f);
  read(text, {.withMap = true});
  // Each stored value stands for its whole 2 x 2 block; rows past 600 are not stored.
  EXPECT_EQ(std::tuple(s.mapGrid(1280, 600), s.mapGrid(100, 99), s.mapGrid(99, 99), s.mapGrid(99, 100), s.mapGrid(1280, 601)),
            std::tuple(1240.0f, 150.0f, 150.0f, 150.0f, -1.0f));
}

TEST_F(StratFileTest, OlderVersionsRead) {
  // Version 1: half-resolution columns, vents doubled, every even column copies the odd one.
  std::string v1 = "2,100\r\n1,1,0,0,1\r\n";
  for (int k = 1; k <= 2; ++k) {
    v1 += std::to_string(50 * k) + ",12.5," + std::to_string(k - 1) + "\r\n";
    for (int i = 0; i < 640; ++i) v1 += std::to_string(k * 1000 + i) + (i % 20 == 19 ? "\r\n" : ",");
  }
  StratReadResult r = read(v1);
  EXPECT_EQ(std::tuple(r.version, r.scale, s.LayerCount, s.VentX, s.LayerVentX[2], s.LayerColor[2], s.LayerBase[1]),
            std::tuple(1, std::nullopt, 2, 200, 200, 1, 12.5f));
  EXPECT_EQ(std::tuple(s.Strat(2, 1), s.Strat(2, 2), s.Strat(2, 1280)), std::tuple(2000.0f, 2000.0f, 2639.0f));
  // Version 2: full resolution, layer vents as stored, values spread freely over lines.
  std::string v2 = "2001,300,0,0,0,0,0,100,1.5,7\r\n";
  for (int x = 1; x <= 1280; ++x) v2 += std::to_string(x) + (x % 7 == 0 ? "\r\n" : ",");
  r = read(v2 + "\r\n");
  EXPECT_EQ(std::tuple(r.version, s.LayerCount, s.VentX, s.LayerVentX[1], s.Strat(1, 2), s.Strat(1, 1280)),
            std::tuple(2, 1, 600, 100, 2.0f, 1280.0f));
}

TEST_F(StratFileTest, DamagedAndHostileFilesAreRefusedNamingTheLine) {
  fillLayers(2);
  const std::string good = stratFileText(m, false);
  const std::string zeros = ",0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0";  // the rest of a line of heights
  const std::pair<std::string, std::string> cases[] = {
      {"", "Input past end of file (line 1)"}, {firstLines(good, 40), "Input past end of file (line 41)"},
      {"3501,640,20\r\n", "Layer count 501 out of range 0..500"}, {"-1,640\r\n", "Layer count -1 out of range"},
      {"3000,640,0\r\n", "Scale 0 is not 4, 20, 40 or 100 (line 1)"}, {"3000,640,1e-9\r\n", "Scale 1e-09 is not"},
      {"3001,1281,20\r\n", "Vent column 1281 out of range 0..1280 (line 1)"},
      {"1,641\r\n", "Vent column 641 out of range 0..640 (line 1)"},  // version 1 halves the columns
      {"1,0\r\n0,0,0,0,0\r\n641,0,0\r\n", "Vent column 641 out of range 0..640 (line 3)"},
      {"3001,640,nan\r\n", "Bad number \"nan\" (line 1)"}, {"3001,99999,20\r\n", "Number \"99999\" out of range (line 1)"},
      {"\"3001\",640,20\r\n", "Text \"3001\" where a number was expected (line 1)"},
      {"3001," + std::string(100000, '7'), "Field too long (line 1)"}, {"3001,640,20\r\n\"x", "without closing quote (line 2)"},
      {withLine(good, 6, "1,0,16,320,0,0,0,0,0,0,0,0"), "Layer colour 16 out of range 0..15 (line 6)"},
      {withLine(good, 6, "1,0,2,641,0,0,0,0,0,0,0,0"), "Map row 641 out of range 0..640 (line 6)"},
      {withLine(good, 6, "12abc,0,2,0,0,0,0,0,0,0,0,0"), "Bad number \"12abc\" (line 6)"},
      {withLine(good, 75, "3e7" + zeros), "Height 3e7 out of range -10000..10000 (line 75)"},
      {withLine(good, 75, "1" + zeros + "\x7f\x01"), "Bad number \"0\\x7f\\x01\" (line 75)"},
      {withLine(good, 75, std::string(1, '\0') + zeros), "Bad number \"\\x00\" (line 75)"},
  };
  for (const auto& [text, why] : cases) EXPECT_TRUE(refusedWith([&] { read(text); }, why)) << why;
  // Unless the scale is kept, as for the default file: then any scale is read and dropped.
  const StratReadResult kept = read("3000,640,7\r\n0,0,0,0,0\r\n", {.keepScale = true});
  EXPECT_TRUE(kept.complete && !kept.scale);
}

// One layer and the map: header 1-2, separator 3-5, attributes 6, heights 7-70, the map's
// separator 71-73 and its rows 74-9673. Damage to the layers is found on the line where the
// layout breaks.
TEST_F(StratFileTest, ShiftedLinesAreRefusedWhereTheyShow) {
  fillLayers(1);
  m.Strat(1, 1) = -10000, m.Strat(1, 1280) = 10000;
  const std::string good = stratFileText(m, true), row = linesOf(good)[9], cut = row.substr(row.find(',') + 1);
  std::string v1 = "1,100\r\n1,1,0,0,1\r\n50,12.5,0\r\n";  // version 1: 640 heights, no separators
  for (int i = 0; i < 640; ++i) v1 += std::to_string(i) + (i % 20 == 19 ? "\r\n" : ",");
  const std::pair<std::string, std::string> cases[] = {
      {withLineInserted(good, 10, ""), "Line holds 1 field, not 20 (line 10)"},
      {withoutLine(good, 10), "Line holds 1 field, not 20 (line 70)"},
      {withLineRepeated(good, 10), "Empty line expected (line 71)"},
      {withLine(good, 10, row + ",5"), "Line holds more than 20 fields (line 10)"},
      {withLine(good, 10, "," + cut), "Empty field where a number was expected (line 10)"},
      {withLine(good, 6, "7,0.1,0,321,0,0,0,0,-50,3,1"), "Line holds 11 fields, not 12 (line 6)"},
      {withLine(good, 1, "3001,777,20,0"), "Line holds more than 3 fields (line 1)"},
      {withLine(good, 1, "3001\r\n777,20"), "Line holds 1 field, not 3 (line 1)"},
      {withoutLine(good, 3), "Empty line expected (line 3)"},
      {withLine(good, 4, "\"--- Strat layer number: 1 of 2 ---\""), "Separator \"Strat layer number: 1 of 1\" expected (line 4)"},
      {withLine(good, 72, "\"--- Final 2D Topo ---\""), "Separator \"Final 3D Topo\" expected (line 72)"},
      {withLineEnds(withoutLine(good, 10), "\r"), "Line holds 1 field, not 20 (line 70)"},
      {withLineInserted(v1, 10, ""), "Empty field where a number was expected (line 10)"},
      {withLineRepeated(v1, 10), "Unexpected text after the last layer (line 36)"},
  };
  for (const auto& [text, why] : cases) EXPECT_TRUE(refusedWith([&] { read(text, {.withMap = true}); }, why)) << why;
  // A map cut short ends where it stops, as its writer leaves it after a column it cannot write.
  read(withoutLine(good, 80), {.withMap = true});
  EXPECT_EQ(s.LayerCount, 1);
  // A byte-order mark, an empty line at the end and heights at the bound are fine; heights past
  // it are not written.
  read("\xEF\xBB\xBF" + good + "\r\n", {.withMap = true});
  EXPECT_EQ(std::tuple(s.Strat(1, 1), s.Strat(1, 1280)), std::tuple(-10000.0f, 10000.0f));
  m.Strat(1, 640) = -10000.5f;
  EXPECT_TRUE(refusedWith([&] { stratFileText(m, false); }, "Height -10000.5 out of range -10000..10000"));
}
}  // namespace
}  // namespace magmo::test
