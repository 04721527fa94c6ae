#include "platform/command_line_help.h"

// A page has no command line: nothing asks for --help there, and the toolkit
// takes no options.
const char toolkit_options_help[] = "";

const char further_help[] = "Mouse, keys and menu: press h in the page for the key help in its console.\n";
