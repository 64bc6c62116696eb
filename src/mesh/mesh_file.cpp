// Reading mesh files through the importer library, within the mesh limits.
#include "mesh/mesh_file.h"

#include <assimp/Importer.hpp>
#include <assimp/config.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace mesh {
namespace {

MeshFileResult failure(MeshFileStatus status, std::string message)
{
    return {status, nullptr, std::move(message)};
}

// The failure that keeps the file from being read: missing, not a file, or too large.
std::optional<MeshFileResult> checkFile(const std::string& path, std::uintmax_t maxBytes)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::is_regular_file(status))
        return failure(MeshFileStatus::CannotOpen,
                       "MESHF: cannot open " + path + ": " +
                           (error ? error.message() : std::string("not a file")));
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        return failure(MeshFileStatus::CannotOpen,
                       "MESHF: cannot open " + path + ": " + error.message());
    if (size > maxBytes)
        return failure(MeshFileStatus::TooLarge, "MESHF: " + path + " has " +
                                                     std::to_string(size) +
                                                     " bytes, more than the limit of " +
                                                     std::to_string(maxBytes) + " bytes");
    return std::nullopt;
}

// Every placement of a mesh in the node tree, with the transform that puts it there.
using Placements = std::vector<std::pair<const aiMesh*, aiMatrix4x4>>;

Placements placementsOf(const aiScene& scene)
{
    Placements placements;
    std::vector<std::pair<const aiNode*, aiMatrix4x4>> pending{
        {scene.mRootNode, scene.mRootNode->mTransformation}};
    while (!pending.empty()) {
        const auto [node, transform] = pending.back();
        pending.pop_back();
        for (unsigned i = 0; i < node->mNumMeshes; ++i)
            if (node->mMeshes[i] < scene.mNumMeshes)
                placements.emplace_back(scene.mMeshes[node->mMeshes[i]], transform);
        for (unsigned i = 0; i < node->mNumChildren; ++i)
            pending.emplace_back(node->mChildren[i],
                                 transform * node->mChildren[i]->mTransformation);
    }
    return placements;
}

std::uint64_t triangleCount(const aiMesh& part)
{
    std::uint64_t count = 0;
    for (unsigned f = 0; f < part.mNumFaces; ++f)
        if (part.mFaces[f].mNumIndices == 3) ++count;
    return count;
}

// The limit the placements pass, counted before anything is built so that a small file placing
// a large part many times cannot exhaust memory.
std::optional<std::string> limitPassed(const Placements& placements,
                                       const MeshFileLimits& limits)
{
    std::uint64_t triangles = 0, vertices = 0;
    for (const auto& [part, transform] : placements) {
        triangles += triangleCount(*part);
        vertices += part->mNumVertices;
    }
    if (triangles > limits.triangles)
        return std::to_string(triangles) + " triangles, more than the limit of " +
               std::to_string(limits.triangles);
    if (vertices > limits.vertices)
        return std::to_string(vertices) + " vertices, more than the limit of " +
               std::to_string(limits.vertices);
    return std::nullopt;
}

void addPlacement(TriangleMesh& mesh, const aiMesh& part, const aiMatrix4x4& transform)
{
    const auto first = static_cast<std::uint32_t>(mesh.vertices.size());
    for (unsigned v = 0; v < part.mNumVertices; ++v) {
        const aiVector3D p = transform * part.mVertices[v];
        mesh.vertices.push_back({p.x, p.y, p.z});
    }
    for (unsigned f = 0; f < part.mNumFaces; ++f) {
        const aiFace& face = part.mFaces[f];
        if (face.mNumIndices != 3) continue; // points and lines have no triangle edges
        if (face.mIndices[0] >= part.mNumVertices || face.mIndices[1] >= part.mNumVertices ||
            face.mIndices[2] >= part.mNumVertices)
            continue;
        mesh.triangles.push_back(
            {first + face.mIndices[0], first + face.mIndices[1], first + face.mIndices[2]});
    }
}

MeshFileResult importFile(const std::string& path, const MeshFileLimits& limits)
{
    Assimp::Importer importer;
    importer.SetPropertyBool(AI_CONFIG_IMPORT_NO_SKELETON_MESHES, true);
    // Triangulated, checked for consistency, and turned into left-handed coordinates: the .x
    // reader delivers right-handed data like every other reader, so this gives .x files back
    // their own coordinates.
    const aiScene* scene = importer.ReadFile(
        path, aiProcess_Triangulate | aiProcess_ValidateDataStructure | aiProcess_MakeLeftHanded);
    if (!scene || !scene->mRootNode || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0) {
        const std::string reason = importer.GetErrorString();
        return failure(MeshFileStatus::CannotRead,
                       "MESHF: cannot read " + path + ": " +
                           (reason.empty() ? std::string("no mesh in it") : reason));
    }
    const Placements placements = placementsOf(*scene);
    if (std::optional<std::string> limit = limitPassed(placements, limits))
        return failure(MeshFileStatus::TooManyTriangles, "MESHF: " + path + " has " + *limit);
    TriangleMesh mesh;
    for (const auto& [part, transform] : placements) addPlacement(mesh, *part, transform);
    if (mesh.triangles.empty())
        return failure(MeshFileStatus::CannotRead,
                       "MESHF: cannot read " + path + ": it holds no triangles");
    return {MeshFileStatus::Loaded, std::make_shared<const WireFrame>(wireFrameOf(mesh)), {}};
}

} // namespace

MeshFileResult loadMeshFile(const std::string& path, const MeshFileLimits& limits)
{
    if (std::optional<MeshFileResult> refused = checkFile(path, limits.bytes))
        return std::move(*refused);
    try {
        return importFile(path, limits);
    } catch (const std::exception& error) { // out of memory inside the importer
        return failure(MeshFileStatus::CannotRead,
                       "MESHF: cannot read " + path + ": " + error.what());
    }
}

} // namespace mesh
