#pragma once

// The selection-name registry: hands out integer ids (1, 2, 3 ...) for the
// texts that name pickable objects, and gives the text back for an id.
constexpr int maxSelectedNames = 200;
constexpr int maxNameLength = 32;

extern char SelectedNamesList[maxSelectedNames][maxNameLength];
extern int SelectedNamesCount;

void set_id_and_name(unsigned int *id, const char *name);
const char *get_name_from_id(unsigned int id);

// What every named drawing does first: register its text on the first call,
// then load its id for the pick.
void load_selection_name(unsigned int *id, const char *name);
