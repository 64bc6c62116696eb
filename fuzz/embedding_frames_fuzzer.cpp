// Fuzz target: the embedding frame reader on an arbitrary byte stream, as a socket delivers it.
// The first byte sets the size of the pieces the rest arrives in. Every frame read must encode
// back to exactly the bytes it came from, a failed reader must stay failed and keep nothing, and
// the reader never holds more than one frame's worth of unread bytes beyond what it was given.
#include "fuzz_support.h"

#include "lang/embedding_frames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const std::size_t piece = std::size_t{data[0]} % 64 + 1;
    const std::string_view stream(reinterpret_cast<const char*>(data) + 1, size - 1);
    lang::FrameReader reader;
    std::size_t consumed = 0;
    for (std::size_t at = 0; at < stream.size(); at += piece) {
        reader.append(stream.substr(at, piece));
        while (auto frame = reader.next()) {
            const std::string bytes = lang::encodeFrame(*frame);
            if (stream.substr(consumed, bytes.size()) != bytes)
                fuzzing::reportFinding("a frame does not encode back to the bytes it was read from");
            consumed += bytes.size();
        }
        if (reader.failed()) {
            if (reader.bufferedBytes() != 0 || reader.error().empty())
                fuzzing::reportFinding("a failed reader keeps bytes or gives no reason");
            reader.append(stream.substr(at));
            if (reader.next() || reader.bufferedBytes() != 0)
                fuzzing::reportFinding("a failed reader reads on");
            return 0;
        }
        if (consumed + reader.bufferedBytes() != std::min(stream.size(), at + piece))
            fuzzing::reportFinding("the reader lost or invented bytes");
    }
    return 0;
}
