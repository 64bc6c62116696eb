// Reading a MESHF object's mesh file: DirectX .x (text and binary), OBJ, STL, PLY,
// glTF 2.0 and whatever else the importer library recognises.
#pragma once

#include "mesh/mesh_limits.h"
#include "mesh/triangle_mesh.h"

#include <memory>
#include <string>

namespace mesh {

enum class MeshFileStatus {
    Loaded,
    CannotOpen,       // missing, unreadable or not a regular file
    CannotRead,       // damaged, empty or in a format the importer does not know
    TooLarge,         // more bytes than the limit
    TooManyTriangles, // more triangles or vertices than the limit
};

struct MeshFileResult {
    MeshFileStatus status = MeshFileStatus::CannotOpen;
    std::shared_ptr<const WireFrame> wireFrame; // set when Loaded
    std::string message; // when not Loaded: names the file and the reason, or the limit
};

// The bounds a load is held to; the program's are those of mesh_limits.h.
struct MeshFileLimits {
    std::uintmax_t bytes = maxMeshFileBytes;
    std::size_t triangles = maxMeshTriangles;
    std::size_t vertices = maxMeshVertices;
};

// Loads every triangle of every part the file places, each where its place in the file's
// hierarchy puts it, in the left-handed coordinates of the mesh scene: .x files keep their own
// coordinates, formats defined right-handed (OBJ, STL, PLY, glTF, ...) have z reversed so that
// they face the camera as in their own viewers. Never throws; a damaged file is CannotRead.
MeshFileResult loadMeshFile(const std::string& path, const MeshFileLimits& limits = {});

} // namespace mesh
