// processHits on any buffer contents and any record count. The buffer is the
// select buffer's size on the heap, so that a read past its end shows; the
// chosen name must be a registered text or the blank.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

#include "core/toolkit.h"
#include "interaction/picking.h"
#include "scene/selection_names.h"

namespace {

// As many names as the scene registers, so that ids both in and past the registry occur.
constexpr int scene_names = 131;

bool prepare()
{
    set_window_title = [](const char *) {};
    for (int i = 0; i < scene_names; ++i) {
        unsigned int id = 0;
        set_id_and_name(&id, "Bauer Nr. 11");
    }
    return true;
}

bool is_registered_text(const char *name)
{
    const char *first = SelectedNamesList[0];
    const char *end = SelectedNamesList[SelectedNamesCount];
    return name >= first && name < end && (name - first) % maxNameLength == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool prepared = prepare();
    (void)prepared;
    int count = 0;
    if (size < sizeof count)
        return 0;
    std::memcpy(&count, data, sizeof count);
    data += sizeof count;
    size -= sizeof count;

    std::vector<unsigned int> buffer(std::size(select_buffer));
    std::memcpy(buffer.data(), data, std::min(size, buffer.size() * sizeof buffer[0]));
    processHits(count, buffer.data());
    if (std::strcmp(selected_name, " ") != 0 && !is_registered_text(selected_name))
        __builtin_trap();
    return 0;
}
