// Placeholder with the quit keys only: replaced by the controls work.
#include "controls/keyboard.h"

#include <cstdlib>

void keyboard(unsigned char key, int, int)
{
    if (key == 27 || key == 'q')
        std::exit(0);
}
void handleSpecialKeys(int, int, int) {}
