#pragma once

// The Windows API, for every file of this host: <windows.h> defines RGB as a
// macro, which would rewrite the form's own RGB wherever the two meet, so it
// goes here, once, after the API is in.
#include <windows.h>
#undef RGB
