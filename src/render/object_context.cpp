// Per-object working data.
#include "render/object_context.h"

namespace render {
namespace {

// Bytes in the UTF-8 sequence that starts with `lead`.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

} // namespace

Pen ObjectContext::strokePen() const
{
    Pen stroke = pen;
    stroke.fill = brush;
    return stroke;
}

std::string objectText(const model::PlotObject& object)
{
    const model::SubObject* name = model::findSubObject(object, model::SubObjectKind::Name, 0);
    if (!name || name->arguments.empty()) return {};
    const std::string& text = name->arguments.front();
    std::size_t units = 0, position = 0;
    while (position < text.size()) {
        const std::size_t length = sequenceLength(static_cast<unsigned char>(text[position]));
        const std::size_t codeUnits = length == 4 ? 2 : 1; // beyond the BMP: a surrogate pair
        if (units + codeUnits > maxObjectTextLength) break;
        units += codeUnits;
        position = std::min(text.size(), position + length);
    }
    return text.substr(0, position);
}

} // namespace render
