// The source of the one shader program that draws everything, without its
// version line and the #defines that choose its variant (render.cpp adds
// them). Its Draw block's layout is render.cpp's DrawValues.
#pragma once

namespace fixedgl {

extern const char *const vertex_shader;
extern const char *const fragment_shader;

} // namespace fixedgl
