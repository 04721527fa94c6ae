#include "scene/selection_names.h"

#include <GL/gl.h>
#include <cstring>

char SelectedNamesList[maxSelectedNames][maxNameLength];
int SelectedNamesCount = 1;

void set_id_and_name(unsigned int *id, const char *name)
{
    if (SelectedNamesCount >= maxSelectedNames)
        return; // full: the caller keeps id 0 and tries again on its next draw
    char *slot = SelectedNamesList[SelectedNamesCount];
    // strncpy pads with zero bytes; the last byte stays zero so that a long
    // text is cut to 31 characters instead of losing its terminator.
    std::strncpy(slot, name, maxNameLength - 1);
    slot[maxNameLength - 1] = '\0';
    *id = static_cast<unsigned int>(SelectedNamesCount);
    ++SelectedNamesCount;
}

const char *get_name_from_id(unsigned int id)
{
    // An id the registry never handed out names nothing: the empty text.
    if (id < static_cast<unsigned int>(SelectedNamesCount))
        return SelectedNamesList[id];
    return SelectedNamesList[0];
}

void load_selection_name(unsigned int *id, const char *name)
{
    if (*id == 0)
        set_id_and_name(id, name);
    glLoadName(*id);
}
