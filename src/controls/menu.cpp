// The pop-up menu on the middle button: each entry stands for a key and does
// exactly what that key does.
#include "controls/menu.h"

#include <GL/freeglut.h>

#include "controls/keyboard.h"

const TMenuEntry menu_entries[] = {
    {"Polygon: Points", 'p'},
    {"Polygon: Lines", 'l'},
    {"Polygon: Fill", 'f'},
    {"Hilfe", 'h'},
    {"Start/Stop", ' '},
    {"Textur", 't'},
    {"Transparenz", 'd'},
    {"B.Perspektive K", 'K'},
    {"B.Perspektive k", 'k'},
    {"Lichtquelle", 'a'},
    {"Lichtquelle oben", 'o'},
    {"Lichtquelle unten", 'u'},
    {"Lichtquelle rechts", '+'},
    {"Lichtquelle links", '-'},
};
static_assert(sizeof menu_entries / sizeof menu_entries[0] == menu_entry_count, "one row per entry");

void create_menu()
{
    glutCreateMenu(menu);
    glutAttachMenu(GLUT_MIDDLE_BUTTON);
    for (int i = 0; i < menu_entry_count; ++i)
        glutAddMenuEntry(menu_entries[i].label, i + 1);
}

void menu(int value)
{
    if (value < 1 || value > menu_entry_count)
        return;
    keyboard(menu_entries[value - 1].key, 0, 0);
}
