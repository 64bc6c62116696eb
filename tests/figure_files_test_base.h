// A test that builds figure 1 from command lines in a session of its own and writes files into a
// temporary folder, with the application object the desktop tests paint with.
#pragma once

#include "lang/interpreter.h"
#include "qt_gui_application.h"
#include "recording_host.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <string>
#include <vector>

namespace testing_support {

class FigureFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        guiApplication();
        ASSERT_TRUE(directory.isValid());
    }

    // Figure 1 after the command lines, which must run without output.
    model::Figure& figure(const std::vector<std::string>& commands)
    {
        for (const std::string& line : commands)
            lang::executeCommand(session, line);
        EXPECT_EQ(host.takeOutput(), "");
        return *session.figures.findFigure(1);
    }

    std::string path(const std::string& name) const
    {
        return directory.filePath(QString::fromStdString(name)).toStdString();
    }

    QTemporaryDir directory;
    RecordingHost host;
    lang::Session session{host};
};

} // namespace testing_support
