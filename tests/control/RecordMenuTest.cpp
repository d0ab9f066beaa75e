#include "control/RecordMenu.h"

#include "control/RecordFixture.h"

namespace magmo::test {
namespace {

using RecordMenuTest = RecordTest;

TEST_F(RecordMenuTest, RecordAndPlaybackItemsExcludeEachOther) {
  ui().modeText() = "Playback Complete";
  mnuRecRecClick(sim);
  EXPECT_TRUE(ui().mnuRecRec.checked && ui().toolbar["record"].pressed);
  EXPECT_FALSE(ui().mnuParStatic.enabled);
  EXPECT_EQ(ui().statusBar1[6], "Record On");
  EXPECT_EQ(ui().modeText(), "Manual Erupt");
  EXPECT_EQ(ui().cmdErupt.tooltip, "Click to start eruption/recording");

  m().RecCount = m().PlayIndex = 4;
  mnuRecPlayClick(sim);
  EXPECT_TRUE(ui().mnuRecPlay.checked);
  EXPECT_FALSE(ui().mnuRecRec.checked);
  EXPECT_EQ(ui().cmdErupt.caption, "Play&back");
  EXPECT_EQ(ui().statusBar2[1], "Press 'Playback' to view");
  EXPECT_EQ(ui().modeText(), "Playback");
  EXPECT_EQ(m().PlayIndex, 0);
  mnuRecPlayLoopClick(sim);
  EXPECT_EQ(ui().modeText(), "Playback (Loop)");

  mnuRecPlayClick(sim);
  EXPECT_FALSE(ui().mnuRecPlay.checked);
  EXPECT_EQ(ui().cmdErupt.caption, "&Erupt");
  EXPECT_EQ(ui().modeText(), "Manual Erupt");
  mnuRecPlayLoopClick(sim);  // outside playback the mode text stays
  EXPECT_EQ(ui().modeText(), "Manual Erupt");

  mnuRecRecClick(sim);
  mnuRecRecClick(sim);
  EXPECT_EQ(ui().statusBar1[6], "Record Off");
  EXPECT_EQ(ui().toolbar["record"].tooltip, "Start recorder (record eruption history)");
}

TEST_F(RecordMenuTest, EditorNamesARecordFileAndMenuFollowsTheTable) {
  mnuRecEditClick(sim);
  EXPECT_EQ(ui().RecFileName, "Magmo.rec");
  ui().RecFileName.clear();
  ui().StrFileName = "/data/Etna.str";
  mnuRecEditClick(sim);
  EXPECT_EQ(ui().RecFileName, "/data/Etna.rec");
  mnuRecOpening(sim);
  EXPECT_FALSE(ui().mnuRecPlay.enabled || ui().mnuRecPlayLoop.enabled);
  ui().RecLoaded = true;
  mnuRecOpening(sim);
  EXPECT_TRUE(ui().mnuRecPlay.enabled && ui().mnuRecPlayLoop.enabled);
}

}  // namespace
}  // namespace magmo::test
