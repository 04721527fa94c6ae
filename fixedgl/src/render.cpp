// Drawing through ES: one shader program (a smooth and a flat variant) that
// lights each vertex as fixed-function GL does, and the buffers it reads.
#include "context.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fixedgl {

namespace {

// Per vertex, as GL 1.x lights it: emission, the scene's ambient, and the one
// light's ambient, diffuse and specular terms under its spot and the half
// vector (towards the eye, or along z for a viewer at infinity); the result
// clamped per vertex, alpha the diffuse colour's. The lighting takes its
// position from a_light_position, the provoking vertex's when a flat
// polygon is drawn as lines or points.
const char *const vertex_shader = R"(
in vec3 a_position;
in vec3 a_light_position;
in vec3 a_normal;
in vec4 a_colour;
uniform mat4 u_mvp;
uniform mat4 u_modelview;
uniform mat3 u_normal_matrix;
uniform bool u_lighting, u_light0, u_normalize, u_local_viewer, u_spot, u_colour_ambient, u_colour_diffuse;
uniform vec4 u_light_position;
uniform vec3 u_spot_direction;
uniform float u_spot_cos_cutoff, u_spot_exponent, u_shininess;
uniform vec4 u_light_ambient, u_light_diffuse, u_light_specular;
uniform vec4 u_material_ambient, u_material_diffuse, u_material_specular, u_material_emission;
uniform vec4 u_scene_ambient;
uniform bool u_points;
uniform vec4 u_viewport;
SHADING out vec4 v_colour;
void main()
{
    gl_Position = u_mvp * vec4(a_position, 1.0);
    gl_PointSize = 1.0;
    if (u_points && gl_Position.w > 0.0) {
        // GL's own points light the pixel the point falls in; ES's are
        // squares about the point, which pick a neighbour when the point lies
        // on a pixel's border. So the point moves to its pixel's centre.
        vec2 window = (gl_Position.xy / gl_Position.w * 0.5 + 0.5) * u_viewport.zw + u_viewport.xy;
        window = floor(floor(window * 256.0 + 0.5) / 256.0) + 0.5;
        gl_Position.xy = ((window - u_viewport.xy) / u_viewport.zw * 2.0 - 1.0) * gl_Position.w;
    }
    if (!u_lighting) {
        v_colour = clamp(a_colour, 0.0, 1.0);
        return;
    }
    vec4 ambient = u_colour_ambient ? a_colour : u_material_ambient;
    vec4 diffuse = u_colour_diffuse ? a_colour : u_material_diffuse;
    vec3 colour = u_material_emission.rgb + ambient.rgb * u_scene_ambient.rgb;
    bool saturated = false;
    if (u_light0) {
        vec3 n = u_normal_matrix * a_normal;
        if (u_normalize)
            n = normalize(n);
        vec3 eye = (u_modelview * vec4(a_light_position, 1.0)).xyz;
        vec3 vp = u_light_position.w == 0.0 ? u_light_position.xyz : normalize(u_light_position.xyz - eye);
        float attenuation = 1.0;
        if (u_spot) {
            float s = dot(-vp, u_spot_direction);
            attenuation = s > u_spot_cos_cutoff ? pow(abs(s), u_spot_exponent) : 0.0;
        }
        vec3 halfway = u_local_viewer ? normalize(vp - normalize(eye)) : normalize(vp + vec3(0.0, 0.0, 1.0));
        float nl = dot(n, vp);
        float nh = max(dot(n, halfway), 0.0);
        float diffuse_term = max(nl, 0.0);
        float specular_term = nl > 0.0 ? pow(nh, u_shininess) : 0.0;
        // A normal longer than one (scaled, not normalised) can raise the
        // highlight past the float range; the fixed-function pipeline then
        // ends with every channel full, outside the spot's cone as well.
        saturated = nl > 0.0 && nh > 0.0 && u_shininess * log2(nh) >= 128.0;
        colour += attenuation * (u_light_ambient.rgb * ambient.rgb);
        colour += attenuation * diffuse_term * (u_light_diffuse.rgb * diffuse.rgb);
        colour += attenuation * specular_term * (u_light_specular.rgb * u_material_specular.rgb);
    }
    v_colour = vec4(saturated ? vec3(1.0) : clamp(colour, 0.0, 1.0), clamp(diffuse.a, 0.0, 1.0));
}
)";

const char *const fragment_shader = R"(
SHADING in vec4 v_colour;
out vec4 colour;
void main()
{
    colour = v_colour;
}
)";

enum Attribute : GLuint { a_position, a_light_position, a_normal, a_colour };
constexpr int floats_per_vertex = 13; // position, light position, normal, colour

// What the shader reads, compared with what it last read so that an
// unchanged group is not sent again.
struct Transforms {
    float mvp[16], modelview[16], normal[9];
};
struct Settings {
    int lighting, light0, normalize, local_viewer, spot, colour_ambient, colour_diffuse;
    float light_position[4], spot_direction[3], spot_cos_cutoff, spot_exponent, shininess;
    float light_ambient[4], light_diffuse[4], light_specular[4];
    float material_ambient[4], material_diffuse[4], material_specular[4], material_emission[4];
    float scene_ambient[4];
    int points;
    float viewport[4];
};

struct Program {
    GLuint id = 0;
    GLint mvp, modelview, normal_matrix;
    GLint lighting, light0, normalize, local_viewer, spot, colour_ambient, colour_diffuse;
    GLint light_position, spot_direction, spot_cos_cutoff, spot_exponent, shininess;
    GLint light_ambient, light_diffuse, light_specular;
    GLint material_ambient, material_diffuse, material_specular, material_emission, scene_ambient;
    GLint points, viewport;
    Transforms sent_transforms{};
    Settings sent_settings{};
    bool sent = false;
};

Program programs[2]; // smooth, flat
GLuint stream_vertices = 0, stream_indices = 0;
bool started = false;

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

GLuint compile(GLenum type, const char *body, bool flat)
{
    const char *parts[] = {"#version 300 es\nprecision highp float;\n",
                           flat ? "#define SHADING flat\n" : "#define SHADING smooth\n", body};
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 3, parts, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok)
        fail("shader", shader, false);
    return shader;
}

void make_program(Program &p, bool flat)
{
    p.id = glCreateProgram();
    const GLuint vs = compile(GL_VERTEX_SHADER, vertex_shader, flat);
    const GLuint fs = compile(GL_FRAGMENT_SHADER, fragment_shader, flat);
    glAttachShader(p.id, vs);
    glAttachShader(p.id, fs);
    glBindAttribLocation(p.id, a_position, "a_position");
    glBindAttribLocation(p.id, a_light_position, "a_light_position");
    glBindAttribLocation(p.id, a_normal, "a_normal");
    glBindAttribLocation(p.id, a_colour, "a_colour");
    glLinkProgram(p.id);
    GLint ok = 0;
    glGetProgramiv(p.id, GL_LINK_STATUS, &ok);
    if (!ok)
        fail("program", p.id, true);
    glDeleteShader(vs);
    glDeleteShader(fs);
    const auto u = [&](const char *name) { return glGetUniformLocation(p.id, name); };
    p.mvp = u("u_mvp");
    p.modelview = u("u_modelview");
    p.normal_matrix = u("u_normal_matrix");
    p.lighting = u("u_lighting");
    p.light0 = u("u_light0");
    p.normalize = u("u_normalize");
    p.local_viewer = u("u_local_viewer");
    p.spot = u("u_spot");
    p.colour_ambient = u("u_colour_ambient");
    p.colour_diffuse = u("u_colour_diffuse");
    p.light_position = u("u_light_position");
    p.spot_direction = u("u_spot_direction");
    p.spot_cos_cutoff = u("u_spot_cos_cutoff");
    p.spot_exponent = u("u_spot_exponent");
    p.shininess = u("u_shininess");
    p.light_ambient = u("u_light_ambient");
    p.light_diffuse = u("u_light_diffuse");
    p.light_specular = u("u_light_specular");
    p.material_ambient = u("u_material_ambient");
    p.material_diffuse = u("u_material_diffuse");
    p.material_specular = u("u_material_specular");
    p.material_emission = u("u_material_emission");
    p.scene_ambient = u("u_scene_ambient");
    p.points = u("u_points");
    p.viewport = u("u_viewport");
}

void start()
{
    if (started)
        return;
    started = true;
    make_program(programs[0], false);
    make_program(programs[1], true);
    glGenBuffers(1, &stream_vertices);
    glGenBuffers(1, &stream_indices);
}

Transforms transforms()
{
    const Context &c = context();
    Transforms t;
    const Mat4 mvp = multiply(c.projection.back(), c.modelview.back());
    std::memcpy(t.mvp, mvp.m, sizeof t.mvp);
    std::memcpy(t.modelview, c.modelview.back().m, sizeof t.modelview);
    const Mat4 n = inverse_transpose3(c.modelview.back());
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row)
            t.normal[column * 3 + row] = n.m[column * 4 + row];
    return t;
}

Settings settings()
{
    const Context &c = context();
    const Light &l = c.light;
    const Material &m = c.material;
    Settings g{};
    g.lighting = c.lighting;
    g.light0 = c.light0;
    g.normalize = c.normalize;
    g.local_viewer = c.local_viewer;
    g.spot = l.spot_cutoff != 180.0f;
    const bool tracks = c.colour_material;
    g.colour_ambient = tracks && c.colour_material_mode != GL_DIFFUSE;
    g.colour_diffuse = tracks && c.colour_material_mode != GL_AMBIENT;
    std::memcpy(g.light_position, l.position, sizeof g.light_position);
    if (l.position[3] == 0.0f)
        normalised(l.position, g.light_position); // a direction: unit length, w stays 0
    normalised(l.spot_direction, g.spot_direction);
    g.spot_cos_cutoff = std::max(0.0f, std::cos(static_cast<float>(l.spot_cutoff * pi / 180.0)));
    g.spot_exponent = l.spot_exponent;
    g.shininess = m.shininess;
    std::memcpy(g.light_ambient, l.ambient, sizeof g.light_ambient);
    std::memcpy(g.light_diffuse, l.diffuse, sizeof g.light_diffuse);
    std::memcpy(g.light_specular, l.specular, sizeof g.light_specular);
    std::memcpy(g.material_ambient, m.ambient, sizeof g.material_ambient);
    std::memcpy(g.material_diffuse, m.diffuse, sizeof g.material_diffuse);
    std::memcpy(g.material_specular, m.specular, sizeof g.material_specular);
    std::memcpy(g.material_emission, m.emission, sizeof g.material_emission);
    std::memcpy(g.scene_ambient, c.scene_ambient, sizeof g.scene_ambient);
    g.points = c.polygon_mode == GL_POINT;
    for (int i = 0; i < 4; ++i)
        g.viewport[i] = static_cast<float>(c.viewport[i]);
    return g;
}

Program &use_program(bool flat)
{
    Program &p = programs[flat ? 1 : 0];
    glUseProgram(p.id);
    const Transforms t = transforms();
    if (!p.sent || std::memcmp(&t, &p.sent_transforms, sizeof t) != 0) {
        glUniformMatrix4fv(p.mvp, 1, GL_FALSE, t.mvp);
        glUniformMatrix4fv(p.modelview, 1, GL_FALSE, t.modelview);
        glUniformMatrix3fv(p.normal_matrix, 1, GL_FALSE, t.normal);
        p.sent_transforms = t;
    }
    const Settings g = settings();
    if (!p.sent || std::memcmp(&g, &p.sent_settings, sizeof g) != 0) {
        glUniform1i(p.lighting, g.lighting);
        glUniform1i(p.light0, g.light0);
        glUniform1i(p.normalize, g.normalize);
        glUniform1i(p.local_viewer, g.local_viewer);
        glUniform1i(p.spot, g.spot);
        glUniform1i(p.colour_ambient, g.colour_ambient);
        glUniform1i(p.colour_diffuse, g.colour_diffuse);
        glUniform4fv(p.light_position, 1, g.light_position);
        glUniform3fv(p.spot_direction, 1, g.spot_direction);
        glUniform1f(p.spot_cos_cutoff, g.spot_cos_cutoff);
        glUniform1f(p.spot_exponent, g.spot_exponent);
        glUniform1f(p.shininess, g.shininess);
        glUniform4fv(p.light_ambient, 1, g.light_ambient);
        glUniform4fv(p.light_diffuse, 1, g.light_diffuse);
        glUniform4fv(p.light_specular, 1, g.light_specular);
        glUniform4fv(p.material_ambient, 1, g.material_ambient);
        glUniform4fv(p.material_diffuse, 1, g.material_diffuse);
        glUniform4fv(p.material_specular, 1, g.material_specular);
        glUniform4fv(p.material_emission, 1, g.material_emission);
        glUniform4fv(p.scene_ambient, 1, g.scene_ambient);
        glUniform1i(p.points, g.points);
        glUniform4fv(p.viewport, 1, g.viewport);
        p.sent_settings = g;
    }
    p.sent = true;
    return p;
}

// One vertex as the shader reads it: at `at`, lit as `lit`.
void put_vertex(const Mesh &m, unsigned at, unsigned lit, std::vector<float> &out)
{
    const float *p = &m.positions[at * 3];
    const float *q = &m.positions[lit * 3];
    out.insert(out.end(), {p[0], p[1], p[2], q[0], q[1], q[2]});
    if (!m.normals.empty())
        out.insert(out.end(), &m.normals[lit * 3], &m.normals[lit * 3] + 3);
    else
        out.insert(out.end(), 3, 0.0f);
    if (!m.colours.empty())
        out.insert(out.end(), &m.colours[lit * 4], &m.colours[lit * 4] + 4);
    else
        out.insert(out.end(), 4, 0.0f);
}

// The vertices and indices for one polygon mode and shading: shared
// vertices with indices, or, for flat lines and points, each vertex on its
// own carrying its polygon's lighting.
GLsizei fill_arrays(const Mesh &m, GLenum polygon_mode, bool flat, GLenum &mode, bool &indexed,
                    std::vector<float> &vertices, std::vector<GLuint> &indices)
{
    const Assembly a = assemble(m, polygon_mode);
    mode = a.mode;
    vertices.clear();
    indices.clear();
    indexed = !(flat && polygon_mode != GL_FILL);
    if (indexed) {
        for (unsigned i = 0; i < m.vertex_count(); ++i)
            put_vertex(m, i, i, vertices);
        indices.assign(a.indices.begin(), a.indices.end());
    } else {
        for (std::size_t k = 0; k < a.indices.size(); ++k)
            put_vertex(m, a.indices[k], a.provoking[k], vertices);
    }
    return static_cast<GLsizei>(a.indices.size());
}

// An attribute from the buffer's vertices, or one value for all of them.
void attribute(Attribute index, int size, int at, bool per_vertex, const float *constant)
{
    if (per_vertex) {
        glEnableVertexAttribArray(index);
        glVertexAttribPointer(index, size, GL_FLOAT, GL_FALSE, floats_per_vertex * sizeof(float),
                              reinterpret_cast<const void *>(at * sizeof(float)));
    } else {
        glDisableVertexAttribArray(index);
        size == 3 ? glVertexAttrib3fv(index, constant) : glVertexAttrib4fv(index, constant);
    }
}

void set_attributes(const Mesh &m)
{
    const Context &c = context();
    attribute(a_position, 3, 0, true, nullptr);
    attribute(a_light_position, 3, 3, true, nullptr);
    attribute(a_normal, 3, 6, !m.normals.empty(), c.normal);
    attribute(a_colour, 4, 9, !m.colours.empty(), c.colour);
}

int mode_slot(GLenum polygon_mode) { return polygon_mode == GL_FILL ? 0 : polygon_mode == GL_LINE ? 1 : 2; }

} // namespace

Mesh::~Mesh()
{
    for (auto &by_mode : buffers)
        for (Buffers &b : by_mode)
            if (b.made) {
                glDeleteBuffers(1, &b.vertices);
                glDeleteBuffers(1, &b.indices);
            }
}

void render_mesh(const Mesh &mesh)
{
    const Context &c = context();
    if (mesh.vertex_count() == 0)
        return;
    start();
    const bool flat = c.shade_model == GL_FLAT;
    use_program(flat);

    static std::vector<float> vertices;
    static std::vector<GLuint> indices;
    GLenum mode = GL_TRIANGLES;
    bool indexed = true;
    GLsizei count = 0;
    // Kept meshes keep their buffers per polygon mode and shading; the
    // others go through the stream buffers.
    if (mesh.kept) {
        Mesh::Buffers &b = const_cast<Mesh &>(mesh).buffers[mode_slot(c.polygon_mode)][flat ? 1 : 0];
        if (!b.made) {
            GLenum made_mode;
            b.count = fill_arrays(mesh, c.polygon_mode, flat, made_mode, b.indexed, vertices, indices);
            glGenBuffers(1, &b.vertices);
            glGenBuffers(1, &b.indices);
            glBindBuffer(GL_ARRAY_BUFFER, b.vertices);
            glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)), vertices.data(),
                         GL_STATIC_DRAW);
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, b.indices);
            glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)),
                         indices.data(), GL_STATIC_DRAW);
            b.made = true;
        }
        mode = c.polygon_mode == GL_FILL ? GL_TRIANGLES : c.polygon_mode == GL_LINE ? GL_LINES : GL_POINTS;
        indexed = b.indexed;
        count = b.count;
        glBindBuffer(GL_ARRAY_BUFFER, b.vertices);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, b.indices);
    } else {
        count = fill_arrays(mesh, c.polygon_mode, flat, mode, indexed, vertices, indices);
        glBindBuffer(GL_ARRAY_BUFFER, stream_vertices);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)), vertices.data(),
                     GL_STREAM_DRAW);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, stream_indices);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)),
                     indices.data(), GL_STREAM_DRAW);
    }
    if (count == 0)
        return;
    set_attributes(mesh);
    if (indexed)
        glDrawElements(mode, count, GL_UNSIGNED_INT, nullptr);
    else
        glDrawArrays(mode, 0, count);
}

} // namespace fixedgl
