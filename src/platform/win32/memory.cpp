#include "platform/memory.h"

// The Windows heap keeps freed blocks for reuse by itself (its low-fragmentation
// front end is on by default): there is nothing to set.
void keep_freed_memory_for_reuse() {}
