// The mesh files kept between paints, keyed by path, size and modification time.
#include "mesh/mesh_cache.h"

#include "mesh/mesh_limits.h"

#include <algorithm>
#include <system_error>

namespace mesh {
namespace {

std::size_t trianglesOf(const MeshFileResult& result)
{
    return result.wireFrame ? result.wireFrame->triangleCount : 0;
}

} // namespace

const MeshFileResult& MeshCache::meshFile(const std::string& path)
{
    std::error_code error;
    const std::uintmax_t fileSize = std::filesystem::file_size(path, error);
    const std::filesystem::file_time_type modified =
        error ? std::filesystem::file_time_type{} : std::filesystem::last_write_time(path, error);
    const auto entry = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&](const Entry& e) { return e.path == path; });
    if (error) { // gone or unreadable: whatever was kept for it is stale
        if (entry != m_entries.end()) m_entries.erase(entry);
        m_uncached = loadMeshFile(path);
        return m_uncached;
    }
    if (entry != m_entries.end() && entry->fileSize == fileSize && entry->modified == modified) {
        entry->lastUse = ++m_uses;
        return entry->result;
    }
    if (entry != m_entries.end()) m_entries.erase(entry);
    m_entries.push_back({path, fileSize, modified, loadMeshFile(path), ++m_uses});
    dropOldest();
    return m_entries.back().result;
}

void MeshCache::dropOldest()
{
    std::size_t total = 0;
    for (const Entry& e : m_entries)
        total += trianglesOf(e.result);
    while ((total > maxCachedMeshTriangles || m_entries.size() > maxCachedMeshFiles) &&
           m_entries.size() > 1) {
        // The newest entry is last and has the highest use count, so it is never the one dropped.
        const auto oldest =
            std::min_element(m_entries.begin(), m_entries.end(),
                             [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
        total -= trianglesOf(oldest->result);
        m_entries.erase(oldest);
    }
}

} // namespace mesh
