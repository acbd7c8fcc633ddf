// The program's version: the one place it is written.  The texts that show
// it ("HoroMira 5.4.0.2" on the chart and as the built-in default person,
// "[ Horomira 5.4.0.2 ]" in the chart text), the version resource of
// Horomap.exe, `horomira --version`, the installer and the names of the
// packages all take it from here (CMakeLists.txt and tools/make_dist.sh read
// the four numbers from this file).  Plain #defines only: the resource
// compiler reads this header too.
#pragma once

#define HORO_VERSION_MAJOR 5
#define HORO_VERSION_MINOR 4
#define HORO_VERSION_PATCH 0
#define HORO_VERSION_BUILD 2

#define HORO_VERSION_STRINGIZE_(x) #x
#define HORO_VERSION_STRINGIZE(x) HORO_VERSION_STRINGIZE_(x)
// "5.4.0.2"
#define HORO_VERSION_TEXT                                                                      \
  HORO_VERSION_STRINGIZE(HORO_VERSION_MAJOR) "." HORO_VERSION_STRINGIZE(HORO_VERSION_MINOR) "." \
  HORO_VERSION_STRINGIZE(HORO_VERSION_PATCH) "." HORO_VERSION_STRINGIZE(HORO_VERSION_BUILD)
