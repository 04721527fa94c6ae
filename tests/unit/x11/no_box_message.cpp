#include "no_box_message.h"

const char expected_no_box_message[] = "schach3d: cannot open an X display for the help box\n";
