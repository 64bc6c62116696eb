// Tests of the sub-object editors: arguments written, values read back, colours, matrices.
#include "figure/sub_object_form.h"

#include <gtest/gtest.h>

namespace figure {
namespace {

using Values = std::vector<std::string>;

TEST(SubObjectForm, EditorsWriteTheirArgumentsAndReadThemBack)
{
    const struct {
        SubDialog dialog;
        Values values;
        Values arguments;
    } cases[] = {
        {SubDialog::Pen, {"2", "3", "0xFF0000"}, {"2", "16711680", "3"}},
        {SubDialog::Brush,
         {"0", "0xFF", "0x0", "0", "0", "1 0 0 1 0 0"},
         {"solid", "0xFF", "0x0", "0"}},
        {SubDialog::Brush,
         {"1", "0xFF", "0xFF00", "5", "0", "1 0 0 1 0 0"},
         {"hatch", "0xFF", "0xFF00", "5"}},
        {SubDialog::Brush,
         {"2", "0xFF", "0xFF0000", "0", "1", "1 0 0 2 5 6"},
         {"gradient", "0xFF", "0xFF0000", "1", "0", "0", "2", "5", "6"}},
        {SubDialog::Transform, {"1", "0", "0", "1", "20", "30"}, {"1", "0", "0", "1", "20", "30"}},
        {SubDialog::OwnTransform,
         {"10", "5", "2", "3", "90", "100", "110"},
         {"10.000000", "5.000000", "2.000000", "3.000000", "90.000000", "100.000000",
          "110.000000"}},
        {SubDialog::RangeAnimation, {"3", "10"}, {"3", "7"}},
    };
    for (const auto& [dialog, values, arguments] : cases) {
        EXPECT_FALSE(subDialogProblem(dialog, values)) << subDialogTitle(dialog);
        EXPECT_EQ(subDialogArguments(dialog, values), arguments) << subDialogTitle(dialog);
        const model::SubObject written{model::SubObjectKind::Pen, arguments};
        EXPECT_EQ(subDialogArguments(dialog, subDialogValues(dialog, written)), arguments)
            << subDialogTitle(dialog);
    }
    // An empty sub-object shows the defaults.
    EXPECT_EQ(subDialogValues(SubDialog::Pen, {}), (Values{"2", "0", "0xFF000000"}));
    EXPECT_EQ(subDialogValues(SubDialog::Transform3D, {}).size(), 12u);
}

TEST(SubObjectForm, RefusesValuesTheDrawingCannotUse)
{
    const std::pair<SubDialog, Values> cases[] = {
        {SubDialog::Pen, {"2.5", "0", "0xFF"}},
        {SubDialog::Pen, {"2", "0", "red"}},
        {SubDialog::Brush, {"1", "0xFF", "0x0", "53", "0", "1 0 0 1 0 0"}},
        {SubDialog::Brush, {"2", "0xFF", "0x0", "0", "1", "1 0 0 1 0"}},
        {SubDialog::RangeAnimation, {"5", "4"}},
        {SubDialog::RangeAnimation, {"0", "100000"}},
    };
    for (const auto& [dialog, values] : cases)
        EXPECT_TRUE(subDialogProblem(dialog, values)) << subDialogTitle(dialog) << values[0];
}

TEST(SubObjectForm, ColourWordsPutTheOpacityWhereEachUseReadsIt)
{
    const Rgba halfRed{255, 0, 0, 128};
    EXPECT_EQ(colourWord(ColourUse::Pen, halfRed), 0x80FF0000u);
    EXPECT_EQ(colourWord(ColourUse::Brush, halfRed), 0x7F0000FFu);
    EXPECT_EQ(colourWord(ColourUse::Background, halfRed), 0xFFFF0000u);
    EXPECT_EQ(colourWord(ColourUse::Pen, Rgba{0, 0, 255, 0}), 0x010000FFu);
    for (const ColourUse use : {ColourUse::Pen, ColourUse::Brush})
        EXPECT_EQ(colourOfWord(use, colourWord(use, halfRed)), halfRed);
    EXPECT_EQ(colourOfWord(ColourUse::Pen, 0xFF0000).alpha, 255); // a top byte of 0 is opaque
    EXPECT_EQ(colourText(0xFF00FF00), "0xFF00FF00");
}

TEST(SubObjectForm, MatrixOperationsComeBeforeTheShownMatrix)
{
    const geom::Matrix2D moved{1, 0, 0, 1, 10, 0};
    const geom::Matrix2D zoomed = combineMatrix(moved, MatrixOperation::Zoom, 2);
    EXPECT_EQ(zoomed.map({1, 1}), (geom::Point2D{12, 2}));
    const geom::Matrix2D turned = combineMatrix({}, MatrixOperation::Rotate, 90);
    EXPECT_NEAR(turned.map({1, 0}).y, 1, 1e-6);
    EXPECT_EQ(combineMatrix({}, MatrixOperation::ShearX, 2).map({0, 1}), (geom::Point2D{2, 1}));
}

TEST(SubObjectForm, FontsRoundTripInPoints)
{
    const FontChoice bold{"Times New Roman", 12, true, false, true, false};
    const Values arguments = fontArguments(bold);
    EXPECT_EQ(arguments, (Values{"Times New Roman", "12", "5", "3"}));
    EXPECT_EQ(fontChoiceOf({model::SubObjectKind::Font, arguments}), bold);
    EXPECT_EQ(fontChoiceOf({model::SubObjectKind::Font, {"Arial", "16", "0", "2"}}).pointSize, 12);
}

TEST(SubObjectForm, TheCubePreviewHasTwelveEdgesInFrontOfTheEye)
{
    geom::Transform3D transform;
    transform.eyeZ = -3;
    EXPECT_EQ(cubePreviewEdges(transform, {0, 0, 100, 100}).size(), 12u);
}

} // namespace
} // namespace figure
