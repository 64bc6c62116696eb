// Fuzz target: the input as a vexxml document loaded from memory and run, without and with a
// default figure id, then every figure drawn, sampled, saved and reopened (fuzz_support.h). The
// document's text as written must read back to the same text. An input that starts with the
// UTF-16 little-endian byte order mark is loaded as UTF-16 as well.
#include "fuzz_support.h"

#include <cstring>

namespace {

// The text written from a document is read back to itself: what the writer makes, the parser
// reads without loss.
void checkWrittenTextReadsBack(xml::XmlDocument& document)
{
    if (document.status() != xml::LoadStatus::Loaded) return;
    const std::string written = document.text();
    xml::XmlDocument reread;
    reread.openText(written);
    if (reread.status() != xml::LoadStatus::Loaded)
        fuzzing::reportFinding("a written document does not load again: " + reread.message());
    if (reread.text() != written)
        fuzzing::reportFinding("a written document reads back to another text");
}

void loadUtf16(std::string_view bytes)
{
    if (bytes.size() < 2 || bytes[0] != '\xFF' || bytes[1] != '\xFE') return;
    std::u16string text((bytes.size() - 2) / 2, u'\0');
    std::memcpy(text.data(), bytes.data() + 2, text.size() * 2);
    xml::XmlDocument document;
    document.openText(std::u16string_view(text));
    checkWrittenTextReadsBack(document);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    xml::XmlDocument document;
    document.openText(bytes);

    fuzzing::NullStreams streams;
    lang::BatchHost host(streams.output, streams.diagnostics);
    lang::Session session(host);
    lang::runDocument(session, document);
    lang::runDocument(session, document, 0);
    lang::runDocument(session, document, 1);
    fuzzing::exerciseEveryFigure(session);

    checkWrittenTextReadsBack(document);
    loadUtf16(bytes);
    return 0;
}
