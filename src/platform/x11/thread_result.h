#pragma once

// POSIX threads return a pointer.
using ThreadResult = void *;
