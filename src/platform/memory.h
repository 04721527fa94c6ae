#pragma once

// Keeps memory that is freed in the heap for reuse instead of handing it back
// to the system at once.
void keep_freed_memory_for_reuse();
