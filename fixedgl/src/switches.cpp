// glEnable's switches and the polygon mode: kept for the shader's variants
// and for glGet; the three that ES keeps itself are handed on to it.
#include "context.h"

namespace fixedgl {

namespace {

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

} // namespace

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

void fixedgl_PolygonMode(GLenum face, GLenum mode)
{
    if (record([=] { fixedgl_PolygonMode(face, mode); }))
        return;
    // Nothing is culled here, so a mode for one side alone is not kept apart.
    if (face != GL_FRONT_AND_BACK || (mode != GL_POINT && mode != GL_LINE && mode != GL_FILL))
        return set_error(GL_INVALID_ENUM);
    context().polygon_mode = mode;
}

} // extern "C"
