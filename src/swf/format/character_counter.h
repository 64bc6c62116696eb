// The character ids of one export: 1, 2, 3, ... up to 65535. Every shape and morph shape takes
// one id, used as its depth too; a text field takes two.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace swf {

class CharacterCounter {
public:
    // The next id, or nothing when every id up to maxCharacterId is taken.
    std::optional<std::uint16_t> take();
    // True when `count` more ids can be taken.
    bool hasRoomFor(std::uint32_t count) const;
    // The id the next take() gives.
    std::uint32_t next() const { return m_next; }

private:
    std::uint32_t m_next = 1;
};

// The message for a movie that needs more ids than the format has.
std::string characterLimitMessage();

} // namespace swf
