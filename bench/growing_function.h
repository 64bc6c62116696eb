// The movie benchmarks' workload: a FUNCTION of 100,000 samples spread with SPLITR over 1,000
// frames of 40 ms in an 800 x 600 figure. 99,998 / 1 + 2 = 100,000 samples, spread over frames 1
// to 1,000 (frame 1,001 keeps the last of them in the movie, whose timeline ends where the last
// frame starts).
#pragma once

#include <string>
#include <vector>

namespace benchmarks {

inline const std::vector<std::string> growingFunction = {
    "FIGURE 1 800 600",
    "FRAMES 1 1001 40 0",
    "AXIS at(1) pen(1) brush(solid,0) p4(-1000,100000,10000,1) p4(-1.2,1.2,0.5,2)",
    "FUNCTION at(1,0,1) n(\"sin(x/5000)\") p2(0,99998) p1(1) pen(1,0xFFFF0000) splitr(1,1000)",
};

} // namespace benchmarks
