// Model::LayerStats, which the report, the CSV export and the chart read: an eruption phase
// reports its layer; a fault, an erosion and a static phase report nothing; Undo and New follow.
#include "control/NewFile.h"
#include "control/RecordFixture.h"
#include "control/Undo.h"

namespace magmo::test {
namespace {

class LayerStatsTest : public RecordTest {
 protected:
  std::tuple<bool, Style, double, double> stat(int k) {
    const LayerStat& s = m().LayerStats[k];
    return {s.reported, s.style, s.volume, s.hours};
  }
};

TEST_F(LayerStatsTest, OnlyAnEruptionReportsAndUndoAndNewFollowTheLayers) {
  erupt(Style::Stromb, "0.5", 4);
  EXPECT_EQ(stat(1), std::tuple(true, Style::Stromb, m().EruptVolume, m().EruptHours));
  EXPECT_GT(m().LayerStats[1].summit, 0);
  const auto first = stat(1);
  faultAt("10.00", "5", "0", "Left side down");
  erode(2);  // its sediments are layer 2
  ASSERT_EQ(m().LayerCount, 2);
  EXPECT_FALSE(m().LayerStats[2].reported);
  erupt(Style::Plinian, "0.5", 2);
  ASSERT_TRUE(m().LayerStats[3].reported);
  mnuParUndoClick(sim);
  EXPECT_FALSE(m().LayerStats[3].reported);
  erupt(Style::Plinian, "0.5", 2);
  const auto third = stat(3);
  mnuParStaticClick(sim);
  erupt(Style::Stromb, "0.5", 3);  // reshapes layer 3
  EXPECT_EQ(std::tuple(m().LayerCount, stat(3), stat(1)), std::tuple(3, third, first));
  fileNew(sim);
  EXPECT_FALSE(m().LayerStats[1].reported);
}

}  // namespace
}  // namespace magmo::test
