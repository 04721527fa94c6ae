// The layer's one context, GL's error flag, and the recording of calls into
// the display list being compiled.
#include "context.h"

namespace fixedgl {

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

extern "C" GLenum fixedgl_GetError(void)
{
    Context &c = context();
    const GLenum error = c.error;
    c.error = GL_NO_ERROR;
    return error;
}
