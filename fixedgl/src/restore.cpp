// Taking up a context that was lost and given back (fixedgl.h).
#include "context.h"

#include <fixedgl.h>

using namespace fixedgl;

extern "C" void fixedgl_context_restored(void)
{
    forget_es_objects();
    // ES's state is at its defaults again: what the layer passes through
    // goes again. (The pack alignment goes with each read.)
    const Context &c = context();
    const struct {
        GLenum cap;
        bool on;
    } switches[] = {{GL_DEPTH_TEST, c.depth_test}, {GL_BLEND, c.blend}, {GL_CULL_FACE, c.cull_face}};
    for (const auto &s : switches)
        if (s.on)
            glEnable(s.cap);
    glBlendFunc(c.blend_src, c.blend_dst);
    glClearColor(c.clear_colour[0], c.clear_colour[1], c.clear_colour[2], c.clear_colour[3]);
    glViewport(c.viewport[0], c.viewport[1], c.viewport[2], c.viewport[3]);
    glReadBuffer(c.read_buffer);
}
