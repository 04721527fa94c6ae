#include "platform/memory.h"

#include <malloc.h>

void keep_freed_memory_for_reuse()
{
    // Mesa's software renderer frees and allocates buffers of the window's size
    // (megabytes) on every frame. With glibc's defaults each is a fresh mmap,
    // and the page faults on it cost about a third of a frame. 32 MiB is the
    // largest threshold glibc takes; a full-screen colour buffer is below it.
    constexpr int keep = 32 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, keep);
    mallopt(M_TRIM_THRESHOLD, keep);
}
