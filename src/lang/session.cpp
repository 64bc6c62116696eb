// Session-wide operations.
#include "lang/session.h"

namespace lang {

bool Session::destroyFigure(std::uint32_t id)
{
    return figures.remove(id);
}

} // namespace lang
