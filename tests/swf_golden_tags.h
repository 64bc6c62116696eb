// Tags with their expected bytes, built with the movie writer's pieces. The writer's tests check
// that each piece writes exactly these bytes; the reader's tests decode the same bytes and write
// them again.
#pragma once

#include "swf/export/file_writer.h"
#include "swf/format/character_counter.h"
#include "swf/format/define_shape.h"
#include "swf/format/place_object.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

struct GoldenTag {
    std::string name;
    void (*append)(swf::ByteBuffer&); // writes the tags with the writer's pieces
    std::vector<std::uint8_t> bytes;  // headers and bodies, as a movie holds them
};

inline std::vector<GoldenTag> goldenTags()
{
    return {
        {"PlaceObject2: flags 0x16, depth, id, identity MATRIX, ratio 16383",
         [](swf::ByteBuffer& out) {
             swf::appendPlaceObject2(out,
                                     {swf::PlacementKind::New, 5, 5, swf::swfMatrixOf({}), 16383});
         },
         {0x8C, 0x06, 0x16, 5, 0, 5, 0, 0x20, 0, 0, 0, 0, 0xFF, 0x3F}},
        {"PlaceObject2 moving the character at depth 9 without a new one",
         [](swf::ByteBuffer& out) {
             swf::appendPlaceObject2(out,
                                     {swf::PlacementKind::Move, 9, std::nullopt, std::nullopt, 0});
         },
         {0x85, 0x06, 0x11, 9, 0, 0, 0}},
        {"RemoveObject: header 0x0144, id and depth",
         [](swf::ByteBuffer& out) {
             swf::appendRemoveObject(out, {5, 5});
         },
         {0x44, 0x01, 5, 0, 5, 0}},
        {"PlaceObject: id, depth, MATRIX",
         [](swf::ByteBuffer& out) {
             swf::appendPlaceObject(out, {3, 3, swf::swfMatrixOf({1, 0, 0, 1, 10, 5})});
         },
         {0x09, 0x01, 3, 0, 3, 0, 0x20, 0x01, 0x90, 0x00, 0xC8}},
        {"SetBackgroundColor: red, green and blue, the alpha dropped",
         [](swf::ByteBuffer& out) { swf::appendSetBackgroundColor(out, 0xFF102030); },
         {0x43, 0x02, 0x10, 0x20, 0x30}},
        {"DefineShape3 of a 2-pixel red line, and its PlaceObject",
         [](swf::ByteBuffer& out) {
             render::Pen pen;
             pen.colour = 0xFFFF0000;
             pen.width = 2;
             swf::CharacterCounter characters;
             swf::SwfDisplayList displayList;
             const std::vector<swf::PathRecord> line = {{0, 0}, {10, 0}};
             swf::defineAndPlaceShape(out, swf::twipsRectFromPixels(0, 0, 400, 300),
                                      {line, swf::EdgeMode::Polyline}, {std::nullopt, pen},
                                      {3, geom::Matrix2D{}, swf::Transience::Transient}, characters,
                                      displayList);
         },
         {// DefineShape3, 37 bytes: id 1, bounds, no fill, a 40-twip red line, 0x22, the edges
          0x25, 0x08, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFA, 0x00, 0x00, 0x00, 0xBB, 0x80, 0x01, 0x00,
          0x00, 0x00, 0x00, 0x00, 0x01, 0x28, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x22, 0x2E, 0x00, 0x00,
          0x00, 0x00, 0x0B, 0xF4, 0x03, 0x20, 0x00, 0x00, 0x00,
          // PlaceObject, 9 bytes: id 1 at depth 1, identity MATRIX
          0x09, 0x01, 0x01, 0x00, 0x01, 0x00, 0x20, 0x00, 0x00, 0x00, 0x00}},
    };
}

} // namespace testing_support
