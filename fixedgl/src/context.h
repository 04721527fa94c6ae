// The layer's one context: the fixed-function state that ES lacks, kept here
// and handed to ES (shader uniforms, buffers) when something is drawn.
#pragma once

#include <GLES3/gl3.h>
#define FIXEDGL_IMPLEMENTATION
#include <GL/freeglut.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace fixedgl {

constexpr double pi = 3.14159265358979323846; // M_PI, which not every C library declares

// Column-major like GL's, in single precision like the GL it stands in for:
// the same float roundings put the same vertices on the same pixels.
struct Mat4 {
    float m[16];
};
Mat4 identity();
Mat4 multiply(const Mat4 &a, const Mat4 &b); // a * b
Mat4 inverse_transpose3(const Mat4 &m);      // upper 3x3, for normals
void transform(const Mat4 &m, const float in[4], float out[4]);

struct Light {
    float ambient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float position[4] = {0.0f, 0.0f, 1.0f, 0.0f}; // eye coordinates
    float spot_direction[3] = {0.0f, 0.0f, -1.0f}; // eye coordinates
    float spot_exponent = 0.0f;
    float spot_cutoff = 180.0f;
};

struct Material {
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float emission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float shininess = 0.0f;
};

// A triangle with the edges that belong to the polygon it came from:
// bit 0 the edge v0-v1, bit 1 v1-v2, bit 2 v2-v0.
struct Triangle {
    unsigned v[3];
    unsigned edges;
};

// Geometry as GL was given it: one primitive mode, vertices, and per-vertex
// normals and colours where glNormal/glColor came between glBegin and glEnd
// (otherwise the current ones at drawing time apply). The elements index the
// vertices, run by run, each run one primitive of the mode (a strip, a
// glBegin/glEnd). Display lists and the shapes keep theirs; what ES draws is
// made from them when a batch of draws first holds them (see batches.h).
struct Mesh {
    GLenum mode = GL_TRIANGLES;
    std::vector<float> positions; // x y z per vertex
    std::vector<float> normals;   // empty, or x y z per vertex
    std::vector<float> colours;   // empty, or r g b a per vertex
    std::vector<unsigned> elements;
    std::vector<unsigned> runs;   // elements per run
    float low[3] = {0, 0, 0}, high[3] = {0, 0, 0}; // bounding box, for picks
    bool kept = false;            // drawn again and again, unchanged
    std::uint64_t identity = 0;   // the same for the same geometry; 0 until drawn
    std::size_t vertex_count() const { return positions.size() / 3; }
    void bound();
    // Kept meshes keep their triangles for picks.
    std::vector<Triangle> pick_triangles;
};
using MeshPtr = std::shared_ptr<Mesh>;

// A mesh's triangles in the order Mesa's llvmpipe makes them: the order it
// fills them in, or the order its pipeline splits them in for lines, points
// and selection (a quad strip's two triangles the other way round). The
// provoking vertex (GL's last) always ends the triangle.
void triangles(const Mesh &mesh, bool pipeline_order, std::vector<Triangle> &out);

// How GL's polygons become what ES draws, in the order Mesa's pipeline
// makes them: triangles for fill; for lines and points, each triangle's
// edges or corners that belong to the polygon (not a quad's diagonal).
struct Assembly {
    std::vector<unsigned> indices; // into the mesh's vertices
    std::vector<unsigned> provoking; // per index: the vertex whose lighting it takes when flat
};
Assembly assemble(const Mesh &mesh, GLenum polygon_mode);
bool supported_mode(GLenum mode);

struct Context {
    // Matrices
    std::vector<Mat4> modelview{identity()}, projection{identity()};
    GLenum matrix_mode = GL_MODELVIEW;
    Mat4 &top() { return matrix_mode == GL_MODELVIEW ? modelview.back() : projection.back(); }
    GLint viewport[4] = {0, 0, 0, 0};

    // Current vertex state
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float normal[3] = {0.0f, 0.0f, 1.0f};

    // Lighting and shading
    Light light;
    Material material;
    float scene_ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    bool local_viewer = false;
    GLenum colour_material_face = GL_FRONT_AND_BACK;
    GLenum colour_material_mode = GL_AMBIENT_AND_DIFFUSE;
    GLenum shade_model = GL_SMOOTH;
    GLenum polygon_mode = GL_FILL;
    bool lighting = false, light0 = false, colour_material = false, normalize = false;
    // Whether the front material, the one lit (one-sided lighting), follows the current colour.
    bool front_tracks_colour() const { return colour_material && colour_material_face != GL_BACK; }
    bool depth_test = false, blend = false, cull_face = false;
    GLenum blend_src = GL_ONE, blend_dst = GL_ZERO;

    // glBegin/glEnd
    bool inside_begin = false;
    MeshPtr building;
    bool building_normals = false, building_colours = false;

    // Vertex array
    bool vertex_array = false;
    GLint array_size = 4;
    GLsizei array_stride = 0;
    const float *array_pointer = nullptr;

    // Display lists: each a run of recorded calls
    std::vector<std::vector<std::function<void()>>> lists{{}}; // list 0 is no list
    std::vector<bool> list_defined{false};
    GLuint compiling = 0; // the list being compiled, 0 if none
    bool compile_and_execute = false;

    // Selection
    GLenum render_mode = GL_RENDER;
    GLuint *select_buffer = nullptr;
    GLsizei select_size = 0;
    GLsizei select_count = 0; // words written or wanted
    GLint hits = 0;
    std::vector<GLuint> names;
    bool hit = false;
    float hit_min = 1.0f, hit_max = 0.0f;

    GLenum error = GL_NO_ERROR;
    GLint pack_alignment = 4;

    // Passed through to ES, and kept to be passed again to a restored context.
    float clear_colour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    GLenum read_buffer = GL_BACK;
};

Context &context();
void set_error(GLenum error);

// Records a call into the display list being compiled. True when the
// caller should return now (GL_COMPILE), false when it goes on to execute.
bool record(std::function<void()> call);

// Draws a mesh with the current state: through ES, or into the hit
// records while selecting.
void draw_mesh(const MeshPtr &mesh);
// Through ES: the draw joins the batch that goes out as one ES draw, which
// flush_draws sends; whatever reads or clears the framebuffer, or changes
// ES state that a batch depends on, flushes first.
void render_mesh(const MeshPtr &mesh);
void flush_draws();
// A restored context holds none of the ES objects made in the lost one: the
// shader programs, the uniform buffer and the batches' buffers are forgotten
// (not deleted: their names mean nothing there) and made anew on first use.
void forget_es_objects();
void select_mesh(Mesh &mesh); // keeps a kept mesh's triangles for the next pick
void write_hit_record();

// The lighting's state (lighting.cpp), which glEnable and glGet reach too.
inline void copy4(float *to, const float *from) { std::memcpy(to, from, 4 * sizeof(float)); }
// While colour material is on, the material follows the current colour.
void track_colour();
// The material's colour of that name; null for any other name.
float *material_vector(Material &m, GLenum pname);
// A vector of three made of unit length, as the lighting wants directions.
void normalised(const float in[3], float out[3]);

} // namespace fixedgl
