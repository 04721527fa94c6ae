// Placeholder until picking is built: replaced by the picking work.
#include "interaction/picking.h"

unsigned int select_buffer[512];
const char *selected_name = " ";
void handleMouse(int, int, int, int) {}
void handleMouseMove(int, int) {}
void myPickFunc(int, int, int) {}
void processHits(int, unsigned int *) {}
