// Bounds the program sets where a value would otherwise allocate without end or freeze it.
// Every limit here is named in the message that refuses it and listed in the README.
#pragma once

#include <cstddef>
#include <cstdint>

namespace model {

// Frames one figure may hold (FRAME, FRAMES, the recorder, movie export).
inline constexpr std::uint32_t maxFramesPerFigure = 100000;
// Width and height of a figure's client area, in pixels.
inline constexpr std::int32_t maxFigureSide = 10000;

// Bytes of one command line read from a batch input (a file or standard input): as much as a
// document may hold.
inline constexpr std::size_t maxCommandLineBytes = 64 * 1024 * 1024;

// Documents run by the file command inside one another (a document cannot run itself at all).
inline constexpr std::size_t maxDocumentNesting = 16;
// Bytes of one XML document read from a file or from memory (vexxml documents, the options file).
inline constexpr std::size_t maxXmlDocumentBytes = 64 * 1024 * 1024;
// Nodes of one XML document: elements, attributes, text segments, comments and CDATA sections
// (a little over a million, at most about 200 MB of tree).
inline constexpr std::size_t maxXmlNodes = 1048576;

// Indentation of written XML grows one tab per level up to this depth and then stays, so that
// the text of a deeply nested tree grows linearly with its size.
inline constexpr std::size_t maxXmlIndentDepth = 32;
// The sampling limits keep the first drawing of one function object at its limits to about a
// tenth of a second (a repaint after it copies cached values): 100 samples per pixel of the widest
// figure, a 1000 x 1000 grid.
// Samples of one FUNCTION or FUNCTION3A object.
inline constexpr std::int64_t maxFunctionSamples = 1'000'000;
// Grid points of one FUNCTION3D object.
inline constexpr std::int64_t maxSurfacePoints = 1'000'000;
// Samples of a spectrum whose count is not a power of two: its direct sums grow with the square.
inline constexpr std::int64_t maxDirectSpectrumSamples = 4096;
// Operand evaluations of one function object per drawing: samples times operands, an operand
// whose value is written into its text counting expr::textOperandCost.
inline constexpr std::int64_t maxOperandEvaluations = 5'000'000;
// Samples and results the function-result cache holds before it drops its oldest entries
// (256 MiB of floats).
inline constexpr std::size_t maxCachedFunctionValues = std::size_t{64} * 1024 * 1024;

} // namespace model
