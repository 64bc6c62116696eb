// A PDF file assembled from numbered objects: values written as text, streams compressed with
// libdeflate, and the cross-reference table and trailer that locate every object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct libdeflate_compressor;

namespace render {

// Decimals of numbers in a page's content: a hundredth of a pixel.
inline constexpr int pdfPixelDecimals = 2;

// `value` in PDF's number syntax (no exponent) with at most `decimals` decimals (0 to 8) and no
// trailing zeros: "12.5", "250", "-0.07". Magnitudes beyond 1e12 are written as 1e12.
void appendPdfNumber(std::string& out, double value, int decimals);

// `text` (UTF-8) as a PDF text string: a literal string when it is plain ASCII, else UTF-16BE
// with a byte order mark, in hexadecimal.
void appendPdfTextString(std::string& out, std::string_view text);

// A name object ("/Name") from `text`: characters outside printable ASCII and PDF's delimiters
// are written as #XX escapes.
void appendPdfName(std::string& out, std::string_view text);

struct LibdeflateCompressorDeleter {
    void operator()(libdeflate_compressor* compressor) const;
};

class PdfDocument {
public:
    // A document of the given version ("1.4"); raiseVersion may raise it until finish.
    explicit PdfDocument(std::string_view version);

    // The next free object number; its object must be written before finish.
    int reserveObject();
    // Object `number` holding `value` (a dictionary "<< ... >>", an array, any PDF value).
    void writeObject(int number, std::string_view value);
    // A stream object: `entries` are its dictionary's entries besides /Length and /Filter;
    // `data` is compressed (FlateDecode).
    void writeStream(int number, std::string_view entries, std::span<const std::uint8_t> data);
    void writeStream(int number, std::string_view entries, std::string_view data);
    // Marks the file as needing a later version ("1.6") for a feature it holds.
    void raiseVersion(std::string_view version);
    // The whole file: the objects, the cross-reference table and the trailer naming `root`
    // (the catalog) and `info` (the document information dictionary).
    std::string finish(int root, int info);

private:
    void beginObject(int number);

    std::string m_out;
    std::vector<std::size_t> m_offsets; // by object number - 1; npos until written
    std::unique_ptr<libdeflate_compressor, LibdeflateCompressorDeleter> m_compressor;
    std::vector<std::uint8_t> m_compressed; // reused between streams
};

} // namespace render
