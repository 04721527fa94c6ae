// glBegin/glEnd, the vertex array, display lists, and how polygons become
// what ES draws (triangles, or their edges or corners in polygon mode).
#include "context.h"

#include <algorithm>

namespace fixedgl {

namespace {

constexpr int list_nesting_limit = 64;

constexpr unsigned all_edges = 7;

Mesh &building() { return *context().building; }

void draw_array_range(GLenum mode, GLint first, GLsizei count);

} // namespace

void triangles(const Mesh &mesh, bool pipeline_order, std::vector<Triangle> &out)
{
    std::size_t at = 0;
    for (const unsigned count : mesh.runs) {
        const unsigned *e = mesh.elements.data() + at;
        at += count;
        switch (mesh.mode) {
        case GL_TRIANGLES:
            for (unsigned i = 0; i + 2 < count; i += 3)
                out.push_back({{e[i], e[i + 1], e[i + 2]}, all_edges});
            break;
        case GL_TRIANGLE_STRIP:
            for (unsigned i = 0; i + 2 < count; ++i) {
                if (i & 1)
                    out.push_back({{e[i + 1], e[i], e[i + 2]}, all_edges});
                else
                    out.push_back({{e[i], e[i + 1], e[i + 2]}, all_edges});
            }
            break;
        case GL_QUADS:
            for (unsigned i = 0; i + 3 < count; i += 4) {
                out.push_back({{e[i], e[i + 1], e[i + 3]}, 1 | 4});
                out.push_back({{e[i + 1], e[i + 2], e[i + 3]}, 1 | 2});
            }
            break;
        case GL_QUAD_STRIP:
            for (unsigned i = 0; i + 3 < count; i += 2) {
                const unsigned a = e[i], b = e[i + 1], c = e[i + 2], d = e[i + 3];
                if (pipeline_order) {
                    out.push_back({{c, a, d}, 1 | 4});
                    out.push_back({{a, b, d}, 1 | 2});
                } else {
                    out.push_back({{a, b, d}, 1 | 2});
                    out.push_back({{c, a, d}, 1 | 4});
                }
            }
            break;
        default:
            break;
        }
    }
}

bool supported_mode(GLenum mode)
{
    return mode == GL_TRIANGLES || mode == GL_TRIANGLE_STRIP || mode == GL_QUADS || mode == GL_QUAD_STRIP;
}

Assembly assemble(const Mesh &mesh, GLenum polygon_mode)
{
    std::vector<Triangle> list;
    triangles(mesh, polygon_mode != GL_FILL, list);
    Assembly a;
    if (polygon_mode == GL_FILL) {
        for (const Triangle &t : list)
            a.indices.insert(a.indices.end(), t.v, t.v + 3);
        return a;
    }
    if (polygon_mode == GL_LINE) {
        // Edge v2-v0 first, then v0-v1 and v1-v2, each where it belongs to the polygon.
        const unsigned order[3][3] = {{4, 2, 0}, {1, 0, 1}, {2, 1, 2}}; // edge bit, from, to
        for (const Triangle &t : list)
            for (const auto &edge : order)
                if (t.edges & edge[0]) {
                    a.indices.push_back(t.v[edge[1]]);
                    a.indices.push_back(t.v[edge[2]]);
                    a.provoking.push_back(t.v[2]);
                    a.provoking.push_back(t.v[2]);
                }
        return a;
    }
    // Points: the corner that starts each edge of the polygon.
    for (const Triangle &t : list)
        for (unsigned k = 0; k < 3; ++k)
            if (t.edges & (1u << k)) {
                a.indices.push_back(t.v[k]);
                a.provoking.push_back(t.v[2]);
            }
    return a;
}

void Mesh::bound()
{
    for (int k = 0; k < 3; ++k) {
        low[k] = high[k] = positions.empty() ? 0.0f : positions[k];
    }
    for (std::size_t i = 0; i < positions.size(); i += 3)
        for (int k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], positions[i + k]);
            high[k] = std::max(high[k], positions[i + k]);
        }
}

void draw_mesh(const MeshPtr &mesh)
{
    if (record([mesh] { draw_mesh(mesh); }))
        return;
    if (context().render_mode == GL_SELECT)
        select_mesh(*mesh);
    else
        render_mesh(mesh);
}

namespace {

void draw_array_range(GLenum mode, GLint first, GLsizei count)
{
    Context &c = context();
    auto mesh = std::make_shared<Mesh>();
    mesh->mode = mode;
    const GLint stride = c.array_stride != 0 ? c.array_stride / static_cast<GLint>(sizeof(float)) : c.array_size;
    for (GLsizei i = 0; i < count; ++i) {
        const float *v = c.array_pointer + static_cast<std::ptrdiff_t>(first + i) * stride;
        mesh->positions.insert(mesh->positions.end(), {v[0], v[1], c.array_size > 2 ? v[2] : 0.0f});
        mesh->elements.push_back(static_cast<unsigned>(i));
    }
    mesh->runs.push_back(static_cast<unsigned>(count));
    mesh->bound();
    mesh->kept = c.compiling != 0;
    draw_mesh(mesh);
}

} // namespace

} // namespace fixedgl

using namespace fixedgl;

extern "C" {

void fixedgl_Begin(GLenum mode)
{
    Context &c = context();
    if (c.inside_begin)
        return set_error(GL_INVALID_OPERATION);
    if (!supported_mode(mode))
        return set_error(GL_INVALID_ENUM);
    c.inside_begin = true;
    c.building = std::make_shared<Mesh>();
    c.building->mode = mode;
    c.building_normals = c.building_colours = false;
}

void fixedgl_Vertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    Context &c = context();
    if (!c.inside_begin)
        return; // outside glBegin/glEnd a vertex does nothing
    Mesh &m = building();
    m.positions.insert(m.positions.end(), {x, y, z});
    m.normals.insert(m.normals.end(), c.normal, c.normal + 3);
    m.colours.insert(m.colours.end(), c.colour, c.colour + 4);
}

void fixedgl_Vertex3fv(const GLfloat *v) { fixedgl_Vertex3f(v[0], v[1], v[2]); }

void fixedgl_End(void)
{
    Context &c = context();
    if (!c.inside_begin)
        return set_error(GL_INVALID_OPERATION);
    c.inside_begin = false;
    MeshPtr mesh = std::move(c.building);
    // Without glNormal or glColor inside, the current ones at drawing time
    // apply; the storage goes too, as the mesh may be kept.
    if (!c.building_normals)
        mesh->normals = std::vector<float>();
    if (!c.building_colours)
        mesh->colours = std::vector<float>();
    else
        fixedgl_Color4f(c.colour[0], c.colour[1], c.colour[2], c.colour[3]); // the material follows the last
    const auto count = static_cast<unsigned>(mesh->vertex_count());
    for (unsigned i = 0; i < count; ++i)
        mesh->elements.push_back(i);
    mesh->runs.push_back(count);
    mesh->bound();
    mesh->kept = c.compiling != 0;
    draw_mesh(mesh);
}

void fixedgl_VertexPointer(GLint size, GLenum type, GLsizei stride, const void *pointer)
{
    Context &c = context();
    if (type != GL_FLOAT)
        return set_error(GL_INVALID_ENUM);
    if (size < 2 || size > 4 || stride < 0)
        return set_error(GL_INVALID_VALUE);
    c.array_size = size;
    c.array_stride = stride;
    c.array_pointer = static_cast<const float *>(pointer);
}

void fixedgl_EnableClientState(GLenum array)
{
    if (array != GL_VERTEX_ARRAY)
        return set_error(GL_INVALID_ENUM);
    context().vertex_array = true;
}

void fixedgl_DisableClientState(GLenum array)
{
    if (array != GL_VERTEX_ARRAY)
        return set_error(GL_INVALID_ENUM);
    context().vertex_array = false;
}

void fixedgl_DrawArrays(GLenum mode, GLint first, GLsizei count)
{
    Context &c = context();
    if (!supported_mode(mode))
        return set_error(GL_INVALID_ENUM);
    if (first < 0 || count < 0)
        return set_error(GL_INVALID_VALUE);
    if (!c.vertex_array || c.array_pointer == nullptr || count == 0)
        return;
    // Read now, as GL does, also while compiling a list.
    draw_array_range(mode, first, count);
}

GLuint fixedgl_GenLists(GLsizei range)
{
    Context &c = context();
    if (range < 0) {
        set_error(GL_INVALID_VALUE);
        return 0;
    }
    const auto first = static_cast<GLuint>(c.lists.size());
    c.lists.resize(c.lists.size() + range);
    c.list_defined.resize(c.lists.size(), false);
    return range == 0 ? 0 : first;
}

void fixedgl_NewList(GLuint list, GLenum mode)
{
    Context &c = context();
    if (list == 0)
        return set_error(GL_INVALID_VALUE);
    if (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE)
        return set_error(GL_INVALID_ENUM);
    if (c.compiling != 0 || c.inside_begin)
        return set_error(GL_INVALID_OPERATION);
    if (list >= c.lists.size()) {
        c.lists.resize(list + 1);
        c.list_defined.resize(list + 1, false);
    }
    c.lists[list].clear();
    c.list_defined[list] = true;
    c.compiling = list;
    c.compile_and_execute = mode == GL_COMPILE_AND_EXECUTE;
}

void fixedgl_EndList(void)
{
    Context &c = context();
    if (c.compiling == 0)
        return set_error(GL_INVALID_OPERATION);
    c.compiling = 0;
    c.compile_and_execute = false;
}

void fixedgl_CallList(GLuint list)
{
    if (record([=] { fixedgl_CallList(list); }))
        return;
    Context &c = context();
    static int nesting = 0;
    if (list >= c.lists.size() || !c.list_defined[list] || nesting >= list_nesting_limit)
        return;
    ++nesting;
    // By index: a call in the list may grow the table of lists.
    for (std::size_t i = 0; i < c.lists[list].size(); ++i)
        c.lists[list][i]();
    --nesting;
}

void fixedgl_DeleteLists(GLuint list, GLsizei range)
{
    Context &c = context();
    if (range < 0)
        return set_error(GL_INVALID_VALUE);
    for (GLuint i = list; i < list + static_cast<GLuint>(range) && i < c.lists.size(); ++i) {
        c.lists[i].clear();
        c.list_defined[i] = false;
    }
}

} // extern "C"
