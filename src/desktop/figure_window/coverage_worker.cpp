// The coverage worker: one computation at a time, the newest requests waiting.
#include "desktop/figure_window/coverage_worker.h"

#include <QMetaObject>

#include <sys/resource.h>
#include <unistd.h>

namespace desktop {
namespace {

// The computation runs below the window's own thread, so that steps that follow one another
// keep their pace; the threads it starts inherit this.
void runInBackground()
{
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
}

} // namespace

CoverageWorker::CoverageWorker(std::function<void(std::vector<render::KeptCoverage>)> done)
    : m_done(std::move(done))
{
}

CoverageWorker::~CoverageWorker()
{
    // A result posted before the join is dropped with this object's pending events.
    if (m_thread.joinable()) m_thread.join();
}

void CoverageWorker::request(std::vector<render::CoverageRequest> requests)
{
    ++m_generation;
    if (m_busy)
        m_waiting = std::move(requests);
    else
        start(std::move(requests));
}

void CoverageWorker::start(std::vector<render::CoverageRequest> requests)
{
    if (m_thread.joinable()) m_thread.join();
    m_busy = true;
    m_thread =
        std::thread([this, generation = m_generation, requests = std::move(requests)]() mutable {
            runInBackground();
            std::vector<render::KeptCoverage> results;
            for (render::CoverageRequest& request : requests)
                results.push_back(render::computeCoverage(std::move(request)));
            QMetaObject::invokeMethod(
                this,
                [this, generation, results = std::move(results)]() mutable {
                    finished(generation, std::move(results));
                },
                Qt::QueuedConnection);
        });
}

void CoverageWorker::finished(std::uint64_t generation, std::vector<render::KeptCoverage> results)
{
    m_busy = false;
    if (m_waiting) {
        std::vector<render::CoverageRequest> waiting = std::move(*m_waiting);
        m_waiting.reset();
        start(std::move(waiting));
        return;
    }
    if (generation == m_generation) m_done(std::move(results));
}

} // namespace desktop
