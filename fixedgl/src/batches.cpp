// The buffers of batches of draws (see batches.h): made from the meshes as
// GL's polygons become what ES draws, kept by the identities of the meshes.
#include "batches.h"

#include <cstddef>
#include <cstring>
#include <unordered_map>

namespace fixedgl {

namespace {

// Kept batches: a frame of the scene needs a handful; past these limits the
// least recently used go, so that memory stays bounded whatever is drawn.
constexpr std::size_t batch_limit = 64;
constexpr std::size_t batch_bytes_limit = 64u << 20;
// Geometry drawn anew each time (a vertex array) is known again by its
// content; the table keeps those meshes and forgets all when full, in count
// or in bytes (one mesh may be as large as its maker likes).
constexpr std::size_t content_limit = 4096;
constexpr std::size_t content_bytes_limit = 16u << 20;

struct Vertex {
    float position[3], light_position[3], normal[3], colour[4];
    std::int32_t draw;
};
static_assert(sizeof(Vertex) == 14 * 4, "the attribute pointers assume no padding");

struct Batch {
    std::vector<std::uint64_t> meshes; // identities, in draw order
    GLenum polygon_mode = GL_FILL;
    bool flat = false;
    BatchGeometry geometry;
    GLuint vertices = 0, indices = 0;
    std::size_t bytes = 0;
    std::uint64_t used = 0;
};

std::vector<Batch> batches;
std::size_t batch_bytes = 0;
std::uint64_t uses = 0;
std::uint64_t identities = 0;
std::unordered_multimap<std::uint64_t, MeshPtr> contents; // by content hash
std::size_t content_bytes = 0;

template <typename T> bool same(const std::vector<T> &a, const std::vector<T> &b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

bool same_content(const Mesh &a, const Mesh &b)
{
    return a.mode == b.mode && same(a.positions, b.positions) && same(a.normals, b.normals) &&
           same(a.colours, b.colours) && same(a.elements, b.elements) && same(a.runs, b.runs);
}

// FNV-1a over the bytes of the mesh's arrays.
template <typename T> void mix(std::uint64_t &hash, const std::vector<T> &values)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(values.data());
    for (std::size_t i = 0; i < values.size() * sizeof(T); ++i)
        hash = (hash ^ bytes[i]) * 0x100000001b3u;
    hash = (hash ^ values.size()) * 0x100000001b3u;
}

std::size_t content_bytes_of(const Mesh &m)
{
    return (m.positions.capacity() + m.normals.capacity() + m.colours.capacity()) * sizeof(float) +
           (m.elements.capacity() + m.runs.capacity()) * sizeof(unsigned);
}

std::uint64_t content_hash(const Mesh &m)
{
    std::uint64_t hash = 0xcbf29ce484222325u ^ m.mode;
    mix(hash, m.positions);
    mix(hash, m.normals);
    mix(hash, m.colours);
    mix(hash, m.elements);
    mix(hash, m.runs);
    return hash;
}

// A kept mesh is its own geometry; any other is the geometry of the first
// mesh seen with the same content.
std::uint64_t identity(const MeshPtr &mesh)
{
    if (mesh->identity != 0)
        return mesh->identity;
    if (!mesh->kept) {
        const std::uint64_t hash = content_hash(*mesh);
        const auto range = contents.equal_range(hash);
        for (auto i = range.first; i != range.second; ++i)
            if (same_content(*i->second, *mesh))
                return mesh->identity = i->second->identity;
        if (contents.size() >= content_limit || content_bytes > content_bytes_limit) {
            contents.clear();
            content_bytes = 0;
        }
        contents.emplace(hash, mesh);
        content_bytes += content_bytes_of(*mesh);
    }
    return mesh->identity = ++identities;
}

// A vertex at `at`, lit as `lit` (its polygon's provoking vertex when flat
// lines or points give each vertex its own copy), of the batch's draw `draw`.
Vertex vertex(const Mesh &m, unsigned at, unsigned lit, std::size_t draw)
{
    Vertex v{};
    std::memcpy(v.position, &m.positions[at * 3], sizeof v.position);
    std::memcpy(v.light_position, &m.positions[lit * 3], sizeof v.light_position);
    if (!m.normals.empty())
        std::memcpy(v.normal, &m.normals[lit * 3], sizeof v.normal);
    if (!m.colours.empty())
        std::memcpy(v.colour, &m.colours[lit * 4], sizeof v.colour);
    v.draw = static_cast<std::int32_t>(draw);
    return v;
}

void attribute(Attribute index, int size, std::size_t offset)
{
    glEnableVertexAttribArray(index);
    glVertexAttribPointer(index, size, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<const void *>(offset));
}

// Shared vertices with indices; or, for flat lines and points, each vertex
// on its own carrying its polygon's lighting.
void make(Batch &b, const std::vector<MeshPtr> &meshes)
{
    static std::vector<Vertex> vertices;
    static std::vector<GLuint> indices;
    vertices.clear();
    indices.clear();
    const bool indexed = !(b.flat && b.polygon_mode != GL_FILL);
    for (std::size_t k = 0; k < meshes.size(); ++k) {
        const Mesh &m = *meshes[k];
        const Assembly a = assemble(m, b.polygon_mode);
        if (indexed) {
            const auto base = static_cast<GLuint>(vertices.size());
            for (unsigned i = 0; i < m.vertex_count(); ++i)
                vertices.push_back(vertex(m, i, i, k));
            for (const unsigned i : a.indices)
                indices.push_back(base + i);
        } else {
            for (std::size_t i = 0; i < a.indices.size(); ++i)
                vertices.push_back(vertex(m, a.indices[i], a.provoking[i], k));
        }
    }
    BatchGeometry &g = b.geometry;
    g.mode = b.polygon_mode == GL_FILL ? GL_TRIANGLES : b.polygon_mode == GL_LINE ? GL_LINES : GL_POINTS;
    g.indexed = indexed;
    g.count = static_cast<GLsizei>(indexed ? indices.size() : vertices.size());
    b.bytes = vertices.size() * sizeof(Vertex) + indices.size() * sizeof(GLuint);

    glGenVertexArrays(1, &g.vertex_array);
    glBindVertexArray(g.vertex_array);
    glGenBuffers(1, &b.vertices);
    glBindBuffer(GL_ARRAY_BUFFER, b.vertices);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)), vertices.data(),
                 GL_STATIC_DRAW);
    if (indexed) {
        glGenBuffers(1, &b.indices);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, b.indices); // the vertex array object's own
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)),
                     indices.data(), GL_STATIC_DRAW);
    }
    attribute(a_position, 3, offsetof(Vertex, position));
    attribute(a_light_position, 3, offsetof(Vertex, light_position));
    attribute(a_normal, 3, offsetof(Vertex, normal));
    attribute(a_colour, 4, offsetof(Vertex, colour));
    glEnableVertexAttribArray(a_draw);
    glVertexAttribIPointer(a_draw, 1, GL_INT, sizeof(Vertex), reinterpret_cast<const void *>(offsetof(Vertex, draw)));
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void forget(std::size_t at)
{
    Batch &b = batches[at];
    glDeleteVertexArrays(1, &b.geometry.vertex_array);
    glDeleteBuffers(1, &b.vertices);
    if (b.indices != 0)
        glDeleteBuffers(1, &b.indices);
    batch_bytes -= b.bytes;
    batches.erase(batches.begin() + static_cast<std::ptrdiff_t>(at));
}

void make_room()
{
    while (!batches.empty() && (batches.size() >= batch_limit || batch_bytes > batch_bytes_limit)) {
        std::size_t oldest = 0;
        for (std::size_t i = 1; i < batches.size(); ++i)
            if (batches[i].used < batches[oldest].used)
                oldest = i;
        forget(oldest);
    }
}

} // namespace

const BatchGeometry &batch_geometry(const std::vector<MeshPtr> &meshes, GLenum polygon_mode, bool flat)
{
    static std::vector<std::uint64_t> key;
    key.clear();
    for (const MeshPtr &m : meshes)
        key.push_back(identity(m));
    for (Batch &b : batches)
        if (b.polygon_mode == polygon_mode && b.flat == flat && b.meshes == key) {
            b.used = ++uses;
            return b.geometry;
        }
    make_room();
    Batch b;
    b.meshes = key;
    b.polygon_mode = polygon_mode;
    b.flat = flat;
    b.used = ++uses;
    make(b, meshes);
    batch_bytes += b.bytes;
    batches.push_back(std::move(b));
    return batches.back().geometry;
}

void forget_batches()
{
    // The meshes' identities and the content table are the layer's own: they stay.
    batches.clear();
    batch_bytes = 0;
}

} // namespace fixedgl
