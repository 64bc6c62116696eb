// Session-wide operations.
#include "lang/session.h"

namespace lang {

bool Session::destroyFigure(std::uint32_t id)
{
    if (!figures.remove(id)) return false;
    functionCache.purgeFigure(static_cast<std::int32_t>(id));
    return true;
}

} // namespace lang
