// Character id allocation.
#include "swf/format/character_counter.h"

#include "swf/format/movie_limits.h"

namespace swf {

std::optional<std::uint16_t> CharacterCounter::take()
{
    if (!hasRoomFor(1)) return std::nullopt;
    return static_cast<std::uint16_t>(m_next++);
}

bool CharacterCounter::hasRoomFor(std::uint32_t count) const
{
    return m_next <= maxCharacterId && count <= maxCharacterId + 1 - m_next;
}

std::string characterLimitMessage()
{
    return "SWF: the movie needs more than " + std::to_string(maxCharacterId) +
           " characters (shapes and text fields), the limit of the format";
}

} // namespace swf
