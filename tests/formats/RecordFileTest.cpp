#include "formats/RecordFile.h"
#include <limits>
#include <sstream>

#include "support/FileTestSupport.h"

namespace magmo::test {
namespace {
const PhaseRecord kHawaiian{.Location = 12.5f, .Style = Style::Lava, .Strength = 0.25f, .Wind = -7, .Particles = 40,
                           .Bursts = 2, .Slider = {0, 6, 7, 20, 4, 5, 6}, .MapA = 1.5f};
const PhaseRecord kFault{.Location = 20, .TectonicKind = TectonicKind::Fault, .Magnitude = 60, .DownSide = DownSide::Left,
                         .Slider = {0, 1, 2, 3, 4, 5, 6}};

class RecordFileTest : public ::testing::Test {
 protected:
  void read(const std::string& text) {
    std::istringstream in(text);
    seen.clear(), readRecordText(in, header, table, bursts, phasesRead, [this](int i) { seen.push_back(i); });
  }
  PhaseTable written, table;
  BurstTable writtenBursts, bursts;
  RecordHeader header;
  int phasesRead = -1;
  std::vector<int> seen;
};

// The line layout is pinned by the damage cases below, which name the line and field of each value.
TEST_F(RecordFileTest, EveryFieldReadsBackAndOnlyLavaPhasesListTheirBursts) {
  written[1] = kHawaiian, written[2] = kFault, written[2].Bursts = 2;
  // A lava phase with 100 bursts; a fault and a collapse whose bursts are not listed.
  written[1].Bursts = 100;
  for (int b = 1; b <= 100; ++b) writtenBursts(1, b) = 0.1f * b;
  written[3] = {1.1f, Style::Collapse, 2.2f, 3.3f, 4.4f, 1, 1, CalderaStyle::Valles, 5.5f, 6.6f, 300,
                TectonicKind::Erosion, 7, 8, DownSide::Right, 9, 1, {0, 11, 12, 13, 14, 15, 16}, 0.1f, 0.2f, 0.3f, 0.4f};
  read(recordFileText({"C:/x/base.str", 40, 3}, written, writtenBursts));
  EXPECT_EQ(std::tuple(header.strFileName, header.scale, header.count, phasesRead, seen),
            std::tuple("C:/x/base.str", 40.0f, 3, 3, std::vector{1, 2, 3}));
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(table[i], written[i]) << "phase " << i;
  EXPECT_EQ(bursts, writtenBursts);
  written[1].Wind = std::numeric_limits<float>::infinity();
  EXPECT_THROW(recordFileText({"", 4, 1}, written, writtenBursts), SimError);
}

// Header 1-2; phase 1 from the empty line 3, its two flows on 11 and 12; phase 2 on 13-20. Damage
// is found where it shows, and the phases before it are kept whole.
TEST_F(RecordFileTest, DamagedLostOrAddedLinesAreRefusedWhereTheyShowAndCompletePhasesKept) {
  written[1] = kHawaiian, written[2] = kFault;
  const std::string good = recordFileText({"", 20, 2}, written, writtenBursts);
  const std::tuple<std::string, int, std::string> cases[] = {
      {firstLines(good, 15), 1, "Record phase 2: Input past end of file (line 16)"},
      {withLine(good, 2, "\"Recorded phases\",501,20"), 0, "Recorded phases 501 out of range 0..500 (line 2)"},
      {withLine(good, 2, "\"Recorded phases\",1,33"), 0, "Scale 33"},
      {withLine(good, 5, "20,x2,0,0"), 0, "Record phase 1: Bad number \"x2\" (line 5)"},
      {withLine(good, 5, "20,8,0,0"), 0, "Record phase 1: Style 8 out of range 0..7 (line 5)"},
      {withLine(good, 6, "0,0,0,3"), 0, "Record phase 1: CalderaStyle 3 out of range 0..2 (line 6)"},
      {withLine(withLine(good, 5, "20,3,0,0"), 7, "0,0,101,0"), 0, "Record phase 1: Bursts 101 out of range 0..100 (line 7)"},
      {withLine(good, 8, "1,60,0,3,0"), 0, "Record phase 1: DownSide 3 out of range 0..2 (line 8)"},
      {"\xff\xfe garbage", 0, "Line holds 1 field, not 2 (line 1)"},
      {withoutLine(good, 12), 0, "Record phase 1: Empty field where a number was expected (line 12)"},
      {withLineInserted(good, 13, "0.5"), 1, "Record phase 2: Empty line expected (line 13)"},
      {withLine(good, 5, "12.5,3,0.25,-7,"), 0, "Record phase 1: Line holds more than 4 fields (line 5)"},
      {withoutLine(good, 7), 0, "Record phase 1: Line holds more than 4 fields (line 7)"},
      {withLineRepeated(good, 8), 0, "Record phase 1: Line holds 5 fields, not 6 (line 9)"},
      {withLine(good, 14, "\"Record Phase: \",3"), 1, "Record phase 2: Phase number 3 where 2 was expected (line 14)"},
      {withLine(good, 1, "\"Stratigraphic file:\""), 0, "Line holds 1 field, not 2 (line 1)"},
      {good + "1\r\n", 2, "Unexpected text after the last phase (line 21)"},
      {withLineEnds(withoutLine(good, 12), "\r"), 0, "Empty field where a number was expected (line 12)"},
  };
  for (const auto& [text, kept, why] : cases) {
    EXPECT_TRUE(refusedWith([&] { read(text); }, why));
    EXPECT_EQ(phasesRead, kept) << why;
    EXPECT_TRUE(kept == 0 || table[1] == written[1]) << why;
  }
  table = PhaseTable{};
  read("\xEF\xBB\xBF" + good + "\r\n");
  EXPECT_EQ(std::tuple(phasesRead, table[2]), std::tuple(2, written[2]));
}
}  // namespace
}  // namespace magmo::test
