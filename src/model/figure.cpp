// The figure list: lookup by id, id allocation, adding and removing figures.
#include "model/figure.h"

#include <algorithm>

namespace model {

Figure* FigureList::findFigure(std::uint32_t id)
{
    for (auto& figure : m_figures)
        if (figure->id == id) return figure.get();
    return nullptr;
}

const Figure* FigureList::findFigure(std::uint32_t id) const
{
    for (const auto& figure : m_figures)
        if (figure->id == id) return figure.get();
    return nullptr;
}

std::uint32_t FigureList::lowestUnusedFigureId() const
{
    // Sort the ids once; the first gap from 1 up is the answer.
    std::vector<std::uint32_t> ids;
    ids.reserve(m_figures.size());
    for (const auto& figure : m_figures)
        ids.push_back(figure->id);
    std::sort(ids.begin(), ids.end());
    std::uint32_t candidate = 1;
    for (std::uint32_t id : ids) {
        if (id == candidate)
            ++candidate;
        else if (id > candidate)
            break;
    }
    return candidate;
}

Figure& FigureList::append(std::uint32_t id)
{
    auto figure = std::make_unique<Figure>();
    figure->id = id;
    m_figures.push_back(std::move(figure));
    return *m_figures.back();
}

bool FigureList::remove(std::uint32_t id)
{
    auto found = std::find_if(m_figures.begin(), m_figures.end(),
                              [id](const auto& figure) { return figure->id == id; });
    if (found == m_figures.end()) return false;
    m_figures.erase(found);
    return true;
}

} // namespace model
