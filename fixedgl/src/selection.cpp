// Selection in software: each primitive, as the polygon mode draws it, is
// transformed and clipped against the view volume; a part inside is a hit,
// and the hit record keeps the least and greatest window depth, as GL's
// selection does.
#include "context.h"

#include <algorithm>

namespace fixedgl {

namespace {

constexpr std::size_t name_stack_limit = 64;

struct Clip {
    float v[4]; // x y z w
};

// Bit per side of the view volume the point lies beyond: -w <= x, y, z <= w.
unsigned outside(const Clip &p)
{
    const float *v = p.v;
    return (v[0] < -v[3]) | (v[0] > v[3]) << 1 | (v[1] < -v[3]) << 2 | (v[1] > v[3]) << 3 |
           (v[2] < -v[3]) << 4 | (v[2] > v[3]) << 5;
}

float distance(const Clip &p, int plane)
{
    const float *v = p.v;
    const float along = v[plane / 2];
    return plane & 1 ? v[3] - along : v[3] + along;
}

void note_depth(const Clip &p)
{
    Context &c = context();
    const float depth = p.v[2] * (1.0f / p.v[3]) * 0.5f + 0.5f;
    c.hit = true;
    c.hit_min = std::min(c.hit_min, depth);
    c.hit_max = std::max(c.hit_max, depth);
}

Clip between(const Clip &a, const Clip &b, float t)
{
    Clip r;
    for (int k = 0; k < 4; ++k)
        r.v[k] = a.v[k] + t * (b.v[k] - a.v[k]);
    return r;
}

// Sutherland-Hodgman against the six planes; what is left is inside.
void clip_polygon(std::vector<Clip> &polygon, unsigned planes)
{
    static std::vector<Clip> next;
    for (int plane = 0; plane < 6 && !polygon.empty(); ++plane) {
        if (!(planes & (1u << plane)))
            continue;
        next.clear();
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const Clip &a = polygon[i];
            const Clip &b = polygon[(i + 1) % polygon.size()];
            const float da = distance(a, plane), db = distance(b, plane);
            if (da >= 0.0f)
                next.push_back(a);
            if ((da >= 0.0f) != (db >= 0.0f))
                next.push_back(between(a, b, da / (da - db)));
        }
        polygon.swap(next);
    }
}

void clip_line(Clip a, Clip b, unsigned planes)
{
    for (int plane = 0; plane < 6; ++plane) {
        if (!(planes & (1u << plane)))
            continue;
        const float da = distance(a, plane), db = distance(b, plane);
        if (da < 0.0f && db < 0.0f)
            return;
        if (da < 0.0f)
            a = between(a, b, da / (da - db));
        else if (db < 0.0f)
            b = between(a, b, da / (da - db));
    }
    note_depth(a);
    note_depth(b);
}

void select_element(const Clip *v, const unsigned *codes, const unsigned *index, int corners)
{
    unsigned all = 0x3F, any = 0;
    for (int k = 0; k < corners; ++k) {
        all &= codes[index[k]];
        any |= codes[index[k]];
    }
    if (all != 0)
        return; // wholly beyond one side
    if (any == 0) {
        for (int k = 0; k < corners; ++k)
            note_depth(v[index[k]]);
        return;
    }
    if (corners == 2)
        return clip_line(v[index[0]], v[index[1]], any);
    static std::vector<Clip> polygon;
    polygon.assign({v[index[0]], v[index[1]], v[index[2]]});
    clip_polygon(polygon, any);
    for (const Clip &p : polygon)
        note_depth(p);
}

int mode_slot(GLenum polygon_mode) { return polygon_mode == GL_FILL ? 0 : polygon_mode == GL_LINE ? 1 : 2; }

} // namespace

void select_mesh(const Mesh &mesh)
{
    const Context &c = context();
    const Mat4 mvp = multiply(c.projection.back(), c.modelview.back());

    // The bounding box first: most of the scene lies off a pick's narrow volume.
    unsigned box = 0x3F;
    for (int corner = 0; corner < 8 && box != 0; ++corner) {
        const float p[4] = {corner & 1 ? mesh.high[0] : mesh.low[0], corner & 2 ? mesh.high[1] : mesh.low[1],
                            corner & 4 ? mesh.high[2] : mesh.low[2], 1.0f};
        Clip q;
        transform(mvp, p, q.v);
        box &= outside(q);
    }
    if (box != 0)
        return;

    static std::vector<Clip> vertices;
    static std::vector<unsigned> codes;
    const std::size_t count = mesh.vertex_count();
    vertices.resize(count);
    codes.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const float p[4] = {mesh.positions[i * 3], mesh.positions[i * 3 + 1], mesh.positions[i * 3 + 2], 1.0f};
        transform(mvp, p, vertices[i].v);
        codes[i] = outside(vertices[i]);
    }

    std::shared_ptr<const Assembly> assembly = mesh.assemblies[mode_slot(c.polygon_mode)];
    if (!assembly) {
        assembly = std::make_shared<const Assembly>(assemble(mesh, c.polygon_mode));
        if (mesh.kept)
            const_cast<Mesh &>(mesh).assemblies[mode_slot(c.polygon_mode)] = assembly;
    }
    const int corners = assembly->mode == GL_TRIANGLES ? 3 : assembly->mode == GL_LINES ? 2 : 1;
    const std::vector<unsigned> &indices = assembly->indices;
    for (std::size_t k = 0; k + corners <= indices.size(); k += corners)
        select_element(vertices.data(), codes.data(), &indices[k], corners);
}

void write_hit_record()
{
    Context &c = context();
    if (!c.hit)
        return;
    // Depths from 0 .. 1 to 0 .. 2^32 - 1, scaled in single precision.
    const auto scaled = [](float depth) {
        const float v = 4294967295.0f * depth;
        return v >= 4294967295.0f ? 4294967295u : static_cast<GLuint>(v);
    };
    const auto write = [&c](GLuint word) {
        if (c.select_count < c.select_size)
            c.select_buffer[c.select_count] = word;
        ++c.select_count; // past the end it only counts, for the overflow
    };
    write(static_cast<GLuint>(c.names.size()));
    write(scaled(c.hit_min));
    write(scaled(c.hit_max));
    for (const GLuint name : c.names)
        write(name);
    ++c.hits;
    c.hit = false;
    c.hit_min = 1.0f;
    c.hit_max = 0.0f;
}

} // namespace fixedgl

using namespace fixedgl;

extern "C" {

void fixedgl_SelectBuffer(GLsizei size, GLuint *buffer)
{
    Context &c = context();
    if (size < 0)
        return set_error(GL_INVALID_VALUE);
    if (c.render_mode == GL_SELECT)
        return set_error(GL_INVALID_OPERATION);
    c.select_buffer = buffer;
    c.select_size = size;
    c.select_count = 0;
}

GLint fixedgl_RenderMode(GLenum mode)
{
    Context &c = context();
    if (c.inside_begin) {
        set_error(GL_INVALID_OPERATION);
        return 0;
    }
    if (mode != GL_RENDER && mode != GL_SELECT) {
        set_error(GL_INVALID_ENUM);
        return 0;
    }
    GLint result = 0;
    if (c.render_mode == GL_SELECT) {
        write_hit_record();
        result = c.select_count > c.select_size ? -1 : c.hits;
        c.select_count = 0;
        c.hits = 0;
        c.names.clear();
        c.hit = false;
        c.hit_min = 1.0f;
        c.hit_max = 0.0f;
    }
    if (mode == GL_SELECT && c.select_size == 0)
        set_error(GL_INVALID_OPERATION);
    c.render_mode = mode;
    return result;
}

void fixedgl_InitNames(void)
{
    if (record([] { fixedgl_InitNames(); }))
        return;
    Context &c = context();
    if (c.render_mode != GL_SELECT)
        return;
    write_hit_record();
    c.names.clear();
}

void fixedgl_PushName(GLuint name)
{
    if (record([=] { fixedgl_PushName(name); }))
        return;
    Context &c = context();
    if (c.render_mode != GL_SELECT)
        return;
    if (c.names.size() >= name_stack_limit)
        return set_error(GL_STACK_OVERFLOW);
    write_hit_record();
    c.names.push_back(name);
}

void fixedgl_PopName(void)
{
    if (record([] { fixedgl_PopName(); }))
        return;
    Context &c = context();
    if (c.render_mode != GL_SELECT)
        return;
    if (c.names.empty())
        return set_error(GL_STACK_UNDERFLOW);
    write_hit_record();
    c.names.pop_back();
}

void fixedgl_LoadName(GLuint name)
{
    if (record([=] { fixedgl_LoadName(name); }))
        return;
    Context &c = context();
    if (c.render_mode != GL_SELECT)
        return;
    if (c.names.empty())
        return set_error(GL_INVALID_OPERATION);
    write_hit_record();
    c.names.back() = name;
}

} // extern "C"
