#pragma once

// From now on, a repeat of a held key reaches the calling thread's windows
// only if the key's first press came to this thread too.
void keep_out_repeats_of_presses_elsewhere();
