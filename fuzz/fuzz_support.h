// Helpers the fuzz targets share: reporting a finding, splitting input, a scratch folder for the
// files a target must write, and the work every figure of a fuzzed session goes through.
#pragma once

#include "expr/expression.h"
#include "model/argument_text.h"
#include "expr/sampler.h"
#include "lang/batch_host.h"
#include "lang/document.h"
#include "lang/serialiser.h"
#include "lang/session.h"
#include "lang/tokenizer.h"
#include "model/limits.h"
#include "render/draw_pass.h"
#include "render/recording_surface.h"
#include "swf/export/movie_export.h"
#include "swf/read/reader.h"
#include "xml/xml_document.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace fuzzing {

// A broken property: libFuzzer keeps the input that led here, like a crash.
[[noreturn]] inline void reportFinding(const std::string& what)
{
    std::fprintf(stderr, "FINDING: %s\n", what.c_str());
    std::abort();
}

inline std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// A folder of this process under TMPDIR (or /dev/shm, or /tmp), emptied when the process ends
// normally. Targets that write files work in it, so that runs side by side never meet.
class ScratchFolder {
public:
    ScratchFolder()
    {
        const char* base = std::getenv("TMPDIR");
        std::filesystem::path root = base && *base                               ? base
                                     : std::filesystem::is_directory("/dev/shm") ? "/dev/shm"
                                                                                 : "/tmp";
        m_path = root / ("kelvo-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_path);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    const std::filesystem::path& path() const { return m_path; }
    std::string file(std::string_view name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Console output of the fuzzed sessions goes nowhere: a stream without a buffer writes nothing.
struct NullStreams {
    std::ostream output{nullptr};
    std::ostream diagnostics{nullptr};
};

// The function sampling one input may ask for. The program's limits bound each object: ten
// million samples take a tenth of a second or more in a release build, which is right for a user
// and far too slow for a sanitized fuzzer that wants many inputs a second. So each input gets a
// budget of its own, a hundredth of one object at the limits; functions past it are left out of
// the drawing and the movie (as if hidden), while objects past the program's limits stay in,
// since they draw nothing and cost nothing.
inline constexpr double fuzzSamplePoints = 100'000;
inline constexpr double fuzzOperandEvaluations = 2'000'000;

class SamplingBudget {
public:
    // True when the object is to be drawn; what its sampling costs is then taken from the budget.
    bool take(const model::PlotObject& object)
    {
        if (object.type == model::ObjectType::Axis) return takeAxis(object);
        const std::optional<expr::FunctionSampling> sampling = expr::readFunctionSampling(object);
        if (!sampling) return true;
        const bool surface = sampling->type == model::ObjectType::Function3D;
        const double samples = sampling->x.count * (surface ? sampling->y.count : 1.0);
        const double evaluations =
            samples *
            static_cast<double>(expr::parseExpression(sampling->expression).evaluationCost());
        const double sampleLimit =
            static_cast<double>(surface ? model::maxSurfacePoints : model::maxFunctionSamples);
        if (!(samples <= sampleLimit) ||
            !(evaluations <= static_cast<double>(model::maxOperandEvaluations)))
            return true;
        // A grid point of a surface costs forty samples: the picture and the movie draw it as a
        // dot and the ends of two lines, each dot a shape of its own in the movie, and the lines
        // of points far away are split into many movie edges.
        const double points = surface ? 40.0 * samples : samples;
        if (points > m_points || evaluations > m_evaluations) return false;
        m_points -= points;
        m_evaluations -= evaluations;
        return true;
    }

private:
    // An axis costs fifty samples a tick: each is a dot and a movie shape, and its number a text
    // field with a small program. An axis past the tick limit draws no dots and costs nothing.
    bool takeAxis(const model::PlotObject& object)
    {
        double points = 0;
        for (int i = 0; i < 3; ++i) {
            const model::SubObject* scale =
                model::findSubObject(object, model::SubObjectKind::P4, i);
            if (!scale || scale->arguments.size() < 3) break;
            const double ticks = (static_cast<double>(model::parseNumber(scale->arguments[1])) -
                                  model::parseNumber(scale->arguments[0])) /
                                 model::parseNumber(scale->arguments[2]);
            if (ticks >= 1 && ticks <= static_cast<double>(model::maxAxisTicks))
                points += 50.0 * ticks;
        }
        if (points > m_points) return false;
        m_points -= points;
        return true;
    }

    double m_points = fuzzSamplePoints;
    double m_evaluations = fuzzOperandEvaluations;
};

// Movies are written here; one folder for the life of the process.
inline const ScratchFolder& movieFolder()
{
    static const ScratchFolder folder;
    return folder;
}

// Saves `figure` as a movie (answering Yes to the frames question) and parses it back: a movie
// the export says it wrote must read, and every tag in it must decode.
inline void exerciseMovie(model::Figure figure)
{
    NullStreams streams;
    lang::BatchHost host(streams.output, streams.diagnostics, lang::BatchAnswer::Yes);
    render::RecordingSurface measuring;
    const std::string path = movieFolder().file("figure.swf");
    const swf::SwfExportResult result = swf::exportFigureToSwf(
        figure, path,
        {[&](const std::string& question) { return host.askYesNo(question); }, measuring, 25});
    if (!result.written) return;
    const swf::MovieReadResult read = swf::readMovieFile(path);
    if (!read.ok()) {
        reportFinding("an exported movie does not read: " + read.message);
        return;
    }
    for (const swf::TagEntry& tag : read.movie.tags)
        if (const auto content = swf::decodeTag(read.movie, tag); !content.ok())
            reportFinding("tag " + std::to_string(tag.code) +
                          " of an exported movie does not decode: " + content.message);
}

// What a figure window does with a figure, and what saving it does: the draw pass onto the
// recording surface with the session's function cache and the movie export (both with the
// objects the sampling budget allows), its command text in every mode, and that text run again
// as a document in a session of its own.
inline void exerciseFigure(lang::Session& session, model::Figure& figure, SamplingBudget& budget)
{
    std::vector<model::PlotObject> drawn;
    drawn.reserve(figure.objects.size());
    for (const model::PlotObject& object : figure.objects)
        if (budget.take(object)) drawn.push_back(object);
    render::RecordingSurface surface;
    render::DrawFigure(figure, surface, session.functionCache, &drawn);
    {
        model::Figure movie = figure;
        movie.objects = std::move(drawn);
        exerciseMovie(std::move(movie));
    }
    lang::serialiseFigure(figure, lang::SerialiseMode::Recorder, 1);
    lang::serialiseFigure(figure, lang::SerialiseMode::HeaderOnly);
    const std::string text = lang::serialiseFigure(figure);

    NullStreams streams;
    lang::BatchHost host(streams.output, streams.diagnostics);
    lang::Session reopened(host);
    xml::XmlDocument document;
    document.openText(lang::oneFigureDocumentText(text));
    lang::runDocument(reopened, document);
    if (reopened.figures.size() != 1)
        reportFinding("a figure's command text gave " + std::to_string(reopened.figures.size()) +
                      " figures when run again");
}

inline void exerciseEveryFigure(lang::Session& session)
{
    SamplingBudget budget;
    for (std::size_t i = 0; i < session.figures.size(); ++i)
        exerciseFigure(session, session.figures.at(i), budget);
}

} // namespace fuzzing
