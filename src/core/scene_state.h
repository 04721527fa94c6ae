#pragma once

// The global scene state: every value that more than one callback reads.
// Each is defined once, with its start value, in scene_state.cpp.

struct TMiniSphere {
    double radius;
    int slices;
    int stacks;
    int color_index;   // 0..3, which of colors the marker and the light take
    float offset;      // MiniSphere: height above the board; MiniSphere1: shift along x
    float colors[4][4];
};

// Window and projection
extern int win_width;
extern int win_height;
extern float z_Near;
extern float z_Far;

// Camera
extern float viewer_distance;
extern float theta;
extern double eyex, eyey, eyez;
extern double centerx, centery, centerz;
extern double upx, upy, upz;

// Light and light marker
extern int licht_an;
extern TMiniSphere MiniSphere;
extern TMiniSphere MiniSphere1;
extern float Light_Position[4];
extern float Spot_Direction[4];
extern float Spot_Exponent;
extern float Spot_CutoffAngle;
extern float mat_specular[4];
extern float mat_shininess;

// View and display switches
extern int Transparez_ein;
extern int tex_ok;

// Scene clock
extern double myTime;
extern int stop_time;
