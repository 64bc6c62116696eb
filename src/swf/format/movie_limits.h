// Bounds of the movie writer and reader: what the file format can hold and what the program
// allows. Each is named in the message that refuses it and listed in the README.
#pragma once

#include <cstdint>

namespace swf {

// FrameRate keeps the whole frames per second in one byte.
inline constexpr std::uint32_t maxFrameRate = 255;
// FrameCount is a UI16.
inline constexpr std::uint64_t maxMovieFrames = 65535;
// Character ids (shapes, morph shapes, text fields) are UI16 values from 1.
inline constexpr std::uint32_t maxCharacterId = 65535;
// A movie file, and every buffer a movie is assembled in, stays below this size.
inline constexpr std::uint32_t maxMovieBytes = 64u * 1024u * 1024u;
// Shape points farther than this from the origin, in pixels, are drawn at this distance, so that
// every edge fits a bounded number of 16-bit pieces.
inline constexpr std::int32_t maxMovieCoordinatePixels = 50000;
// A text field's text and font family name are cut, on a character boundary, at these sizes in
// bytes of UTF-8; both then fit the 16-bit length of the action constant pool.
inline constexpr std::uint32_t maxTextFieldTextBytes = 60000;
inline constexpr std::uint32_t maxTextFieldFamilyBytes = 1000;
// The reader refuses shapes with more edge records than this: more than the largest movie the
// writer produces can hold.
inline constexpr std::uint32_t maxShapeRecordsRead = 16000000;
// The reader refuses movies with more tags than this (the largest movie the writer produces has
// fewer), and DoAction tags with more actions than this.
inline constexpr std::uint32_t maxTagsRead = 12000000;
inline constexpr std::uint32_t maxActionsRead = 100000;

} // namespace swf
