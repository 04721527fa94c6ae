#pragma once

// The page's half of the web platform, written in JavaScript (page*.js): the
// canvas and its events, the title, the menu, the help box, timers and the
// threads of thread.cpp. Texts go over as they are, Windows-1252 bytes.
#include <emscripten.h>

#include "platform/thread.h"

extern "C" {

// Sizes the canvas (CSS pixels), shows the title and starts taking the
// page's events.
void web_window_open(int width, int height, const char *title);
void web_window_title(const char *title);
// The page says that this browser cannot draw the scene (no WebGL 2), once
// the program has ended.
void web_no_webgl();
// The canvas's size in device pixels: the window's size as the program sees it.
int web_window_width();
int web_window_height();
// Asks for one web_on_display before the next paint; while the canvas's
// context is lost, for one once it is back (web_on_context_restored).
void web_request_frame();
// Calls web_on_timer(callback, value) after the given time.
void web_timer_start(unsigned milliseconds, void (*callback)(int), int value);
// Milliseconds since the page started the program.
double web_elapsed_ms();

// The pop-up menu: entries in order, opened by a mouse button over the canvas.
void web_menu_add(int menu, const char *label, int value);
void web_menu_attach(int menu, int button);

// Runs web_thread_run(proc) from the page's event loop.
void web_thread_start(ThreadProc proc);
// Within such a thread: wait, while the page goes on.
void web_thread_sleep(unsigned milliseconds);
void web_box_show(const char *text, const char *title);
// Gives the open help box the focus; nothing if none is open.
void web_box_raise();

// What the page calls: exported, kept whether or not C++ calls them.
EMSCRIPTEN_KEEPALIVE void web_on_reshape(int width, int height);
EMSCRIPTEN_KEEPALIVE void web_on_display();
// The canvas's WebGL context, lost, has been given back.
EMSCRIPTEN_KEEPALIVE void web_on_context_restored();
EMSCRIPTEN_KEEPALIVE void web_on_key(int key, int x, int y);
EMSCRIPTEN_KEEPALIVE void web_on_special(int key, int x, int y);
EMSCRIPTEN_KEEPALIVE void web_on_mouse(int button, int state, int x, int y);
EMSCRIPTEN_KEEPALIVE void web_on_motion(int x, int y);
EMSCRIPTEN_KEEPALIVE void web_on_timer(void (*callback)(int), int value);
EMSCRIPTEN_KEEPALIVE void web_on_menu(int menu, int value);
EMSCRIPTEN_KEEPALIVE void web_thread_run(ThreadProc proc);
}
