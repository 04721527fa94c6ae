#pragma once

void create_menu();
void menu(int value);

// One entry of the pop-up menu: its label and the key it stands for.
struct TMenuEntry {
    const char *label;
    unsigned char key;
};
constexpr int menu_entry_count = 14;
// The entries from top to bottom; entry i has the value i + 1.
extern const TMenuEntry menu_entries[];
