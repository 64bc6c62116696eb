// Exact coverage of the lines a window drew with fewer points, computed on a thread of its own
// while the window goes on: once it is done, the window is drawn again from it with every
// point, without a pause of its own.
#pragma once

#include "render/coverage_cache.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

namespace desktop {

class CoverageWorker : public QObject {
public:
    // `done` receives, on the thread that made the worker, the coverage of the last requests.
    explicit CoverageWorker(std::function<void(std::vector<render::KeptCoverage>)> done);
    ~CoverageWorker() override; // waits for a computation going on

    // Computes the coverage of `requests`, which replace any not yet started. Requests
    // overtaken by newer ones before they are done are never delivered.
    void request(std::vector<render::CoverageRequest> requests);
    bool busy() const { return m_busy; }

private:
    void start(std::vector<render::CoverageRequest> requests);
    void finished(std::uint64_t generation, std::vector<render::KeptCoverage> results);

    std::function<void(std::vector<render::KeptCoverage>)> m_done;
    std::thread m_thread;
    bool m_busy = false;
    std::optional<std::vector<render::CoverageRequest>> m_waiting;
    std::uint64_t m_generation = 0; // of the newest requests
};

} // namespace desktop
