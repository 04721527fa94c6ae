#include <windows.h>
#include <psapi.h>

#include "gl_scene.h"

// The working set: what Windows keeps resident of this process.
double memory_in_use_mib()
{
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0.0;
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}
