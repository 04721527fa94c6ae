#pragma once

// Whether the next event waiting on the scene window's connection is another
// pointer motion. False without a GL context.
bool later_motion_event_queued();
