// Batch host: plain-text console on a stream.
#include "lang/batch_host.h"

#include <ostream>

namespace lang {

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

void BatchHost::notify(const std::string& text)
{
    m_diagnostics << "kelvoplot: " << text << "\n";
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

} // namespace lang
