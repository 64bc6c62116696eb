// Bounds of the mesh files a MESHF object may load and of the meshes kept between paints. Each is
// named in the message that refuses a file and listed in the README.
#pragma once

#include <cstddef>
#include <cstdint>

namespace mesh {

// Bytes of one mesh file.
inline constexpr std::uintmax_t maxMeshFileBytes = std::uintmax_t{256} * 1024 * 1024;
// Triangles of one loaded mesh, counting every placement of a part the file places more than once.
inline constexpr std::size_t maxMeshTriangles = 2'000'000;
// Vertices of one loaded mesh, counted the same way.
inline constexpr std::size_t maxMeshVertices = 4'000'000;
// Triangles of all the meshes kept between paints; beyond it the least recently drawn go first.
inline constexpr std::size_t maxCachedMeshTriangles = 4'000'000;
// Mesh files kept between paints, loaded or not.
inline constexpr std::size_t maxCachedMeshFiles = 64;

} // namespace mesh
