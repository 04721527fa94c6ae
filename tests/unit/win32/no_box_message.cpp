#include "no_box_message.h"

const char expected_no_box_message[] = "schach3d: Windows could not show the help box\n";
