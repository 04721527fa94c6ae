#pragma once

// What the help thread says on stderr when no box can be shown: each
// platform's tests expect its own reason (x11/, win32/).
extern const char expected_no_box_message[];
