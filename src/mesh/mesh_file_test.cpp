// Tests of reading mesh files and keeping them between paints, on hand-written files.
#include "mesh/mesh_cache.h"
#include "mesh/mesh_file.h"

#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace mesh {
namespace {

using testing_support::readFileBytes;
using testing_support::TemporaryFolder;
using testing_support::writeFileBytes;

const std::string meshData = std::string(KELVO_TEST_DATA_DIR) + "/meshes/";

struct Bounds {
    geom::Point3D low, high;
};

Bounds boundsOf(const WireFrame& wire)
{
    Bounds b{wire.points.at(0), wire.points.at(0)};
    for (const geom::Point3D& p : wire.points) {
        b.low = {std::min(b.low.x, p.x), std::min(b.low.y, p.y), std::min(b.low.z, p.z)};
        b.high = {std::max(b.high.x, p.x), std::max(b.high.y, p.y), std::max(b.high.z, p.z)};
    }
    return b;
}

TEST(MeshFile, ReadsTheSameBlockFromEachFormatInLeftHandedCoordinates)
{
    struct Case {
        std::string file;
        Bounds expected;
    };
    const Case cases[] = {
        // .x keeps its coordinates, and its frame moves the block 5 along x.
        {"block.x", {{5, 0, 0}, {6, 2, 3}}},
        {"block_binary.x", {{0, 0, 0}, {1, 2, 3}}},
        // Right-handed formats come with z reversed.
        {"block.obj", {{0, 0, -3}, {1, 2, 0}}},
        {"block.stl", {{0, 0, -3}, {1, 2, 0}}},
        {"block.ply", {{0, 0, -3}, {1, 2, 0}}},
        {"block.gltf", {{0, 0, -3}, {1, 2, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const MeshFileResult result = loadMeshFile(meshData + c.file);
        ASSERT_EQ(result.status, MeshFileStatus::Loaded) << result.message;
        EXPECT_EQ(result.wireFrame->triangleCount, 12u);
        EXPECT_EQ(result.wireFrame->points.size(), 8u);
        EXPECT_EQ(result.wireFrame->edges.size(), 18u);
        const Bounds b = boundsOf(*result.wireFrame);
        EXPECT_EQ(b.low, c.expected.low);
        EXPECT_EQ(b.high, c.expected.high);
    }
}

TEST(MeshFile, RefusesMissingDamagedAndOversizedFilesWithAMessage)
{
    TemporaryFolder folder;
    const std::string x = readFileBytes(meshData + "block.x");
    std::string scrambled = x;
    for (std::size_t i = 16; i < scrambled.size(); i += 7)
        scrambled[i] = '}';
    // A binary STL whose count promises 1000 triangles that are not there.
    const std::string shortStl = std::string(80, 'b') + std::string("\xE8\x03\0\0", 4) + "xyz";
    struct Case {
        std::string file, bytes;
        MeshFileStatus expected;
        std::string message;
    };
    const Case cases[] = {
        {"empty.x", "", MeshFileStatus::CannotRead, "cannot read"},
        {"header.x", "xof 0302txt 0032\n", MeshFileStatus::CannotRead, "cannot read"},
        {"half.x", x.substr(0, x.size() / 2), MeshFileStatus::CannotRead, "cannot read"},
        {"scrambled.x", scrambled, MeshFileStatus::CannotRead, "cannot read"},
        {"short.stl", shortStl, MeshFileStatus::CannotRead, "cannot read"},
        {"noise.obj", "\x01\x02garbage\xff\xfe", MeshFileStatus::CannotRead, "cannot read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        writeFileBytes(folder.file(c.file), c.bytes);
        const MeshFileResult result = loadMeshFile(folder.file(c.file));
        EXPECT_EQ(result.status, c.expected);
        EXPECT_EQ(result.wireFrame, nullptr);
        EXPECT_NE(result.message.find(c.message), std::string::npos) << result.message;
        EXPECT_NE(result.message.find(c.file), std::string::npos) << result.message;
    }

    // Cut or spoilt anywhere, a file loads what is left of it or fails; it never crashes.
    for (const std::string name : {"block.x", "block.obj", "block.stl"}) {
        const std::string bytes = readFileBytes(meshData + name);
        for (std::size_t cut = 1; cut < bytes.size(); cut += bytes.size() / 11) {
            std::string spoilt = bytes;
            spoilt[cut] = static_cast<char>(spoilt[cut] ^ 0x5A);
            for (const std::string& variant : {bytes.substr(0, cut), spoilt}) {
                writeFileBytes(folder.file(name), variant);
                const MeshFileResult result = loadMeshFile(folder.file(name));
                EXPECT_EQ(result.status == MeshFileStatus::Loaded, result.wireFrame != nullptr);
            }
        }
    }

    const MeshFileResult missing = loadMeshFile(folder.file("missing.x"));
    EXPECT_EQ(missing.status, MeshFileStatus::CannotOpen);
    EXPECT_EQ(missing.message,
              "MESHF: cannot open " + folder.file("missing.x") + ": No such file or directory");
    EXPECT_EQ(loadMeshFile(folder.path()).status, MeshFileStatus::CannotOpen);

    const std::string obj = meshData + "block.obj";
    const auto objBytes = std::to_string(std::filesystem::file_size(obj));
    const MeshFileResult large = loadMeshFile(obj, {100, 1000, 1000});
    EXPECT_EQ(large.status, MeshFileStatus::TooLarge);
    EXPECT_EQ(large.message,
              "MESHF: " + obj + " has " + objBytes + " bytes, more than the limit of 100 bytes");
    const MeshFileResult many = loadMeshFile(obj, {100000, 11, 1000});
    EXPECT_EQ(many.status, MeshFileStatus::TooManyTriangles);
    EXPECT_EQ(many.message, "MESHF: " + obj + " has 12 triangles, more than the limit of 11");
}

TEST(MeshCache, LoadsAFileAgainOnlyWhenItChanges)
{
    TemporaryFolder folder;
    const std::string path = folder.file("shape.obj");
    writeFileBytes(path, readFileBytes(meshData + "block.obj"));
    MeshCache cache;
    const std::shared_ptr<const WireFrame> first = cache.meshFile(path).wireFrame;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(cache.meshFile(path).wireFrame, first); // unchanged: the same mesh, not read again

    writeFileBytes(path, "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    const MeshFileResult& changed = cache.meshFile(path);
    ASSERT_EQ(changed.status, MeshFileStatus::Loaded);
    EXPECT_EQ(changed.wireFrame->triangleCount, 1u);
    EXPECT_EQ(cache.size(), 1u);

    std::filesystem::remove(path);
    EXPECT_EQ(cache.meshFile(path).status, MeshFileStatus::CannotOpen);
    EXPECT_EQ(cache.size(), 0u);
}

} // namespace
} // namespace mesh
