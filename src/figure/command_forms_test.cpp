// Tests of the small dialogs' command lines and limits.
#include "figure/command_forms.h"

#include <gtest/gtest.h>

namespace figure {
namespace {

using Values = std::vector<std::string>;

TEST(CommandForms, ComposeTheCommandLinesTheInterpreterRuns)
{
    EXPECT_EQ(newFigureCommand(3, Values{"500", "400", "0x00FF00", "0", "1"}),
              "figure 3 500 400 0xFF00FF00 nodx OWN2D");
    EXPECT_EQ(newFigureCommand(1, Values{"500", "500", "0xFFFFFF", "1", "0"}),
              "figure 1 500 500 0xFFFFFFFF dx no2d");
    EXPECT_EQ(newLayerCommand(2, Values{"0", "10", "50%", "50%"}), "LAYER 2 0 10 50% 50%");
    EXPECT_EQ(newFramesCommand(2, Values{"50", "0", "1"}), "FRAMES 2 1 50 1");
    EXPECT_EQ(recordingSettings(Values{"2", "300", "1"}), (RecordingSettings{2, 300, true}));
}

TEST(CommandForms, RefuseFieldsAndLimits)
{
    model::Figure figure;
    figure.id = 1;
    figure.frames.resize(99999);
    EXPECT_FALSE(newFigureProblem(Values{"500", "500", "0xFFFFFF", "0", "0"}));
    EXPECT_TRUE(newFigureProblem(Values{"0", "500", "0xFFFFFF", "0", "0"}));
    EXPECT_TRUE(newFigureProblem(Values{"10001", "500", "0xFFFFFF", "0", "0"}));
    EXPECT_TRUE(newFigureProblem(Values{"500", "500", "white", "0", "0"}));
    EXPECT_TRUE(newLayerProblem(Values{"0", "0", "50 %", "50%"}));
    EXPECT_FALSE(newFramesProblem(figure, Values{"50", "1", "0"}));
    EXPECT_EQ(newFramesProblem(figure, Values{"50", "2", "0"}),
              "# of frames: figure 1 would have 100001 frames, more than the limit of 100000");
    EXPECT_TRUE(animationRecordProblem(Values{"1.5", "250", "0"}));
}

} // namespace
} // namespace figure
