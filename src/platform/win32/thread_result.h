#pragma once

// A Windows thread procedure returns a DWORD (a 32-bit unsigned long under
// mingw-w64); on x64 its WINAPI calling convention is the only one there is.
using ThreadResult = unsigned long;
