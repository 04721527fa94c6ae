#pragma once

// The display callback: clear, the render pass, swap.
void my_draw();
// One frame into the back buffer, without the swap: what my_draw shows.
void draw_frame();
