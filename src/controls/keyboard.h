#pragma once

void keyboard(unsigned char key, int x, int y);
void handleSpecialKeys(int key, int x, int y);
