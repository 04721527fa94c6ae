#include "platform/motion_events.h"

// The browser hands pointer motion over at most once per animation frame, the
// latest position: no backlog ever waits behind the one being handled.
bool later_motion_event_queued() { return false; }
