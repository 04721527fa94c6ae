// Linked into sanitizer builds only. Mesa unloads its driver module before the
// leak check runs at exit, and the driver's own allocations then show up with
// no module name that a suppression could match. Holding the module loaded
// keeps its frames named, so tests/lsan.supp can suppress exactly the driver.
#include <dlfcn.h>

namespace {
[[gnu::constructor]] void keep_gl_driver_loaded()
{
    dlopen(SCHACH3D_GL_DRIVER, RTLD_NOW | RTLD_NODELETE);
}
} // namespace
