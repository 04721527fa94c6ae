#pragma once

// A real GL context for gl tests: a freeglut window of 900 by 600 on the
// display the test runs under, set up as start-up and the first reshape set
// it up. Each test case runs in its own process, so each gets a fresh one.
#include <GL/freeglut.h>
#include <array>
#include <string>

void open_gl_scene(int width = 900, int height = 600);

// Window position (x right, y down from the top) of a world point, through the
// current modelview and projection matrices and viewport.
std::array<double, 3> project(double x, double y, double z);

// A matrix of the GL state (GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX).
std::array<GLdouble, 16> gl_matrix(GLenum which);

// The name that the program's own pick finds where the world point shows in
// the window; flag as myPickFunc's (1: a left press, the handlers run).
std::string pick_at(double x, double y, double z, int flag = 0);

// RGB of the back buffer at a window position (y down from the top), 0..1.
std::array<float, 3> back_buffer_rgb(int x, int y);

// Clears and draws one frame into the back buffer, without swapping, so that
// its pixels can be read back.
void draw_frame_to_back_buffer();

// Memory this process holds, in MiB: what grows if something leaks with use.
double memory_in_use_mib();

// The redisplays the program has asked for since the test set post_redisplay
// to count_redisplay.
extern int redisplays;
void count_redisplay();
