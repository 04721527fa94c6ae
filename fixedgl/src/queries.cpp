// glGet: the state the layer keeps, read back as GL gives it.
#include "context.h"

#include <cstring>

using namespace fixedgl;

extern "C" {

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
