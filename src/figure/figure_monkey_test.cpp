// A monkey over every gallery figure: random menu commands, tool keys with random modifiers,
// clicks and drags, wheel turns, selections, frames and recordings, with the figure drawn now
// and then; afterwards every figure must serialise and load again to the same text. The run
// lasts KELVO_MONKEY_SECONDS seconds in all (default: a short run), seeded by KELVO_MONKEY_SEED.
#include "figure/animation_recorder.h"
#include "figure/axis_readout.h"
#include "figure/figure_command_handler.h"
#include "figure/figure_menu.h"
#include "lang/interpreter.h"
#include "lang/serialiser.h"
#include "lang/tokenizer.h"
#include "recording_host.h"
#include "render/draw_pass.h"
#include "render/recording_surface.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace figure {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> readLines(const fs::path& script)
{
    std::ifstream file(script);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

double environmentNumber(const char* name, double fallback)
{
    const char* text = std::getenv(name);
    return text ? std::atof(text) : fallback;
}

class Monkey {
public:
    Monkey(lang::Session& session, model::Figure& figure, std::uint32_t seed)
        : m_session(session), m_figure(figure), m_random(seed)
    {
    }

    void act()
    {
        switch (pick(8)) {
        case 0:
            command(randomMenuCommand());
            break;
        case 1:
            command(pick(2) ? commands::FirstSelectObject + pick(12) : commands::EntireFigure);
            break;
        case 2:
            command(commands::FirstFrameToggle + pick(6));
            break;
        case 3:
            key();
            break;
        case 4:
            pointer();
            break;
        case 5:
            zoomAbout(m_figure, point(), std::uniform_real_distribution<float>(0.2f, 5)(m_random));
            break;
        case 6:
            record();
            break;
        default:
            command(commands::FirstTool + pick(9));
            break;
        }
        if (pick(25) == 0) draw();
        if (pick(10) == 0) buildFigureMenu(m_figure, m_state);
        if (pick(10) == 0) readoutText(m_figure, point());
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }
    PixelPoint point()
    {
        return {pick(m_figure.clientWidth + 40) - 20, pick(m_figure.clientHeight + 40) - 20};
    }
    KeyModifiers modifiers() { return {pick(3) == 0, pick(3) == 0, pick(8) == 0}; }

    std::int32_t randomMenuCommand()
    {
        const std::span<const MenuCommand> table = figureCommands();
        return table[static_cast<std::size_t>(pick(static_cast<int>(table.size())))].id;
    }

    void command(std::int32_t id, std::int32_t parameter = 0)
    {
        const CommandResult result =
            runFigureCommand(m_session, m_figure, m_state, id, parameter, modifiers());
        if (result.dialog == DialogRequest::AnimationRecord)
            startRecording(m_figure, {static_cast<std::uint32_t>(pick(4)),
                                      static_cast<std::uint32_t>(pick(500)), pick(2) == 0});
    }

    void key()
    {
        static constexpr Key keys[] = {
            Key::Left,        Key::Right,  Key::Up,    Key::Down,   Key::KeypadPlus,
            Key::KeypadMinus, Key::Period, Key::Comma, Key::Delete, Key::F2,
            Key::F7,          Key::F12,    Key::X,     Key::V};
        const KeyModifiers held = modifiers();
        const std::int32_t id = commandForKey(keys[pick(std::size(keys))], held, m_state.tool);
        if (id != 0) command(id);
    }

    void pointer()
    {
        const MouseButton button = pick(3) == 0 ? MouseButton::Right : MouseButton::Left;
        PointerResponse response = mouseDown(m_state, button, point());
        for (int moves = pick(5); moves > 0; --moves) {
            const PointerResponse moved = mouseMove(m_state, point());
            response.steps.insert(response.steps.end(), moved.steps.begin(), moved.steps.end());
        }
        mouseUp(m_state);
        for (const PostedStep& step : response.steps)
            command(step.id, step.parameter);
        if (response.originTool) applyOriginTool(m_figure, m_state.originClick);
    }

    void record()
    {
        static constexpr std::int32_t ids[] = {commands::StartRecording, commands::CaptureFrame,
                                               commands::CaptureFrame, commands::EndRecording};
        command(ids[pick(std::size(ids))]);
    }

    void draw()
    {
        render::RecordingSurface surface;
        render::DrawFigure(m_figure, surface, m_session.passServices());
    }

    lang::Session& m_session;
    model::Figure& m_figure;
    WindowState m_state;
    std::mt19937 m_random;
};

TEST(FigureMonkey, EveryGalleryFigureSurvivesRandomUseAndLoadsAgain)
{
    std::vector<fs::path> scripts;
    for (const fs::directory_entry& entry : fs::directory_iterator(KELVO_EXAMPLES_DIR "/gallery"))
        if (entry.path().extension() == ".kp") scripts.push_back(entry.path());
    std::sort(scripts.begin(), scripts.end());
    ASSERT_FALSE(scripts.empty());
    const double seconds = environmentNumber("KELVO_MONKEY_SECONDS", 0);
    const auto seed = static_cast<std::uint32_t>(environmentNumber("KELVO_MONKEY_SEED", 15));
    const auto share = std::chrono::duration<double>(seconds / static_cast<double>(scripts.size()));
    std::size_t actions = 0;
    for (const fs::path& script : scripts) {
        testing_support::RecordingHost host;
        lang::Session session{host};
        for (const std::string& line : readLines(script))
            lang::executeCommand(session, line);
        ASSERT_FALSE(session.figures.empty()) << script;
        model::Figure& figure = session.figures.at(0);
        Monkey monkey(session, figure, seed + static_cast<std::uint32_t>(actions));
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 150 || std::chrono::steady_clock::now() - start < share; ++i) {
            monkey.act();
            ++actions;
        }

        const std::string text = lang::serialiseFigure(figure);
        testing_support::RecordingHost quiet;
        lang::Session again{quiet};
        for (const std::string& line : lang::splitTokens(text, "\r\n", lang::QuoteProtection::Off))
            lang::executeCommand(again, line, 1);
        ASSERT_EQ(again.figures.size(), 1u) << script;
        EXPECT_EQ(lang::serialiseFigure(again.figures.at(0)), text) << script;
    }
    std::cout << actions << " monkey actions over " << scripts.size() << " figures\n";
}

} // namespace
} // namespace figure
