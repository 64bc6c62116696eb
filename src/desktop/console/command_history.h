// The console input line's history: every line entered, browsed with Up and Down.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace desktop {

class CommandHistory {
public:
    // Enter: the line is kept (duplicates and empty lines too) and browsing stops.
    void enter(const std::string& line);
    // Escape: browsing stops.
    void reset() { m_index = -1; }
    // Up: the previous entry to show, or nothing when there is none further back.
    std::optional<std::string> up();
    // Down: the next entry to show, an empty line past the newest, or nothing when not browsing.
    std::optional<std::string> down();
    void clear();

    const std::vector<std::string>& entries() const { return m_entries; }

private:
    std::vector<std::string> m_entries;
    long m_index = -1; // -1: not browsing
};

} // namespace desktop
