// Leaves a test out of the Windows build's run, saying why. For tests whose
// setting only POSIX has (names made from UTF-8 bytes, Tamble's own file
// operations where Windows uses the shell's, POSIX paths as data), so that
// each one left out is named, with its reason, in the test's own output.
#pragma once

#include <gtest/gtest.h>

#ifdef _WIN32
#define TAMBLE_SKIP_ON_WINDOWS(why) GTEST_SKIP() << (why)
#else
#define TAMBLE_SKIP_ON_WINDOWS(why) static_cast<void>(0)
#endif
