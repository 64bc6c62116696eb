// Fuzz target: the input's lines run one by one through executeCommand on one session with the
// batch host, then every figure is drawn, sampled, saved and reopened (fuzz_support.h).
//
// The target works in a scratch folder holding a few documents, so that the file command finds
// something to run: one that runs itself, two that run each other, and a plain figure. Paths on
// its command line are made absolute first, so that they still name the same files there.
#include "fuzz_support.h"

#include "lang/interpreter.h"

#include <fstream>

namespace {

void writeDocument(const fuzzing::ScratchFolder& folder, const char* name, const char* lines)
{
    std::ofstream(folder.file(name), std::ios::binary)
        << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" "
           "?>\r\n<root>\r\n\t<plot>\r\n"
        << lines << "\r\n\t</plot>\r\n</root>\r\n";
}

const fuzzing::ScratchFolder& workingFolder()
{
    static const fuzzing::ScratchFolder folder;
    return folder;
}

// Inputs, corpus folders and the path options of libFuzzer, made absolute in place.
void makePathArgumentsAbsolute(int argc, char** argv)
{
    static std::vector<std::string> absolute; // argv points into it until the process ends
    absolute.reserve(static_cast<std::size_t>(argc));
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        std::size_t pathStart = 0;
        for (const char* option : {"-artifact_prefix=", "-exact_artifact_path=", "-dict="})
            if (argument.starts_with(option)) pathStart = std::string_view(option).size();
        if (argument.empty() || (argument[0] == '-' && pathStart == 0)) continue;
        const std::string path = argument.substr(pathStart);
        if (path.empty()) continue;
        std::string made = argument.substr(0, pathStart) + std::filesystem::absolute(path).string();
        if (path.ends_with('/')) made += '/';
        absolute.push_back(std::move(made));
        argv[i] = absolute.back().data();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    makePathArgumentsAbsolute(*argc, *argv);
    const fuzzing::ScratchFolder& folder = workingFolder();
    writeDocument(folder, "self.vexxml", "FIGURE 0 200 100\r\nfile self.vexxml");
    writeDocument(folder, "a.vexxml", "FIGURE 0 200 100\r\nfile b.vexxml");
    writeDocument(folder, "b.vexxml", "FIGURE 0 300 100\r\nfile a.vexxml");
    writeDocument(folder, "sine.vexxml",
                  "FIGURE 0 500 500\r\nAXIS at(0,,,) pen(2) p4(-0.1,9,1,1) p4(-1.2,1.2,0.5,2)\r\n"
                  "FUNCTION at(0,0,1,) n(\"sin(4*pi*x)\") p2(-0.1,9) p1(0.005) pen(2)");
    std::filesystem::current_path(folder.path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzing::NullStreams streams;
    lang::BatchHost host(streams.output, streams.diagnostics);
    lang::Session session(host);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::string_view line : fuzzing::splitLines(text))
        lang::executeCommand(session, line);
    fuzzing::exerciseEveryFigure(session);
    return 0;
}
