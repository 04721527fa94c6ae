// GLUT's solid shapes and GLU's cylinder, made from the same formulas as
// the desktop's freeglut and GLU (same vertices, normals, order and
// single-precision roundings), so that the pictures and picks agree. Shapes
// are made once per size and kept, as a display list would keep them.
#include "context.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <tuple>

struct GLUquadric {
    GLenum normals = GLU_SMOOTH;
    GLenum draw_style = GLU_FILL;
    GLboolean texture = GL_FALSE;
};

namespace fixedgl {

namespace {

constexpr std::size_t kept_shapes_limit = 256; // past this, shapes are made for each call
constexpr GLint cylinder_slices_limit = 239;   // as GLU's tables hold

// Sines and cosines around a circle of n steps (a negative n turns the
// other way), or half a circle, with the first entry repeated at the end
// (the half circle ends at pi).
void circle(int n, bool half, std::vector<float> &sines, std::vector<float> &cosines)
{
    const int size = std::abs(n);
    const float angle = (half ? 1 : 2) * static_cast<float>(pi) / static_cast<float>(n == 0 ? 1 : n);
    sines.assign(size + 1, 0.0f);
    cosines.assign(size + 1, 1.0f);
    for (int i = 1; i < size; ++i) {
        sines[i] = static_cast<float>(std::sin(static_cast<double>(angle * i)));
        cosines[i] = static_cast<float>(std::cos(static_cast<double>(angle * i)));
    }
    if (half) {
        sines[size] = 0.0f;
        cosines[size] = -1.0f;
    } else {
        sines[size] = sines[0];
        cosines[size] = cosines[0];
    }
}

void add(Mesh &m, float x, float y, float z, float nx, float ny, float nz)
{
    m.positions.insert(m.positions.end(), {x, y, z});
    m.normals.insert(m.normals.end(), {nx, ny, nz});
}

// freeglut draws several strips as strips, a single one as triangles.
void finish_strips(Mesh &m, unsigned strips)
{
    if (strips == 0)
        return;
    const auto per_strip = static_cast<unsigned>(m.elements.size() / strips);
    m.mode = strips > 1 ? GL_TRIANGLE_STRIP : GL_TRIANGLES;
    m.runs.assign(strips, per_strip);
}

MeshPtr sphere(float radius, int slices, int stacks)
{
    auto m = std::make_shared<Mesh>();
    if (slices == 0 || stacks < 2)
        return m;
    std::vector<float> sin1, cos1, sin2, cos2;
    circle(-slices, false, sin1, cos1);
    circle(stacks, true, sin2, cos2);
    add(*m, 0.0f, 0.0f, radius, 0.0f, 0.0f, 1.0f);
    for (int i = 1; i < stacks; ++i)
        for (int j = 0; j < slices; ++j) {
            const float x = cos1[j] * sin2[i], y = sin1[j] * sin2[i], z = cos2[i];
            add(*m, x * radius, y * radius, z * radius, x, y, z);
        }
    add(*m, 0.0f, 0.0f, -radius, 0.0f, 0.0f, -1.0f);
    const auto last = static_cast<unsigned>(m->vertex_count() - 1);
    auto &e = m->elements;
    const auto s = static_cast<unsigned>(slices);
    // Each stack one strip: the top fan, the bands, the bottom fan.
    for (unsigned j = 0; j <= s; ++j)
        e.insert(e.end(), {j % s + 1, 0});
    for (unsigned i = 0; i + 2 < static_cast<unsigned>(stacks); ++i) {
        const unsigned offset = 1 + i * s;
        for (unsigned j = 0; j <= s; ++j)
            e.insert(e.end(), {offset + j % s + s, offset + j % s});
    }
    const unsigned offset = 1 + (stacks - 2) * s;
    for (unsigned j = 0; j <= s; ++j)
        e.insert(e.end(), {last, offset + j % s});
    finish_strips(*m, static_cast<unsigned>(stacks));
    return m;
}

MeshPtr cone(float base, float height, int slices, int stacks)
{
    auto m = std::make_shared<Mesh>();
    if (slices == 0 || stacks < 1)
        return m;
    std::vector<float> sines, cosines;
    circle(-slices, false, sines, cosines);
    const float z_step = height / stacks, r_step = base / stacks;
    const double slant = std::sqrt(static_cast<double>(height * height + base * base));
    const auto cos_n = static_cast<float>(height / slant), sin_n = static_cast<float>(base / slant);
    // The base: its centre and rim facing down; then the rims of the side, base to apex.
    add(*m, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, -1.0f);
    for (int j = 0; j < slices; ++j)
        add(*m, cosines[j] * base, sines[j] * base, 0.0f, 0.0f, 0.0f, -1.0f);
    float z = 0.0f, r = base;
    for (int i = 0; i <= stacks; ++i) {
        for (int j = 0; j < slices; ++j)
            add(*m, cosines[j] * r, sines[j] * r, z, cosines[j] * cos_n, sines[j] * cos_n, sin_n);
        z += z_step;
        r -= r_step;
    }
    auto &e = m->elements;
    const auto s = static_cast<unsigned>(slices);
    for (unsigned j = 0; j <= s; ++j)
        e.insert(e.end(), {0, j % s + 1});
    for (unsigned i = 0; i < static_cast<unsigned>(stacks); ++i) {
        const unsigned offset = 1 + (i + 1) * s;
        for (unsigned j = 0; j <= s; ++j)
            e.insert(e.end(), {offset + j % s, offset + j % s + s});
    }
    finish_strips(*m, static_cast<unsigned>(stacks + 1));
    return m;
}

MeshPtr torus(float inner, float outer, int sides, int rings)
{
    auto m = std::make_shared<Mesh>();
    if (sides < 2 || rings < 2)
        return m;
    std::vector<float> sin_psi, cos_psi, sin_phi, cos_phi;
    circle(rings, false, sin_psi, cos_psi);
    circle(-sides, false, sin_phi, cos_phi);
    for (int j = 0; j < rings; ++j)
        for (int i = 0; i < sides; ++i)
            add(*m, cos_psi[j] * (outer + cos_phi[i] * inner), sin_psi[j] * (outer + cos_phi[i] * inner),
                sin_phi[i] * inner, cos_psi[j] * cos_phi[i], sin_psi[j] * cos_phi[i], sin_phi[i]);
    // One strip per side, round the ring and back to its start.
    auto &e = m->elements;
    for (int i = 0; i < sides; ++i) {
        const int next = i == sides - 1 ? 0 : i + 1;
        for (int j = 0; j <= rings; ++j) {
            const int ring = j % rings;
            e.insert(e.end(), {static_cast<unsigned>(ring * sides + i), static_cast<unsigned>(ring * sides + next)});
        }
    }
    finish_strips(*m, static_cast<unsigned>(sides));
    return m;
}

MeshPtr cube(float size)
{
    // Corners as bits (x, y, z set: +half), faces in freeglut's order, each
    // with its own four vertices, split 0-1-2 and 0-2-3.
    struct Face {
        float normal[3];
        unsigned char corners[4];
    };
    static const Face faces[6] = {
        {{0, 0, 1}, {7, 6, 4, 5}},  {{1, 0, 0}, {7, 5, 1, 3}}, {{0, 1, 0}, {7, 3, 2, 6}},
        {{-1, 0, 0}, {6, 2, 0, 4}}, {{0, -1, 0}, {0, 1, 5, 4}}, {{0, 0, -1}, {1, 0, 2, 3}},
    };
    auto m = std::make_shared<Mesh>();
    for (const Face &f : faces) {
        const auto first = static_cast<unsigned>(m->vertex_count());
        for (const unsigned char corner : f.corners) {
            const auto half = [&](int bit) { return size * (corner & (1 << bit) ? 0.5f : -0.5f); };
            add(*m, half(0), half(1), half(2), f.normal[0], f.normal[1], f.normal[2]);
        }
        m->elements.insert(m->elements.end(), {first, first + 1, first + 2, first, first + 2, first + 3});
    }
    m->mode = GL_TRIANGLES;
    m->runs.assign(1, static_cast<unsigned>(m->elements.size()));
    return m;
}

using ShapeKey = std::tuple<int, float, float, int, int>;

void draw_shape(const ShapeKey &key, MeshPtr (*make)(const ShapeKey &))
{
    static std::map<ShapeKey, MeshPtr> kept;
    auto found = kept.find(key);
    if (found == kept.end()) {
        MeshPtr mesh = make(key);
        mesh->bound();
        if (kept.size() >= kept_shapes_limit)
            return draw_mesh(mesh);
        mesh->kept = true;
        found = kept.emplace(key, std::move(mesh)).first;
    }
    draw_mesh(found->second);
}

} // namespace

} // namespace fixedgl

using namespace fixedgl;

extern "C" {

void fixedgl_glutSolidSphere(GLdouble radius, GLint slices, GLint stacks)
{
    draw_shape({0, static_cast<float>(radius), 0.0f, slices, stacks},
               [](const ShapeKey &k) { return sphere(std::get<1>(k), std::get<3>(k), std::get<4>(k)); });
}

void fixedgl_glutSolidCone(GLdouble base, GLdouble height, GLint slices, GLint stacks)
{
    draw_shape({1, static_cast<float>(base), static_cast<float>(height), slices, stacks}, [](const ShapeKey &k) {
        return cone(std::get<1>(k), std::get<2>(k), std::get<3>(k), std::get<4>(k));
    });
}

void fixedgl_glutSolidTorus(GLdouble innerRadius, GLdouble outerRadius, GLint sides, GLint rings)
{
    draw_shape({2, static_cast<float>(innerRadius), static_cast<float>(outerRadius), sides, rings},
               [](const ShapeKey &k) { return torus(std::get<1>(k), std::get<2>(k), std::get<3>(k), std::get<4>(k)); });
}

void fixedgl_glutSolidCube(GLdouble size)
{
    draw_shape({3, static_cast<float>(size), 0.0f, 0, 0}, [](const ShapeKey &k) { return cube(std::get<1>(k)); });
}

GLUquadric *fixedgl_gluNewQuadric(void) { return new GLUquadric; }
void fixedgl_gluDeleteQuadric(GLUquadric *quad) { delete quad; }

void fixedgl_gluQuadricNormals(GLUquadric *quad, GLenum normal)
{
    if (normal == GLU_SMOOTH || normal == GLU_NONE)
        quad->normals = normal;
}

void fixedgl_gluQuadricDrawStyle(GLUquadric *quad, GLenum draw)
{
    if (draw == GLU_FILL)
        quad->draw_style = draw;
}

void fixedgl_gluQuadricTexture(GLUquadric *quad, GLboolean texture) { quad->texture = texture; }

void fixedgl_gluCylinder(GLUquadric *quad, GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks)
{
    slices = std::min(slices, cylinder_slices_limit);
    if (slices < 2 || stacks < 1 || base < 0.0 || top < 0.0 || height < 0.0)
        return;
    const auto delta = static_cast<float>(base - top);
    const auto length = static_cast<float>(std::sqrt(delta * delta + height * height));
    if (length == 0.0f)
        return;
    const float z_normal = delta / length;
    const auto xy_ratio = static_cast<float>(height / length);
    std::vector<float> sines(slices + 1), cosines(slices + 1), normal_sines(slices + 1), normal_cosines(slices + 1);
    for (int i = 0; i < slices; ++i) {
        const auto angle = static_cast<float>(2 * pi * i / slices);
        normal_sines[i] = static_cast<float>(xy_ratio * std::sin(static_cast<double>(angle)));
        normal_cosines[i] = static_cast<float>(xy_ratio * std::cos(static_cast<double>(angle)));
        sines[i] = static_cast<float>(std::sin(static_cast<double>(angle)));
        cosines[i] = static_cast<float>(std::cos(static_cast<double>(angle)));
    }
    sines[slices] = sines[0];
    cosines[slices] = cosines[0];
    normal_sines[slices] = normal_sines[0];
    normal_cosines[slices] = normal_cosines[0];

    // One quad strip per stack, as GLU draws it between glBegin and glEnd.
    auto m = std::make_shared<Mesh>();
    m->mode = GL_QUAD_STRIP;
    for (int j = 0; j < stacks; ++j) {
        const auto z_low = static_cast<float>(j * height / stacks);
        const auto z_high = static_cast<float>((j + 1) * height / stacks);
        const auto r_low = static_cast<float>(base - delta * (static_cast<float>(j) / stacks));
        const auto r_high = static_cast<float>(base - delta * (static_cast<float>(j + 1) / stacks));
        for (int i = 0; i <= slices; ++i) {
            add(*m, r_low * sines[i], r_low * cosines[i], z_low, normal_sines[i], normal_cosines[i], z_normal);
            add(*m, r_high * sines[i], r_high * cosines[i], z_high, normal_sines[i], normal_cosines[i], z_normal);
        }
        m->runs.push_back(static_cast<unsigned>(2 * (slices + 1)));
    }
    for (unsigned i = 0; i < m->vertex_count(); ++i)
        m->elements.push_back(i);
    if (quad->normals == GLU_NONE)
        m->normals = std::vector<float>();
    else // as after GLU's last glNormal
        fixedgl_Normal3f(normal_sines[slices], normal_cosines[slices], z_normal);
    m->bound();
    m->kept = context().compiling != 0;
    draw_mesh(m);
}

} // extern "C"
