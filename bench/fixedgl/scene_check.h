#pragma once

// One scene of the comparison between Mesa's fixed-function GL and the
// fixedgl layer on ES 3, drawn by the program's own code at 900 x 600, in a
// GL context that the caller has made current:
//   SCENE.ppm    the frame
//   SCENE.picks  the program's pick at every fourth pixel (picked scenes):
//                per point "x y chosen-name|hits" and each hit's name and depths
//   SCENE.time   milliseconds per frame, per pick, and per frame until its
//                last call returns
// Scenes: start light points lines opaque pawn turned; and "memory", which
// writes memory.memory: frames, picks, resident MiB before and after them.
int run_scene_check(const char *out_dir, const char *scene);

constexpr int check_width = 900, check_height = 600;
