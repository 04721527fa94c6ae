// Drawing through ES: one shader program (shaders.cpp), in variants, that
// lights each vertex as fixed-function GL does, the per-draw values it reads,
// and the batches of draws it draws (see batches.h).
#include "batches.h"
#include "shaders.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace fixedgl {

namespace {

// One draw as the shader's Draw holds it, in the std140 layout.
struct DrawValues {
    float mvp[16], modelview[16];
    float normal_matrix[12]; // three columns of four
    float colour[4], normal[4];
    float material_ambient[4], material_diffuse[4], material_specular[4], material_emission[4];
    float shininess;
    std::int32_t own_normals, own_colours, unused;
};
static_assert(sizeof(DrawValues) == 288, "the std140 layout of Draw");

// The program's switches, each a #define of the variants that have it.
constexpr unsigned flat_shading = 1, lighting = 2, light0 = 4, spot = 8, local_viewer = 16, normalize = 32,
                   colour_ambient = 64, colour_diffuse = 128, points = 256;
const struct {
    unsigned bit;
    const char *define;
} switch_defines[] = {
    {flat_shading, "#define SHADING flat\n"}, {lighting, "#define LIGHTING\n"},
    {light0, "#define LIGHT0\n"},             {spot, "#define SPOT\n"},
    {local_viewer, "#define LOCAL_VIEWER\n"}, {normalize, "#define NORMALIZE\n"},
    {colour_ambient, "#define COLOUR_AMBIENT\n"}, {colour_diffuse, "#define COLOUR_DIFFUSE\n"},
    {points, "#define POINTS\n"},
};

// What holds for a whole batch: the program's switches and the light's
// values; a draw with others starts the next batch. Values the switches
// leave unread are left out, so that they part no batches. Also compared
// with what the program last read, so that unchanged values are not sent
// again.
struct Settings {
    unsigned switches;
    float light_position[4], spot_direction[3], spot_cos_cutoff, spot_exponent;
    float light_ambient[4], light_diffuse[4], light_specular[4];
    float scene_ambient[4];
    float viewport[4];
};

struct Program {
    GLuint id = 0;
    GLint light_position, spot_direction, spot_cos_cutoff, spot_exponent;
    GLint light_ambient, light_diffuse, light_specular, scene_ambient;
    GLint viewport;
    Settings sent_settings{};
    bool sent = false;
};

// A batch ends after as many draws as a uniform block of the 16 KiB that
// every ES 3 promises holds, or before it would pass a number of vertices:
// Mesa's draw module takes the memory for a draw's vertices afresh each time
// once a draw has more than some ten thousand, and those page faults made
// one large batch cost twice what the draws one by one cost.
constexpr std::size_t draws_per_batch = 16384 / sizeof(DrawValues);
constexpr std::size_t vertices_per_batch = 4096;

std::map<unsigned, Program> programs; // by switches, made on first use
GLuint draw_buffer = 0;               // the uniform buffer behind Draws
bool started = false;

// The draws waiting to go out as one.
struct Pending {
    Settings settings{};
    GLenum polygon_mode = GL_FILL;
    std::vector<MeshPtr> meshes;
    std::vector<DrawValues> draws;
    std::size_t vertices = 0;
} pending;

[[noreturn]] void fail(const char *what, GLuint object, bool program)
{
    char log[1024] = "";
    if (program)
        glGetProgramInfoLog(object, sizeof log, nullptr, log);
    else
        glGetShaderInfoLog(object, sizeof log, nullptr, log);
    std::fprintf(stderr, "fixedgl: %s: %s\n", what, log);
    std::abort();
}

// A shader, or 0 while the context is lost. A lost context fails whatever it
// is given, with an empty log: no fault of the source's, and nothing to draw
// with until the context is back. It knows no object then, which tells the
// two apart. Asked before the source goes in: a browser may hand out no
// shader at all then, and throws when given none.
GLuint compile(GLenum type, const char *body, unsigned switches)
{
    std::string source = "#version 300 es\nprecision highp float;\n";
    if (!(switches & flat_shading))
        source += "#define SHADING smooth\n";
    for (const auto &s : switch_defines)
        if (switches & s.bit)
            source += s.define;
    source += "#define DRAWS " + std::to_string(draws_per_batch) + "\n";
    source += body;
    const char *text = source.c_str();
    const GLuint shader = glCreateShader(type);
    if (!glIsShader(shader))
        return 0;
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok)
        return shader;
    if (glIsShader(shader))
        fail("shader", shader, false);
    glDeleteShader(shader);
    return 0;
}

// Leaves p.id 0 while the context is lost (see compile). The shaders come
// first: where a lost context hands out no program, emscripten's
// glCreateProgram throws.
void make_program(Program &p, unsigned switches)
{
    const GLuint vs = compile(GL_VERTEX_SHADER, vertex_shader, switches);
    const GLuint fs = vs != 0 ? compile(GL_FRAGMENT_SHADER, fragment_shader, switches) : 0;
    if (fs == 0) {
        glDeleteShader(vs);
        return;
    }
    const GLuint id = glCreateProgram();
    glAttachShader(id, vs);
    glAttachShader(id, fs);
    glBindAttribLocation(id, a_position, "a_position");
    glBindAttribLocation(id, a_light_position, "a_light_position");
    glBindAttribLocation(id, a_normal, "a_normal");
    glBindAttribLocation(id, a_colour, "a_colour");
    glBindAttribLocation(id, a_draw, "a_draw");
    glLinkProgram(id);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(id, GL_LINK_STATUS, &ok);
    if (!ok && glIsProgram(id))
        fail("program", id, true);
    if (!ok) {
        glDeleteProgram(id);
        return;
    }
    p.id = id;
    glUniformBlockBinding(p.id, glGetUniformBlockIndex(p.id, "Draws"), 0);
    const auto u = [&](const char *name) { return glGetUniformLocation(p.id, name); };
    p.light_position = u("u_light_position");
    p.spot_direction = u("u_spot_direction");
    p.spot_cos_cutoff = u("u_spot_cos_cutoff");
    p.spot_exponent = u("u_spot_exponent");
    p.light_ambient = u("u_light_ambient");
    p.light_diffuse = u("u_light_diffuse");
    p.light_specular = u("u_light_specular");
    p.scene_ambient = u("u_scene_ambient");
    p.viewport = u("u_viewport");
}

void start()
{
    if (started)
        return;
    started = true;
    // The whole block's size, which WebGL wants bound whatever a batch uses.
    glGenBuffers(1, &draw_buffer);
    glBindBuffer(GL_UNIFORM_BUFFER, draw_buffer);
    glBufferData(GL_UNIFORM_BUFFER, static_cast<GLsizeiptr>(draws_per_batch * sizeof(DrawValues)), nullptr,
                 GL_DYNAMIC_DRAW);
    glBindBufferBase(GL_UNIFORM_BUFFER, 0, draw_buffer);
}

DrawValues draw_values(const Mesh &mesh)
{
    const Context &c = context();
    const Material &m = c.material;
    DrawValues d{};
    const Mat4 mvp = multiply(c.projection.back(), c.modelview.back());
    std::memcpy(d.mvp, mvp.m, sizeof d.mvp);
    std::memcpy(d.modelview, c.modelview.back().m, sizeof d.modelview);
    const Mat4 n = inverse_transpose3(c.modelview.back());
    for (int column = 0; column < 3; ++column)
        std::memcpy(&d.normal_matrix[column * 4], &n.m[column * 4], 3 * sizeof(float));
    std::memcpy(d.colour, c.colour, sizeof d.colour);
    std::memcpy(d.normal, c.normal, 3 * sizeof(float));
    std::memcpy(d.material_ambient, m.ambient, sizeof d.material_ambient);
    std::memcpy(d.material_diffuse, m.diffuse, sizeof d.material_diffuse);
    std::memcpy(d.material_specular, m.specular, sizeof d.material_specular);
    std::memcpy(d.material_emission, m.emission, sizeof d.material_emission);
    d.shininess = m.shininess;
    d.own_normals = !mesh.normals.empty();
    d.own_colours = !mesh.colours.empty();
    return d;
}

Settings settings()
{
    const Context &c = context();
    const Light &l = c.light;
    Settings g{};
    g.switches = (c.shade_model == GL_FLAT ? flat_shading : 0) | (c.polygon_mode == GL_POINT ? points : 0);
    for (int i = 0; i < 4; ++i)
        g.viewport[i] = static_cast<float>(c.viewport[i]);
    if (!c.lighting)
        return g;
    g.switches |= lighting;
    const bool tracks = c.front_tracks_colour();
    if (tracks && c.colour_material_mode != GL_DIFFUSE)
        g.switches |= colour_ambient;
    if (tracks && c.colour_material_mode != GL_AMBIENT)
        g.switches |= colour_diffuse;
    std::memcpy(g.scene_ambient, c.scene_ambient, sizeof g.scene_ambient);
    if (!c.light0)
        return g;
    g.switches |= light0 | (c.local_viewer ? local_viewer : 0) | (c.normalize ? normalize : 0);
    std::memcpy(g.light_position, l.position, sizeof g.light_position);
    if (l.position[3] == 0.0f)
        normalised(l.position, g.light_position); // a direction: unit length, w stays 0
    std::memcpy(g.light_ambient, l.ambient, sizeof g.light_ambient);
    std::memcpy(g.light_diffuse, l.diffuse, sizeof g.light_diffuse);
    std::memcpy(g.light_specular, l.specular, sizeof g.light_specular);
    if (l.spot_cutoff == 180.0f)
        return g;
    g.switches |= spot;
    normalised(l.spot_direction, g.spot_direction);
    g.spot_cos_cutoff = std::max(0.0f, std::cos(static_cast<float>(l.spot_cutoff * pi / 180.0)));
    g.spot_exponent = l.spot_exponent;
    return g;
}

// False while the context is lost: there is no program to draw with.
bool use_program(const Settings &g)
{
    Program &p = programs[g.switches];
    if (p.id == 0)
        make_program(p, g.switches);
    if (p.id == 0)
        return false;
    glUseProgram(p.id);
    if (p.sent && std::memcmp(&g, &p.sent_settings, sizeof g) == 0)
        return true;
    glUniform4fv(p.light_position, 1, g.light_position);
    glUniform3fv(p.spot_direction, 1, g.spot_direction);
    glUniform1f(p.spot_cos_cutoff, g.spot_cos_cutoff);
    glUniform1f(p.spot_exponent, g.spot_exponent);
    glUniform4fv(p.light_ambient, 1, g.light_ambient);
    glUniform4fv(p.light_diffuse, 1, g.light_diffuse);
    glUniform4fv(p.light_specular, 1, g.light_specular);
    glUniform4fv(p.scene_ambient, 1, g.scene_ambient);
    glUniform4fv(p.viewport, 1, g.viewport);
    p.sent_settings = g;
    p.sent = true;
    return true;
}

} // namespace

void render_mesh(const MeshPtr &mesh)
{
    const Context &c = context();
    if (mesh->vertex_count() == 0)
        return;
    start();
    const Settings g = settings();
    if (!pending.meshes.empty() &&
        (c.polygon_mode != pending.polygon_mode || std::memcmp(&g, &pending.settings, sizeof g) != 0 ||
         pending.meshes.size() == draws_per_batch || pending.vertices + mesh->vertex_count() > vertices_per_batch))
        flush_draws();
    if (pending.meshes.empty()) {
        pending.settings = g;
        pending.polygon_mode = c.polygon_mode;
    }
    pending.meshes.push_back(mesh);
    pending.draws.push_back(draw_values(*mesh));
    pending.vertices += mesh->vertex_count();
}

void flush_draws()
{
    if (pending.meshes.empty())
        return;
    const bool flat = (pending.settings.switches & flat_shading) != 0;
    const BatchGeometry &g = batch_geometry(pending.meshes, pending.polygon_mode, flat);
    if (g.count != 0 && use_program(pending.settings)) {
        glBindBuffer(GL_UNIFORM_BUFFER, draw_buffer);
        glBufferSubData(GL_UNIFORM_BUFFER, 0, static_cast<GLsizeiptr>(pending.draws.size() * sizeof(DrawValues)),
                        pending.draws.data());
        glBindVertexArray(g.vertex_array);
        if (g.indexed)
            glDrawElements(g.mode, g.count, GL_UNSIGNED_INT, nullptr);
        else
            glDrawArrays(g.mode, 0, g.count);
        glBindVertexArray(0);
    }
    pending.meshes.clear();
    pending.draws.clear();
    pending.vertices = 0;
}

void forget_es_objects()
{
    programs.clear();
    draw_buffer = 0;
    started = false;
    forget_batches();
}

} // namespace fixedgl
