// Batch runner: -e lines, then INPUT, then the export.
#include "desktop/app/batch_runner.h"
#include "model/argument_text.h"

#include "desktop/app/figure_export.h"
#include "desktop/qt/offscreen_gui.h"
#include "io/file_io.h"
#include "lang/batch_host.h"
#include "lang/document.h"
#include "lang/interpreter.h"
#include "io/export_formats.h"
#include "lang/line_reader.h"
#include "model/limits.h"
#include "swf/export/movie_warnings.h"
#include "swf/export/timeline.h"

#include <QString>
#include <QtGlobal>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

namespace desktop {
namespace {

// The next line; a stream that fails to read (the standard library throws then) ends with a
// message.
std::optional<lang::LineStatus> readNextLine(std::istream& input, std::string& line,
                                             const std::string& name, std::ostream& diagnostics)
{
    try {
        return lang::readLine(input, line, model::maxCommandLineBytes);
    } catch (const std::ios_base::failure& failure) {
        diagnostics << "kelvoplot: " << name << ": cannot be read: " << failure.what() << "\n";
        return std::nullopt;
    }
}

// Command lines of a file or standard input, each with its place for diagnostics; false when
// the stream fails to read.
bool runCommandStream(lang::Session& session, std::istream& input, const std::string& name,
                      const std::string& placeName, std::ostream& diagnostics)
{
    std::string line;
    for (std::size_t number = 1;; ++number) {
        const std::optional<lang::LineStatus> status = readNextLine(input, line, name, diagnostics);
        if (!status) return false;
        if (status == lang::LineStatus::End) return true;
        if (status == lang::LineStatus::Read) {
            session.place = {placeName, number, {}};
            lang::executeCommand(session, line, 0);
            continue;
        }
        diagnostics << "kelvoplot: " << name << ": line " << number
                    << " is longer than the limit of " << model::maxCommandLineBytes
                    << " bytes; it was not run\n";
    }
}

bool isDocumentPath(const std::string& path)
{
    return path.size() >= 7 &&
           model::equalsIgnoringCase(std::string_view(path).substr(path.size() - 7), ".vexxml");
}

// Runs INPUT; false when it cannot be read.
bool runInput(lang::Session& session, const std::string& input, std::istream& standardInput,
              std::ostream& diagnostics)
{
    if (input == "-")
        return runCommandStream(session, standardInput, "standard input", "<stdin>", diagnostics);
    // A folder opens as a stream and fails at its first read; a device may never end.
    if (const std::optional<std::string> reason = io::unreadableReason(input)) {
        diagnostics << "kelvoplot: " << input << ": cannot be read: " << *reason << "\n";
        return false;
    }
    std::ifstream file(input, std::ios::binary);
    if (!file) {
        diagnostics << "kelvoplot: " << input << ": cannot be read\n";
        return false;
    }
    if (isDocumentPath(input)) {
        file.close();
        const lang::DocumentLoad load = lang::runDocumentFile(session, input);
        if (load.status == xml::LoadStatus::Loaded) return true;
        diagnostics << "kelvoplot: " << load.message << "\n";
        return false;
    }
    return runCommandStream(session, file, input, input, diagnostics);
}

model::Figure* figureToExport(lang::Session& session, const BatchOptions& options,
                              std::ostream& diagnostics)
{
    if (options.figureId) {
        model::Figure* figure = session.figures.findFigure(*options.figureId);
        if (!figure)
            diagnostics << "kelvoplot: figure " << *options.figureId << " does not exist\n";
        return figure;
    }
    if (session.figures.empty()) {
        diagnostics << "kelvoplot: there is no figure to export\n";
        return nullptr;
    }
    return &session.figures.at(0);
}

// Qt warns on standard error that XDG_RUNTIME_DIR is not set, and goes on with a folder of its
// own: nothing a batch user needs to act on, so that one message is left out. Every other
// message is written as Qt writes it.
void writeQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
    const QByteArray line = (qFormatLogMessage(type, context, message) + u'\n').toLocal8Bit();
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
}

// Writes Qt's messages with writeQtMessage while it lives.
class BatchQtMessages {
public:
    BatchQtMessages() : m_previous(qInstallMessageHandler(writeQtMessage)) {}
    ~BatchQtMessages() { qInstallMessageHandler(m_previous); }
    BatchQtMessages(const BatchQtMessages&) = delete;
    BatchQtMessages& operator=(const BatchQtMessages&) = delete;

private:
    QtMessageHandler m_previous;
};

// --verbose: "kelvoplot: wrote OUT: FORMAT, SIZE, N bytes".
void reportWritten(const model::Figure& figure, const BatchOptions& options,
                   std::ostream& diagnostics)
{
    const std::string& path = *options.exportPath;
    const io::ExportFormatRow format = *io::exportFormatForPath(path);
    std::string size = std::to_string(figure.clientWidth) + " x " +
                       std::to_string(figure.clientHeight) + " pixels";
    if (format.format == io::ExportFormat::Swf || options.animate) {
        // An animation shows the movie's frames and then the complete figure.
        const std::uint64_t frames = swf::movieFrameCount(figure.frames, options.framesPerSecond) +
                                     (options.animate ? 1 : 0);
        size += ", " + std::to_string(frames) + (frames == 1 ? " frame" : " frames");
    }
    if (format.format == io::ExportFormat::Vexxml) size = "1 plot";
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(path, error);
    diagnostics << "kelvoplot: wrote " << path << ": " << format.name << ", " << size;
    if (!error) diagnostics << ", " << bytes << " bytes";
    diagnostics << "\n";
}

// What a written movie leaves out of the figure, as warnings about the movie file.
void warnAboutMovie(lang::BatchHost& host, const model::Figure& figure, const BatchOptions& options)
{
    if (exportableFormat(*options.exportPath) != io::ExportFormat::Swf) return;
    for (std::string& text : swf::movieWarnings(figure, options.framesPerSecond))
        host.diagnose(
            {lang::DiagnosticKind::Warning, {*options.exportPath, 0, {}}, std::move(text)});
}

// Exit status 3 when --strict met a warning or a limit message.
int strictStatus(const BatchOptions& options, const lang::BatchHost& host)
{
    return options.strict && host.diagnosticCount() > 0 ? 3 : 0;
}

} // namespace

int runBatch(const BatchOptions& options, std::istream& standardInput, std::ostream& output,
             std::ostream& diagnostics)
{
    if (options.exportPath && !exportableFormat(*options.exportPath)) {
        diagnostics << "kelvoplot: " << unknownFormatMessage(*options.exportPath) << "\n";
        return 1;
    }
    const BatchQtMessages qtMessages;
    // Painting text and images needs a QGuiApplication, on the offscreen platform. A document is
    // command text and paints nothing; an SVG or PDF export makes the application object only
    // when the answers about its text are not remembered from an earlier export (see
    // exportFigure).
    const std::optional<io::ExportFormat> format =
        options.exportPath ? exportableFormat(*options.exportPath) : std::nullopt;
    if (format && format != io::ExportFormat::Vexxml && format != io::ExportFormat::Svg &&
        format != io::ExportFormat::Pdf)
        ensureGuiApplication();
    lang::BatchHost host(output, diagnostics,
                         options.answerYes ? lang::BatchAnswer::Yes : lang::BatchAnswer::No);
    lang::Session session(host);

    for (std::size_t index = 0; index < options.lines.size(); ++index) {
        session.place = {"-e", index + 1, {}};
        lang::executeCommand(session, options.lines[index], 0);
    }
    if (options.input && !runInput(session, *options.input, standardInput, diagnostics)) return 1;
    session.place = {};
    if (!options.exportPath) return strictStatus(options, host);
    if (strictStatus(options, host) != 0) {
        const std::size_t count = host.diagnosticCount();
        diagnostics << "kelvoplot: " << *options.exportPath << " was not written: " << count
                    << (count == 1 ? " warning" : " warnings") << " under --strict\n";
        return 3;
    }

    model::Figure* figure = figureToExport(session, options, diagnostics);
    if (!figure) return 1;
    std::vector<std::string> notes;
    const io::WriteResult result =
        exportFigure(session, *figure, *options.exportPath, options, notes);
    for (const std::string& note : notes)
        diagnostics << "kelvoplot: " << note << "\n";
    if (!result.written) {
        diagnostics << "kelvoplot: " << result.message << "\n";
        return 1;
    }
    warnAboutMovie(host, *figure, options);
    if (options.verbose) reportWritten(*figure, options, diagnostics);
    return strictStatus(options, host);
}

} // namespace desktop
