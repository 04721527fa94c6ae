// Selection in software, the way Mesa's pipeline does it: each triangle is
// clipped against the view volume; what is left of it, as the polygon mode
// draws it (its area, its edges or its corners), is a hit, and the hit
// record keeps the least and greatest window depth.
#include "context.h"

#include <algorithm>

namespace fixedgl {

namespace {

constexpr std::size_t name_stack_limit = 64;

// A corner in clip coordinates, and whether the polygon's edge from it to
// the next corner is drawn: `edge` says the edge belongs to the polygon,
// `own` that the corner does (a corner made where the edge leaves the view
// volume starts an edge along the volume's side, which is not drawn).
struct Corner {
    float v[4];
    bool edge;
    bool own;
    bool drawn() const { return edge && own; }
};

// The sides of the view volume -w <= x, y, z <= w in Mesa's order (right,
// left, top, bottom, near, far): the order sets how a corner cut by two
// sides is worked out.
float distance(const float *v, int plane)
{
    const float along = v[plane / 2];
    return plane == 4 || plane % 2 == 1 ? along + v[3] : -along + v[3];
}

float distance(const Corner &p, int plane) { return distance(p.v, plane); }

// Bit per side the point lies beyond.
unsigned outside(const float *v)
{
    unsigned code = 0;
    for (int plane = 0; plane < 6; ++plane)
        code |= static_cast<unsigned>(!(distance(v, plane) >= 0.0f)) << plane;
    return code;
}

void note_depth(const Corner &p)
{
    Context &c = context();
    const float depth = p.v[2] * (1.0f / p.v[3]) * 0.5f + 0.5f;
    c.hit = true;
    c.hit_min = std::min(c.hit_min, depth);
    c.hit_max = std::max(c.hit_max, depth);
}

// A point on the segment from `out` towards `in`, as far as t.
Corner between(const Corner &out, const Corner &in, float t)
{
    Corner r{};
    for (int k = 0; k < 4; ++k)
        r.v[k] = out.v[k] + t * (in.v[k] - out.v[k]);
    return r;
}

// Sutherland-Hodgman against the sides a corner lies beyond, in their
// order. A new corner is interpolated from the end nearer the side, so that
// an edge shared by two triangles gives the same point whichever way round
// each meets it.
void clip_polygon(std::vector<Corner> &polygon, unsigned planes)
{
    static std::vector<Corner> next;
    for (int plane = 0; plane < 6 && polygon.size() >= 3; ++plane) {
        if (!(planes & (1u << plane)))
            continue;
        next.clear();
        const std::size_t n = polygon.size();
        float d_prev = distance(polygon[0], plane);
        for (std::size_t i = 1; i <= n; ++i) {
            const Corner &prev = polygon[i - 1];
            const Corner &current = polygon[i % n];
            const float d = distance(current, plane);
            bool crosses;
            if (d_prev >= 0.0f) {
                next.push_back(prev);
                crosses = d < 0.0f;
            } else {
                crosses = !(d < 0.0f);
            }
            if (crosses) {
                const float denominator = d - d_prev;
                Corner corner;
                if (d < 0.0f) { // leaving
                    corner = -d < d_prev ? between(current, prev, d / denominator)
                                         : between(prev, current, -d_prev / denominator);
                    corner.own = false;
                } else { // coming back
                    corner = -d_prev < d ? between(prev, current, -d_prev / denominator)
                                         : between(current, prev, d / denominator);
                    corner.own = prev.own;
                }
                corner.edge = prev.edge;
                next.push_back(corner);
            }
            d_prev = d;
        }
        polygon.swap(next);
    }
}

void select_triangle(const std::vector<Corner> &vertices, const std::vector<unsigned> &codes, const Triangle &t,
                     GLenum polygon_mode)
{
    unsigned all = 0x3F, any = 0;
    for (const unsigned i : t.v) {
        all &= codes[i];
        any |= codes[i];
    }
    if (all != 0)
        return; // wholly beyond one side
    static std::vector<Corner> polygon;
    polygon.clear();
    for (int k = 0; k < 3; ++k) {
        polygon.push_back(vertices[t.v[k]]);
        polygon.back().edge = (t.edges >> k) & 1;
    }
    if (any != 0)
        clip_polygon(polygon, any);
    if (polygon.size() < 3)
        return;
    const std::size_t n = polygon.size();
    for (std::size_t k = 0; k < n; ++k) {
        if (polygon_mode == GL_FILL) {
            note_depth(polygon[k]);
        } else if (polygon[k].drawn()) {
            note_depth(polygon[k]);
            if (polygon_mode == GL_LINE)
                note_depth(polygon[(k + 1) % n]);
        }
    }
}

// The name stack changes only while selecting, and a change first closes
// the hit record of the names before it. False when nothing is to change:
// not selecting, or refused with `error`.
bool change_names(bool refused, GLenum error)
{
    if (context().render_mode != GL_SELECT)
        return false;
    if (refused) {
        set_error(error);
        return false;
    }
    write_hit_record();
    return true;
}

} // namespace

void select_mesh(Mesh &mesh)
{
    const Context &c = context();
    const Mat4 mvp = multiply(c.projection.back(), c.modelview.back());

    // The bounding box first: most of the scene lies off a pick's narrow volume.
    unsigned box = 0x3F;
    for (int corner = 0; corner < 8 && box != 0; ++corner) {
        const float p[4] = {corner & 1 ? mesh.high[0] : mesh.low[0], corner & 2 ? mesh.high[1] : mesh.low[1],
                            corner & 4 ? mesh.high[2] : mesh.low[2], 1.0f};
        float q[4];
        transform(mvp, p, q);
        box &= outside(q);
    }
    if (box != 0)
        return;

    static std::vector<Corner> vertices;
    static std::vector<unsigned> codes;
    const std::size_t count = mesh.vertex_count();
    vertices.resize(count);
    codes.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const float p[4] = {mesh.positions[i * 3], mesh.positions[i * 3 + 1], mesh.positions[i * 3 + 2], 1.0f};
        transform(mvp, p, vertices[i].v);
        vertices[i].own = true;
        codes[i] = outside(vertices[i].v);
    }

    static std::vector<Triangle> made_now;
    std::vector<Triangle> &list = mesh.kept ? mesh.pick_triangles : made_now;
    if (!mesh.kept || list.empty()) {
        list.clear();
        triangles(mesh, true, list);
    }
    for (const Triangle &t : list)
        select_triangle(vertices, codes, t, c.polygon_mode);
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
    if (change_names(false, GL_NO_ERROR))
        context().names.clear();
}

void fixedgl_PushName(GLuint name)
{
    if (record([=] { fixedgl_PushName(name); }))
        return;
    if (change_names(context().names.size() >= name_stack_limit, GL_STACK_OVERFLOW))
        context().names.push_back(name);
}

void fixedgl_PopName(void)
{
    if (record([] { fixedgl_PopName(); }))
        return;
    if (change_names(context().names.empty(), GL_STACK_UNDERFLOW))
        context().names.pop_back();
}

void fixedgl_LoadName(GLuint name)
{
    if (record([=] { fixedgl_LoadName(name); }))
        return;
    if (change_names(context().names.empty(), GL_INVALID_OPERATION))
        context().names.back() = name;
}

} // extern "C"
