#include "platform/memory.h"

// The WebAssembly heap is the program's own: nothing is handed back to a
// system that could be kept instead.
void keep_freed_memory_for_reuse() {}
