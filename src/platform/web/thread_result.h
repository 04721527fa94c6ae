#pragma once

// The page's threads are the program's own (see thread.cpp): they return what
// POSIX threads do.
using ThreadResult = void *;
