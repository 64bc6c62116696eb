// Writes the tests' sample movies into the folder given as the only argument: the seed corpus
// of the movie reader's fuzz target.
#include "swf/export/file_writer.h"

#include "swf_sample_movies.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: movie_seeds FOLDER\n");
        return 2;
    }
    int failures = 0;
    for (testing_support::SampleMovie& movie : testing_support::sampleMovies()) {
        const std::string path = std::string(argv[1]) + "/" + movie.name + ".swf";
        const io::WriteResult written = swf::writeSwfFile(path, movie.tags, movie.frames,
                                                          movie.frameRect, movie.framesPerSecond);
        if (written.written) continue;
        std::fprintf(stderr, "movie_seeds: %s\n", written.message.c_str());
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
