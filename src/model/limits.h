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
// Samples of one FUNCTION or FUNCTION3A object.
inline constexpr std::int64_t maxFunctionSamples = 10'000'000;
// Grid points of one FUNCTION3D object.
inline constexpr std::int64_t maxSurfacePoints = 4'000'000;
// Operand evaluations of one function object per drawing: samples times operands, an operand
// whose value is written into its text counting expr::textOperandCost.
inline constexpr std::int64_t maxOperandEvaluations = 1'000'000'000;
// Tick dots along one axis of an AXIS object; an axis with more draws its line without dots or
// numbers.
inline constexpr std::int64_t maxAxisTicks = 100'000;
// Decimals of the numbers at an axis's ticks; a numbering that asks for more writes this many.
inline constexpr std::int64_t maxAxisNumberDecimals = 150;
// Samples and results the function-result cache holds before it drops its oldest entries
// (256 MiB of floats).
inline constexpr std::size_t maxCachedFunctionValues = std::size_t{64} * 1024 * 1024;

} // namespace model
