#include "platform/console.h"

// The page's console panel decodes the bytes as Windows-1252 itself (page_console.js).
void prepare_console() {}
