#include "core/scene_state.h"

int win_width = 900;
int win_height = 600;
float z_Near = 1.0f;
float z_Far = 50.0f;

float viewer_distance = 10.0f;
float theta = 0.62831855f; // 36 degrees
double eyex, eyey, eyez;   // computed by my_view before each use
double centerx = 0.0, centery = 0.0, centerz = 0.0;
double upx = 0.0, upy = 0.001, upz = 1.0;

int licht_an = 1;
TMiniSphere MiniSphere = {
    0.5, 12, 12, 0, 5.6f,
    {{0.9f, 0.9f, 0.9f, 0.9f}, {0.9f, 0.4f, 0.2f, 1.0f}, {0.2f, 0.9f, 0.4f, 1.0f}, {0.8f, 0.1f, 0.8f, 0.8f}},
};
TMiniSphere MiniSphere1 = {
    0.5, 12, 12, 0, 0.0f,
    {{0.1f, 0.1f, 1.0f, 1.0f}, {0.9f, 0.4f, 0.2f, 1.0f}, {0.2f, 0.9f, 0.4f, 1.0f}, {0.4f, 0.2f, 0.9f, 1.0f}},
};
float Light_Position[4] = {0.0f, 0.0f, 0.1f, 1.0f};
float Spot_Direction[4] = {0.0f, 0.0f, -1.0f, 1.0f};
float Spot_Exponent = 1.0f;
float Spot_CutoffAngle = 45.0f;
float mat_specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
float mat_shininess = 200.0f;

int Transparez_ein = 1;
int tex_ok = 0;

double myTime = 0.0;
int stop_time = 0;
