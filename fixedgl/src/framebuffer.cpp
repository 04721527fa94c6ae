// What reaches ES's framebuffer straight away: blending, clearing, the
// viewport, flushing and reading pixels back. Each sends the waiting draws
// first, so that they go out under the state they were made in.
#include "context.h"

#include <cstring>

using namespace fixedgl;

extern "C" {

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
    const float colour[4] = {r, g, b, a};
    copy4(context().clear_colour, colour);
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

void fixedgl_ReadBuffer(GLenum mode)
{
    context().read_buffer = mode;
    glReadBuffer(mode);
}

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

} // extern "C"
