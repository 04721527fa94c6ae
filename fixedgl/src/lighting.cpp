// The current colour and normal, the light, the light model, the material
// and colour material: what the shader lights each vertex with.
#include "context.h"

#include <cmath>
#include <cstring>

namespace fixedgl {

namespace {

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

// Spot direction and directional light position as the shader wants them.
void normalised(const float in[3], float out[3])
{
    std::memcpy(out, in, 3 * sizeof(float));
    normalise3(out);
}

} // namespace fixedgl

using namespace fixedgl;

extern "C" {

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

} // extern "C"
