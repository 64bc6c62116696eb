// Tests of the insert dialogs: fields filled, OK pressed, and the command text of what was added.
#include "desktop/dialogs/object_dialog.h"

#include "desktop/dialogs/command_dialogs.h"
#include "desktop/dialogs/field_grid.h"
#include "desktop/dialogs/object_picking.h"
#include "desktop/dialogs/object_preview.h"
#include "lang/interpreter.h"
#include "qt_application.h"
#include "recording_host.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace desktop {
namespace {

class InsertDialogTest : public ::testing::Test {
protected:
    InsertDialogTest()
    {
        for (const char* line : {"FIGURE 1 400 300", "LAYER 1 0 0 50% 50%",
                                 "AXIS at(1) p4(-2,8,1,1) p4(-1,1,0.5,1)", "FIGURE 2 200 200"})
            lang::executeCommand(session, line);
    }
    std::string lastLine(std::uint32_t figureId)
    {
        return figure::objectCommandLine(session.figures.findFigure(figureId)->objects.back());
    }

    QApplication& application = testing_support::qtApplication();
    testing_support::RecordingHost host;
    lang::Session session{host};
};

TEST_F(InsertDialogTest, OkAppendsTheObjectWithTheTypedCommandText)
{
    const struct {
        int menuId;
        std::vector<std::pair<int, std::string>> fields;
        std::string expected;
    } cases[] = {
        {301, {{101, "10"}, {104, "90%"}}, "RECTANGLE at(1,1,1,0) p4(10,45,50%,90%)"},
        {308, {{802, "180"}}, "ARC at(1,1,1,0) p4(0,45,50%,50%) p2(0,180)"},
        {303, {{103, "-1 1 0.5 1"}}, "AXIS at(1,1,1,0) p4(-3,10,1,1) p4(-3,10,1,1) p4(-1,1,0.5,1)"},
        {404, {{103, "2"}, {105, "top"}}, "POINT3 at(1,1,1,0) p4(0,0,2,3) p1(0) n(\"top\")"},
        {305,
         {{100, "cos(x)"}, {104, "1"}, {201, "1"}},
         "FUNCTION at(1,1,1,0) p2(-2.000,8.000) p1(0.02) n(\"cos(x)\") p1(1) p1(1)"},
        {406,
         {{114, "2"}, {103, "0.05"}},
         "FUNCTION3D at(1,1,1,0) p2(-0.5,0.5) p1(0.05) p2(-0.5,0.5) p1(0.1) p1(0) p1(2) p1(4) "
         "n(\"x*(y^2)\")"},
        {307, {{105, "a, b"}}, "TEXT at(1,1,1,0) p2(0,0) p1(0) n(\"a, b\")"},
        {310,
         {{103, "20"}, {104, "30"}, {105, "pic.png"}},
         "IMAGE at(1,1,1,0) p4(0,0,20,30) n(\"pic.png\")"},
        {511, {{101, "0 0 0 0 1 1 1 1"}}, "POLY4 at(1,1,1,0) p4(0,0,0,0,1,1,1,1)"},
        {412, {{101, "1 2 3 4 5 6"}}, "CURVE3 at(1,1,1,0) p3(1,2,3,4,5,6)"},
    };
    for (const auto& [menuId, fields, expected] : cases) {
        ObjectDialog dialog(session, *figure::objectKindForMenu(menuId), 1);
        dialog.placementBox(502)->setCurrentIndex(1);
        dialog.placementBox(503)->setCurrentIndex(1); // functions take the axis's x range
        for (const auto& [id, text] : fields)
            dialog.fields().setValue(*dialog.form().rowOf(id), text);
        ASSERT_TRUE(dialog.button(1)->isEnabled()) << menuId;
        dialog.button(1)->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << menuId;
        EXPECT_EQ(lastLine(1), expected) << menuId;
        EXPECT_EQ(host.events.back(), "repaint 1");
    }
}

TEST_F(InsertDialogTest, BadFieldsAreRefusedAndOkStaysDisabled)
{
    ObjectDialog dialog(session, *figure::objectKindForMenu(305), 1);
    const std::size_t step = *dialog.form().rowOf(103);
    for (const std::string text : {"0", "x", "", "0.00000001"}) {
        dialog.fields().setValue(step, text);
        EXPECT_FALSE(dialog.button(1)->isEnabled()) << text;
    }
    dialog.fields().setValue(step, "0.5");
    EXPECT_TRUE(dialog.button(1)->isEnabled());
}

TEST_F(InsertDialogTest, ChoosingAnotherFigureRefillsThePlacementBoxes)
{
    ObjectDialog dialog(session, *figure::objectKindForMenu(301), 1);
    EXPECT_EQ(dialog.placementBox(502)->count(), 2); // None, 1
    EXPECT_EQ(dialog.placementBox(503)->count(), 2);
    dialog.placementBox(501)->setCurrentIndex(1);
    EXPECT_EQ(dialog.placementBox(502)->count(), 1);
    EXPECT_EQ(dialog.placementBox(503)->count(), 1);
    EXPECT_EQ(dialog.form().commandText(), "RECTANGLE at(2,0,0,0) p4(0,45,50%,50%)");
}

TEST_F(InsertDialogTest, PreviewModesAndSubObjectsFollowTheDialog)
{
    ObjectDialog dialog(session, *figure::objectKindForMenu(302), 1);
    dialog.setPreviewMode(figure::PreviewMode::Single);
    ASSERT_EQ(dialog.preview().objects().size(), 1u);
    dialog.fields().setValue(0, "20");
    EXPECT_EQ(dialog.preview().objects()[0], dialog.form().object());
    dialog.setSubObject(model::SubObjectKind::Pen, 0, {{}, {"3", "255", "1"}});
    EXPECT_EQ(dialog.previewMode(), figure::PreviewMode::Full);
    EXPECT_EQ(dialog.preview().objects().size(), 2u); // the axis and the ellipse
    EXPECT_EQ(dialog.form().commandText(), "ELLIPSE at(1,0,0,0) p4(20,45,50%,50%) pen(3,255,1)");
    const QImage picture = dialog.preview().grab().toImage();
    EXPECT_FALSE(picture.isNull());
}

TEST_F(InsertDialogTest, EditingReplacesTheObjectAndLeavesUnchangedTextAsItWas)
{
    const std::string lines[] = {
        "FUNCTION at(1,0,1,0) n(\"sin(x)\") p2(-1,8) p1(0.01) p1(0) p1(0) pen(2,0xFF0000)",
        "TEXT at(1,1,0,0) p2(10%,20) p1(0) n(\"Hello there\") font(\"Times New Roman\",12)",
    };
    for (const std::string& line : lines) {
        lang::executeCommand(session, line);
        const std::size_t index = session.figures.findFigure(1)->objects.size() - 1;
        ObjectDialog dialog(
            session, *figure::ObjectForm::forObject(session.figures.findFigure(1)->objects[index]),
            1, index);
        dialog.button(1)->click();
        EXPECT_EQ(lastLine(1), line);
        EXPECT_EQ(session.figures.findFigure(1)->objects.size(), index + 1);
    }
    ObjectDialog dialog(
        session, *figure::ObjectForm::forObject(session.figures.findFigure(1)->objects.back()), 1,
        session.figures.findFigure(1)->objects.size() - 1);
    EXPECT_EQ(dialog.fields().value(0), "10.000%");
    dialog.fields().setValue(1, "40");
    dialog.button(1)->click();
    EXPECT_EQ(lastLine(1),
              "TEXT at(1,1,0,0) p2(10%,40) p1(0) n(\"Hello there\") font(\"Times New Roman\",12)");
}

TEST_F(InsertDialogTest, PickingFindsTheTopmostObjectDrawnAtAPoint)
{
    for (const char* line : {"RECTANGLE at(2) p4(20,20,100,100) brush(solid,0xFF)",
                             "ELLIPSE at(2) p4(80,80,60,60) pen(4)", "TEXT at(2,0,0,1) p2(5,5)"})
        lang::executeCommand(session, line);
    model::Figure& figure = *session.figures.findFigure(2);
    const std::pair<std::array<int, 2>, std::optional<std::size_t>> cases[] = {
        {{50, 50}, 0},   // inside the filled rectangle
        {{140, 110}, 1}, // on the ellipse's outline, drawn after the rectangle
        {{110, 110}, 0}, // inside the ellipse, which has no fill: the rectangle
        {{180, 180}, std::nullopt},
        {{8, 8}, std::nullopt}, // the text is in frame 1, which does not exist
    };
    for (const auto& [point, expected] : cases)
        EXPECT_EQ(objectAt(session, figure, point[0], point[1]), expected)
            << point[0] << "," << point[1];
}

// Fills the modal dialog that opens next and presses OK.
void answerNextDialog(std::vector<std::string> values)
{
    QTimer::singleShot(0, [values] {
        auto* dialog = qobject_cast<CommandDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->fields().setValues(values);
        dialog->accept();
    });
}

TEST_F(InsertDialogTest, SmallDialogsRunTheirCommandLines)
{
    answerNextDialog({"320", "240", "0x00FF00", "0", "1"});
    ASSERT_TRUE(runNewFigureDialog(nullptr, session));
    const model::Figure* made = session.figures.findFigure(3);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->backgroundColour, 0xFF00FF00u);
    EXPECT_TRUE(made->own2d);

    answerNextDialog({"0", "0", "25%", "25%"});
    ASSERT_TRUE(runNewLayerDialog(nullptr, session, 3));
    EXPECT_EQ(made->layers, (std::vector<model::Layer>{{0, 0, 25, 25, 1}}));

    answerNextDialog({"100", "0", "1"});
    ASSERT_TRUE(runNewFramesDialog(nullptr, session, 3));
    EXPECT_EQ(made->frames.size(), 2u);
    EXPECT_EQ(made->frames.back(), (model::Frame{100, 1, 1, 0}));

    answerNextDialog({"4", "300", "1"});
    const std::optional<AnimationRecordChoice> record = askAnimationRecord(nullptr, session, 3);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->figureId, 3u);
    EXPECT_EQ(record->settings, (figure::RecordingSettings{4, 300, true}));
}

} // namespace
} // namespace desktop
