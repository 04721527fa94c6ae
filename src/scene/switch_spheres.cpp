// Placeholder until the switch spheres are drawn: replaced by the scene work.
#include "scene/switch_spheres.h"

#define SCHACH3D_SWITCH_SPHERE_ENTRY(proc, ...) \
    void proc() {}
SCHACH3D_SWITCH_SPHERES(SCHACH3D_SWITCH_SPHERE_ENTRY)
#undef SCHACH3D_SWITCH_SPHERE_ENTRY
