// Switches, lights, materials, the current colour and normal, errors and
// queries: state that ES does not hold, kept for the shader and for glGet.
#include "context.h"

#include <cmath>
#include <cstring>

namespace fixedgl {

namespace {

void copy4(float *to, const float *from) { std::memcpy(to, from, 4 * sizeof(float)); }

void normalise3(float v[3])
{
    float length = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    if (length != 0.0f) {
        length = 1.0f / std::sqrt(length);
        v[0] *= length;
        v[1] *= length;
        v[2] *= length;
    }
}

// While colour material is on, the material follows the current colour.
void track_colour()
{
    Context &c = context();
    if (!c.front_tracks_colour())
        return;
    if (c.colour_material_mode == GL_AMBIENT || c.colour_material_mode == GL_AMBIENT_AND_DIFFUSE)
        copy4(c.material.ambient, c.colour);
    if (c.colour_material_mode == GL_DIFFUSE || c.colour_material_mode == GL_AMBIENT_AND_DIFFUSE)
        copy4(c.material.diffuse, c.colour);
}

void set_colour(float r, float g, float b, float a)
{
    Context &c = context();
    const float colour[4] = {r, g, b, a};
    copy4(c.colour, colour);
    if (c.inside_begin) {
        c.building_colours = true;
        return;
    }
    track_colour();
}

bool *capability(GLenum cap)
{
    Context &c = context();
    switch (cap) {
    case GL_LIGHTING: return &c.lighting;
    case GL_LIGHT0: return &c.light0;
    case GL_COLOR_MATERIAL: return &c.colour_material;
    case GL_NORMALIZE: return &c.normalize;
    case GL_DEPTH_TEST: return &c.depth_test;
    case GL_BLEND: return &c.blend;
    case GL_CULL_FACE: return &c.cull_face;
    default: return nullptr;
    }
}

void set_capability(GLenum cap, bool on)
{
    bool *flag = capability(cap);
    if (flag == nullptr)
        return set_error(GL_INVALID_ENUM);
    // ES keeps these three itself: the draws waiting for it go out under the old value.
    if ((cap == GL_DEPTH_TEST || cap == GL_BLEND || cap == GL_CULL_FACE) && *flag != on) {
        flush_draws();
        on ? glEnable(cap) : glDisable(cap);
    }
    *flag = on;
    if (cap == GL_COLOR_MATERIAL && on)
        track_colour();
}

float *material_vector(Material &m, GLenum pname)
{
    switch (pname) {
    case GL_AMBIENT: return m.ambient;
    case GL_DIFFUSE: return m.diffuse;
    case GL_SPECULAR: return m.specular;
    case GL_EMISSION: return m.emission;
    default: return nullptr;
    }
}

// The scalar form of a call is for the names that take one value; any other
// is GL's error, recorded like the call when a list is being compiled.
bool takes_one_value(bool scalar)
{
    if (!scalar && !record([] { set_error(GL_INVALID_ENUM); }))
        set_error(GL_INVALID_ENUM);
    return scalar;
}

bool valid_face(GLenum face) { return face == GL_FRONT || face == GL_BACK || face == GL_FRONT_AND_BACK; }

} // namespace

Context &context()
{
    static Context c;
    return c;
}

void set_error(GLenum error)
{
    // The first error stays until glGetError reads it.
    Context &c = context();
    if (c.error == GL_NO_ERROR)
        c.error = error;
}

bool record(std::function<void()> call)
{
    Context &c = context();
    if (c.compiling == 0)
        return false;
    c.lists[c.compiling].push_back(std::move(call));
    return !c.compile_and_execute;
}

} // namespace fixedgl

using namespace fixedgl;

extern "C" {

void fixedgl_Enable(GLenum cap)
{
    if (record([=] { fixedgl_Enable(cap); }))
        return;
    set_capability(cap, true);
}

void fixedgl_Disable(GLenum cap)
{
    if (record([=] { fixedgl_Disable(cap); }))
        return;
    set_capability(cap, false);
}

GLboolean fixedgl_IsEnabled(GLenum cap)
{
    const bool *flag = capability(cap);
    if (flag == nullptr) {
        set_error(GL_INVALID_ENUM);
        return GL_FALSE;
    }
    return *flag ? GL_TRUE : GL_FALSE;
}

void fixedgl_Color4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    if (!context().inside_begin && record([=] { fixedgl_Color4f(r, g, b, a); }))
        return;
    set_colour(r, g, b, a);
}

void fixedgl_Color3f(GLfloat r, GLfloat g, GLfloat b) { fixedgl_Color4f(r, g, b, 1.0f); }
void fixedgl_Color3fv(const GLfloat *v) { fixedgl_Color4f(v[0], v[1], v[2], 1.0f); }

void fixedgl_Color4dv(const GLdouble *v)
{
    // Kept as given, above 1 included: lighting multiplies first and clamps after.
    fixedgl_Color4f(static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2]),
                    static_cast<float>(v[3]));
}

void fixedgl_Normal3f(GLfloat x, GLfloat y, GLfloat z)
{
    Context &c = context();
    if (!c.inside_begin && record([=] { fixedgl_Normal3f(x, y, z); }))
        return;
    c.normal[0] = x;
    c.normal[1] = y;
    c.normal[2] = z;
    if (c.inside_begin)
        c.building_normals = true;
}

void fixedgl_Normal3fv(const GLfloat *v) { fixedgl_Normal3f(v[0], v[1], v[2]); }

void fixedgl_Lightf(GLenum light, GLenum pname, GLfloat param)
{
    if (takes_one_value(pname == GL_SPOT_EXPONENT || pname == GL_SPOT_CUTOFF))
        fixedgl_Lightfv(light, pname, &param);
}

void fixedgl_Lightfv(GLenum light, GLenum pname, const GLfloat *params)
{
    float values[4] = {params[0], 0.0f, 0.0f, 0.0f};
    if (pname == GL_SPOT_DIRECTION)
        std::memcpy(values, params, 3 * sizeof(float));
    else if (pname != GL_SPOT_EXPONENT && pname != GL_SPOT_CUTOFF)
        std::memcpy(values, params, 4 * sizeof(float));
    if (record([=] { fixedgl_Lightfv(light, pname, values); }))
        return;

    Context &c = context();
    if (light != GL_LIGHT0) // the layer has the one light the scene uses
        return set_error(GL_INVALID_ENUM);
    Light &l = c.light;
    const Mat4 &mv = c.modelview.back();
    switch (pname) {
    case GL_AMBIENT: copy4(l.ambient, values); break;
    case GL_DIFFUSE: copy4(l.diffuse, values); break;
    case GL_SPECULAR: copy4(l.specular, values); break;
    case GL_POSITION:
        transform(mv, values, l.position); // fixed in the eye's frame as the matrix stands now
        break;
    case GL_SPOT_DIRECTION: {
        const float *m = mv.m;
        for (int i = 0; i < 3; ++i)
            l.spot_direction[i] = values[0] * m[i] + values[1] * m[4 + i] + values[2] * m[8 + i];
        break;
    }
    case GL_SPOT_EXPONENT:
        if (values[0] < 0.0f || values[0] > 128.0f)
            return set_error(GL_INVALID_VALUE);
        l.spot_exponent = values[0];
        break;
    case GL_SPOT_CUTOFF:
        if ((values[0] < 0.0f || values[0] > 90.0f) && values[0] != 180.0f)
            return set_error(GL_INVALID_VALUE);
        l.spot_cutoff = values[0];
        break;
    default:
        return set_error(GL_INVALID_ENUM);
    }
}

void fixedgl_LightModeli(GLenum pname, GLint param)
{
    if (record([=] { fixedgl_LightModeli(pname, param); }))
        return;
    if (pname != GL_LIGHT_MODEL_LOCAL_VIEWER)
        return set_error(GL_INVALID_ENUM);
    context().local_viewer = param != 0;
}

void fixedgl_LightModelfv(GLenum pname, const GLfloat *params)
{
    float values[4];
    std::memcpy(values, params, sizeof values);
    if (record([=] { fixedgl_LightModelfv(pname, values); }))
        return;
    if (pname == GL_LIGHT_MODEL_AMBIENT)
        copy4(context().scene_ambient, values);
    else if (pname == GL_LIGHT_MODEL_LOCAL_VIEWER)
        context().local_viewer = values[0] != 0.0f;
    else
        set_error(GL_INVALID_ENUM);
}

void fixedgl_Materialf(GLenum face, GLenum pname, GLfloat param)
{
    if (takes_one_value(pname == GL_SHININESS))
        fixedgl_Materialfv(face, pname, &param);
}

void fixedgl_Materialfv(GLenum face, GLenum pname, const GLfloat *params)
{
    float values[4] = {params[0], 0.0f, 0.0f, 0.0f};
    if (pname != GL_SHININESS)
        std::memcpy(values, params, sizeof values);
    if (record([=] { fixedgl_Materialfv(face, pname, values); }))
        return;
    if (!valid_face(face))
        return set_error(GL_INVALID_ENUM);
    // Two-sided lighting is off: the back faces are lit with the front
    // material, so only the front one is kept.
    if (face == GL_BACK)
        return;
    Material &m = context().material;
    if (pname == GL_SHININESS) {
        if (values[0] < 0.0f || values[0] > 128.0f)
            return set_error(GL_INVALID_VALUE);
        m.shininess = values[0];
    } else if (pname == GL_AMBIENT_AND_DIFFUSE) {
        copy4(m.ambient, values);
        copy4(m.diffuse, values);
    } else if (float *v = material_vector(m, pname)) {
        copy4(v, values);
    } else {
        return set_error(GL_INVALID_ENUM);
    }
    track_colour(); // the tracked ones follow the colour, whatever was given
}

void fixedgl_ColorMaterial(GLenum face, GLenum mode)
{
    if (record([=] { fixedgl_ColorMaterial(face, mode); }))
        return;
    if (!valid_face(face) || (mode != GL_AMBIENT && mode != GL_DIFFUSE && mode != GL_AMBIENT_AND_DIFFUSE))
        return set_error(GL_INVALID_ENUM);
    Context &c = context();
    c.colour_material_face = face;
    c.colour_material_mode = mode;
    track_colour();
}

void fixedgl_ShadeModel(GLenum mode)
{
    if (record([=] { fixedgl_ShadeModel(mode); }))
        return;
    if (mode != GL_FLAT && mode != GL_SMOOTH)
        return set_error(GL_INVALID_ENUM);
    context().shade_model = mode;
}

void fixedgl_PolygonMode(GLenum face, GLenum mode)
{
    if (record([=] { fixedgl_PolygonMode(face, mode); }))
        return;
    // Nothing is culled here, so a mode for one side alone is not kept apart.
    if (face != GL_FRONT_AND_BACK || (mode != GL_POINT && mode != GL_LINE && mode != GL_FILL))
        return set_error(GL_INVALID_ENUM);
    context().polygon_mode = mode;
}

void fixedgl_BlendFunc(GLenum sfactor, GLenum dfactor)
{
    if (record([=] { fixedgl_BlendFunc(sfactor, dfactor); }))
        return;
    Context &c = context();
    if (c.blend_src == sfactor && c.blend_dst == dfactor)
        return;
    flush_draws();
    c.blend_src = sfactor;
    c.blend_dst = dfactor;
    glBlendFunc(sfactor, dfactor);
}

void fixedgl_ClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a)
{
    if (record([=] { fixedgl_ClearColor(r, g, b, a); }))
        return;
    glClearColor(r, g, b, a);
}

void fixedgl_Clear(GLbitfield mask)
{
    if (record([=] { fixedgl_Clear(mask); }))
        return;
    if (context().render_mode == GL_RENDER) { // selecting draws nothing
        flush_draws();
        glClear(mask);
    }
}

void fixedgl_Viewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    if (record([=] { fixedgl_Viewport(x, y, width, height); }))
        return;
    if (width < 0 || height < 0)
        return set_error(GL_INVALID_VALUE);
    GLint *v = context().viewport;
    if (v[0] != x || v[1] != y || v[2] != width || v[3] != height)
        flush_draws();
    v[0] = x;
    v[1] = y;
    v[2] = width;
    v[3] = height;
    glViewport(x, y, width, height);
}

void fixedgl_Flush(void)
{
    flush_draws();
    glFlush();
}

void fixedgl_Finish(void)
{
    flush_draws();
    glFinish();
}

void fixedgl_ReadBuffer(GLenum mode) { glReadBuffer(mode); }

void fixedgl_PixelStorei(GLenum pname, GLint param)
{
    if (pname != GL_PACK_ALIGNMENT || (param != 1 && param != 2 && param != 4 && param != 8))
        return set_error(pname != GL_PACK_ALIGNMENT ? GL_INVALID_ENUM : GL_INVALID_VALUE);
    context().pack_alignment = param;
}

void fixedgl_ReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void *pixels)
{
    // ES reads RGBA bytes; GL's other forms the scene's checks use are made from them.
    if ((format != GL_RGB && format != GL_RGBA) || (type != GL_UNSIGNED_BYTE && type != GL_FLOAT))
        return set_error(GL_INVALID_ENUM);
    if (width < 0 || height < 0)
        return set_error(GL_INVALID_VALUE);
    std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * height * 4);
    flush_draws();
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    const int channels = format == GL_RGB ? 3 : 4;
    const std::size_t size = type == GL_FLOAT ? sizeof(float) : 1;
    const std::size_t align = static_cast<std::size_t>(context().pack_alignment);
    const std::size_t row_bytes = (width * channels * size + align - 1) / align * align;
    for (int row = 0; row < height; ++row) {
        unsigned char *out = static_cast<unsigned char *>(pixels) + row * row_bytes;
        for (int i = 0; i < width; ++i)
            for (int k = 0; k < channels; ++k) {
                const unsigned char byte = rgba[(static_cast<std::size_t>(row) * width + i) * 4 + k];
                if (type == GL_FLOAT) {
                    const float f = byte / 255.0f;
                    std::memcpy(out + (i * channels + k) * sizeof(float), &f, sizeof f);
                } else {
                    out[i * channels + k] = byte;
                }
            }
    }
}

GLenum fixedgl_GetError(void)
{
    Context &c = context();
    const GLenum error = c.error;
    c.error = GL_NO_ERROR;
    return error;
}

void fixedgl_GetFloatv(GLenum pname, GLfloat *params)
{
    Context &c = context();
    switch (pname) {
    case GL_CURRENT_COLOR: copy4(params, c.colour); return;
    case GL_CURRENT_NORMAL: std::memcpy(params, c.normal, 3 * sizeof(float)); return;
    case GL_MODELVIEW_MATRIX: std::memcpy(params, c.modelview.back().m, 16 * sizeof(float)); return;
    case GL_PROJECTION_MATRIX: std::memcpy(params, c.projection.back().m, 16 * sizeof(float)); return;
    case GL_LIGHT_MODEL_AMBIENT: copy4(params, c.scene_ambient); return;
    default: break;
    }
    GLint values[4] = {};
    const GLenum before = c.error;
    fixedgl_GetIntegerv(pname, values);
    if (c.error != before)
        return;
    const int count = pname == GL_VIEWPORT ? 4 : pname == GL_POLYGON_MODE ? 2 : 1;
    for (int i = 0; i < count; ++i)
        params[i] = static_cast<float>(values[i]);
}

void fixedgl_GetDoublev(GLenum pname, GLdouble *params)
{
    GLfloat values[16] = {};
    const int count = pname == GL_MODELVIEW_MATRIX || pname == GL_PROJECTION_MATRIX ? 16
                      : pname == GL_VIEWPORT || pname == GL_CURRENT_COLOR || pname == GL_LIGHT_MODEL_AMBIENT ? 4
                      : pname == GL_CURRENT_NORMAL ? 3
                      : pname == GL_POLYGON_MODE ? 2
                                                 : 1;
    fixedgl_GetFloatv(pname, values);
    for (int i = 0; i < count; ++i)
        params[i] = values[i];
}

void fixedgl_GetIntegerv(GLenum pname, GLint *params)
{
    Context &c = context();
    switch (pname) {
    case GL_VIEWPORT: std::memcpy(params, c.viewport, sizeof c.viewport); return;
    case GL_MATRIX_MODE: *params = static_cast<GLint>(c.matrix_mode); return;
    case GL_MODELVIEW_STACK_DEPTH: *params = static_cast<GLint>(c.modelview.size()); return;
    case GL_PROJECTION_STACK_DEPTH: *params = static_cast<GLint>(c.projection.size()); return;
    case GL_RENDER_MODE: *params = static_cast<GLint>(c.render_mode); return;
    case GL_SHADE_MODEL: *params = static_cast<GLint>(c.shade_model); return;
    case GL_POLYGON_MODE: params[0] = params[1] = static_cast<GLint>(c.polygon_mode); return;
    case GL_BLEND_SRC: *params = static_cast<GLint>(c.blend_src); return;
    case GL_BLEND_DST: *params = static_cast<GLint>(c.blend_dst); return;
    case GL_NAME_STACK_DEPTH: *params = static_cast<GLint>(c.names.size()); return;
    default: set_error(GL_INVALID_ENUM);
    }
}

void fixedgl_GetLightfv(GLenum light, GLenum pname, GLfloat *params)
{
    if (light != GL_LIGHT0)
        return set_error(GL_INVALID_ENUM);
    const Light &l = context().light;
    switch (pname) {
    case GL_AMBIENT: copy4(params, l.ambient); return;
    case GL_DIFFUSE: copy4(params, l.diffuse); return;
    case GL_SPECULAR: copy4(params, l.specular); return;
    case GL_POSITION: copy4(params, l.position); return;
    case GL_SPOT_DIRECTION: std::memcpy(params, l.spot_direction, 3 * sizeof(float)); return;
    case GL_SPOT_EXPONENT: *params = l.spot_exponent; return;
    case GL_SPOT_CUTOFF: *params = l.spot_cutoff; return;
    default: set_error(GL_INVALID_ENUM);
    }
}

void fixedgl_GetMaterialfv(GLenum face, GLenum pname, GLfloat *params)
{
    if (face != GL_FRONT && face != GL_BACK)
        return set_error(GL_INVALID_ENUM);
    Material &m = context().material;
    if (pname == GL_SHININESS) {
        *params = m.shininess;
    } else if (const float *v = material_vector(m, pname)) {
        copy4(params, v);
    } else {
        set_error(GL_INVALID_ENUM);
    }
}

} // extern "C"

namespace fixedgl {
// Spot direction and directional light position as the shader wants them.
void normalised(const float in[3], float out[3])
{
    std::memcpy(out, in, 3 * sizeof(float));
    normalise3(out);
}
} // namespace fixedgl
