// The name registry with any texts, registered any number of times: the first
// byte says how many rounds, the rest are the texts, one a line. Every id
// handed out is the next in turn until the table is full, and every lookup,
// of any id, gives a zero-terminated text inside one slot.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "scene/selection_names.h"

namespace {

void check_lookup(unsigned int id)
{
    const char *name = get_name_from_id(id);
    const char *first = SelectedNamesList[0];
    const std::ptrdiff_t at = name - first;
    if (at < 0 || at >= maxSelectedNames * maxNameLength || at % maxNameLength != 0 ||
        std::memchr(name, '\0', maxNameLength) == nullptr)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    std::memset(SelectedNamesList, 0, sizeof SelectedNamesList);
    SelectedNamesCount = 1;

    std::vector<std::string> texts(1);
    for (size_t i = 1; i < size; ++i) {
        if (data[i] == '\n')
            texts.emplace_back();
        else
            texts.back() += static_cast<char>(data[i]);
    }
    const int rounds = 1 + data[0];
    for (int round = 0; round < rounds; ++round) {
        for (const std::string &text : texts) {
            const int before = SelectedNamesCount;
            unsigned int id = 0;
            set_id_and_name(&id, text.c_str()); // cut at an embedded zero byte, as any C text
            const bool full = before >= maxSelectedNames;
            if (SelectedNamesCount != (full ? before : before + 1) || id != (full ? 0u : unsigned(before)))
                __builtin_trap();
            if (!full && std::strncmp(SelectedNamesList[id], text.c_str(), maxNameLength - 1) != 0)
                __builtin_trap();
        }
    }
    for (unsigned int id = 0; id <= maxSelectedNames + 1; ++id)
        check_lookup(id);
    for (size_t i = 0; i + sizeof(unsigned int) <= size; i += sizeof(unsigned int)) {
        unsigned int id;
        std::memcpy(&id, data + i, sizeof id);
        check_lookup(id);
    }
    return 0;
}
