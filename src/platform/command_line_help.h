#pragma once

// The parts of --help that differ between the platforms: the window
// toolkit's options there, one line each, and where a person reads about the
// mouse, the keys and the menu.
extern const char toolkit_options_help[];
extern const char further_help[];
