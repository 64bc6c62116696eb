// Reading mesh files through the importer library, within the mesh limits. The library is large
// and takes milliseconds to load and relocate, so the program does not link it: the first mesh
// file loads it, and a run without meshes never does.
#include "mesh/mesh_file.h"

#include <assimp/cimport.h>
#include <assimp/config.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <dlfcn.h>

#include <filesystem>
#include <optional>
#include <system_error>
#include <type_traits>
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
        return failure(MeshFileStatus::TooLarge, "MESHF: " + path + " has " + std::to_string(size) +
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
std::optional<std::string> limitPassed(const Placements& placements, const MeshFileLimits& limits)
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

// The importer library's entry points, looked up in the loaded library.
struct Importer {
    decltype(&aiCreatePropertyStore) createPropertyStore = nullptr;
    decltype(&aiSetImportPropertyInteger) setPropertyInteger = nullptr;
    decltype(&aiImportFileExWithProperties) importFile = nullptr;
    decltype(&aiGetErrorString) errorString = nullptr;
    decltype(&aiReleaseImport) releaseImport = nullptr;
    decltype(&aiReleasePropertyStore) releasePropertyStore = nullptr;
};

// The library stays loaded once loaded: loading it again finds it and costs nothing.
std::optional<Importer> loadImporter(std::string& error)
{
    void* library = dlopen(KELVO_MESH_IMPORTER_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        error =
            std::string("the importer library " KELVO_MESH_IMPORTER_LIBRARY " cannot be loaded: ") +
            dlerror();
        return std::nullopt;
    }
    Importer importer;
    const auto find = [&](auto& entry, const char* name) {
        entry = reinterpret_cast<std::remove_reference_t<decltype(entry)>>(dlsym(library, name));
        if (!entry) error = std::string("the importer library lacks ") + name;
    };
    find(importer.createPropertyStore, "aiCreatePropertyStore");
    find(importer.setPropertyInteger, "aiSetImportPropertyInteger");
    find(importer.importFile, "aiImportFileExWithProperties");
    find(importer.errorString, "aiGetErrorString");
    find(importer.releaseImport, "aiReleaseImport");
    find(importer.releasePropertyStore, "aiReleasePropertyStore");
    if (!error.empty()) return std::nullopt;
    return importer;
}

// The scene the library read, released with it.
class ImportedScene {
public:
    ImportedScene(const Importer& importer, const std::string& path) : m_importer(importer)
    {
        aiPropertyStore* properties = importer.createPropertyStore();
        importer.setPropertyInteger(properties, AI_CONFIG_IMPORT_NO_SKELETON_MESHES, 1);
        // Triangulated, checked for consistency, and turned into left-handed coordinates: the
        // .x reader delivers right-handed data like every other reader, so this gives .x files
        // back their own coordinates.
        m_scene = importer.importFile(path.c_str(),
                                      aiProcess_Triangulate | aiProcess_ValidateDataStructure |
                                          aiProcess_MakeLeftHanded,
                                      nullptr, properties);
        importer.releasePropertyStore(properties);
    }
    ~ImportedScene()
    {
        if (m_scene) m_importer.releaseImport(m_scene);
    }
    ImportedScene(const ImportedScene&) = delete;
    ImportedScene& operator=(const ImportedScene&) = delete;

    const aiScene* scene() const { return m_scene; }

private:
    const Importer& m_importer;
    const aiScene* m_scene = nullptr;
};

MeshFileResult importFile(const std::string& path, const MeshFileLimits& limits)
{
    std::string libraryError;
    const std::optional<Importer> importer = loadImporter(libraryError);
    if (!importer)
        return failure(MeshFileStatus::CannotRead,
                       "MESHF: cannot read " + path + ": " + libraryError);
    const ImportedScene imported(*importer, path);
    const aiScene* scene = imported.scene();
    if (!scene || !scene->mRootNode || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0) {
        const std::string reason = importer->errorString();
        return failure(MeshFileStatus::CannotRead,
                       "MESHF: cannot read " + path + ": " +
                           (reason.empty() ? std::string("no mesh in it") : reason));
    }
    const Placements placements = placementsOf(*scene);
    if (std::optional<std::string> limit = limitPassed(placements, limits))
        return failure(MeshFileStatus::TooManyTriangles, "MESHF: " + path + " has " + *limit);
    TriangleMesh mesh;
    for (const auto& [part, transform] : placements)
        addPlacement(mesh, *part, transform);
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
