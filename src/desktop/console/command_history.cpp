// Command history browsing.
#include "desktop/console/command_history.h"

namespace desktop {

void CommandHistory::enter(const std::string& line)
{
    m_entries.push_back(line);
    m_index = -1;
}

std::optional<std::string> CommandHistory::up()
{
    if (m_index == -1) m_index = static_cast<long>(m_entries.size());
    if (m_index <= 0) return std::nullopt;
    --m_index;
    return m_entries[static_cast<std::size_t>(m_index)];
}

std::optional<std::string> CommandHistory::down()
{
    if (m_index == -1) return std::nullopt;
    ++m_index;
    if (m_index >= static_cast<long>(m_entries.size())) {
        m_index = -1;
        return std::string{};
    }
    return m_entries[static_cast<std::size_t>(m_index)];
}

void CommandHistory::clear()
{
    m_entries.clear();
    m_index = -1;
}

} // namespace desktop
