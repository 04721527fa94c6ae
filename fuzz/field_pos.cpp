// GetChessFieldPos on any bytes, as a zero-terminated text of exactly their
// length on the heap, so that a read past the terminator shows. A name is a
// field exactly when its first two bytes are "A".."H" and "1".."8", and then
// the position is that field's centre.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "scene/chess_board.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<char> name(data, data + size);
    name.push_back('\0');
    float pos[3] = {-1.0f, -1.0f, -1.0f};
    const int result = GetChessFieldPos(name.data(), pos);
    std::fflush(stdout); // the position line; run with -close_fd_mask=1 to drop it

    const bool field = name[0] >= 'A' && name[0] <= 'H' && name[1] >= '1' && name[1] <= '8';
    if (result != (field ? 1 : 0) || pos[2] != 0.0f)
        __builtin_trap();
    if (field && (pos[0] != name[0] - 'E' + 0.5f || pos[1] != name[1] - '1' - 3.5f))
        __builtin_trap();
    return 0;
}
