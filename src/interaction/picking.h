#pragma once

// Mouse picking through the GL selection mode.
extern unsigned int select_buffer[512];
extern const char *selected_name; // text of the last pick, " " when nothing was hit

void handleMouse(int button, int state, int x, int y);
void handleMouseMove(int x, int y);
void myPickFunc(int x, int y, int flag);
void processHits(int count, unsigned int *buffer);
