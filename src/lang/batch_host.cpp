// Batch host: plain-text console on a stream.
#include "lang/batch_host.h"

#include <ostream>

namespace lang {
namespace {

// script.kp:3, -e:2, doc.vexxml (plot 1, line 4), out.swf, or the program's name.
std::string placeText(const SourcePlace& place)
{
    const std::string file = place.file.empty() ? "kelvoplot" : place.file;
    if (!place.block.empty())
        return file + " (" + place.block + ", line " + std::to_string(place.line) + ")";
    return place.line == 0 ? file : file + ":" + std::to_string(place.line);
}

} // namespace

void BatchHost::appendOutput(const std::vector<StyledRun>& runs)
{
    m_output << plainText(runs);
    m_output.flush();
}

void BatchHost::previewMovie(const std::string& path)
{
    m_diagnostics << "kelvoplot: " << path
                  << ": movies are previewed in the console window, not in batch mode\n";
}

bool BatchHost::askYesNo(const std::string& question)
{
    const bool yes = m_answer == BatchAnswer::Yes;
    m_diagnostics << "kelvoplot: " << question << " " << (yes ? "Yes" : "No")
                  << " (--yes answers Yes)\n";
    return yes;
}

std::optional<std::string> BatchHost::askSaveFilePath(const SaveFileRequest& request)
{
    m_diagnostics << "kelvoplot: no file dialog in batch mode; name the " << request.filter
                  << " file with --export\n";
    return std::nullopt;
}

Answer BatchHost::askYesNoCancel(const std::string& question)
{
    return askYesNo(question) ? Answer::Yes : Answer::No;
}

bool BatchHost::diagnose(const Diagnostic& diagnostic)
{
    ++m_diagnosticCount;
    m_diagnostics << placeText(diagnostic.place) << ": "
                  << (diagnostic.kind == DiagnosticKind::Warning ? "warning: " : "")
                  << diagnostic.text << "\n";
    m_diagnostics.flush();
    return true;
}

} // namespace lang
