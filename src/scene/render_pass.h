#pragma once

// Draws the whole scene in its fixed order, the same for the screen (GL_RENDER)
// and for picking (GL_SELECT).
void DrawObjects(unsigned int mode);
