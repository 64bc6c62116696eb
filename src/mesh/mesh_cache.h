// Loaded mesh files kept between paints, so that turning a large mesh does not read it again.
#pragma once

#include "mesh/mesh_file.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mesh {

class MeshCache {
public:
    // The mesh in `path`: loaded when it is asked for the first time or when the file's size or
    // modification time changed since; otherwise what was loaded then, failures included (a
    // damaged file is not read again until it changes). A file that cannot be opened is not
    // kept. The reference holds until the next call.
    const MeshFileResult& meshFile(const std::string& path);

    // Files kept; the least recently asked for are dropped beyond maxCachedMeshTriangles or
    // maxCachedMeshFiles.
    std::size_t size() const { return m_entries.size(); }
    void clear() { m_entries.clear(); }

private:
    struct Entry {
        std::string path;
        std::uintmax_t fileSize = 0;
        std::filesystem::file_time_type modified;
        MeshFileResult result;
        std::uint64_t lastUse = 0;
    };

    void dropOldest();

    std::vector<Entry> m_entries;
    std::uint64_t m_uses = 0;
    MeshFileResult m_uncached; // the last result that was not kept
};

} // namespace mesh
