/* Reference moments for the event-search tests, from the Swiss Ephemeris.
 *
 * Prints tests/events_reference.h: the moments (JDE, TT) at which, between
 * 2023-12-01 and 2025-02-01, the Sun's apparent longitude of date reaches a
 * multiple of 15 degrees, the Moon's reaches a multiple of 30 degrees, and
 * the Moon-Sun elongation a multiple of 90 degrees.  Longitudes are those of
 * swe_calc with the default flags (apparent, true equinox of date, the
 * ephemeris files of swe-basic-data); each crossing is bracketed on a grid
 * of 0.05 day and refined by bisection to 1e-9 day.
 *
 * Not part of the build.  Needs Debian's libswe-dev and swe-basic-data:
 *   cc -O2 -o /tmp/events_reference tools/events_reference.c -lswe -lm
 *   /tmp/events_reference > tests/events_reference.h
 */
#include <math.h>
#include <stdio.h>
#include <swephexp.h>

enum { kSun = 0, kMoon = 1, kElongation = 2 };

static double Longitude(int body, double jde) {
  double x[6];
  char serr[AS_MAXCH];
  if (swe_calc(jde, body == kSun ? SE_SUN : SE_MOON, SEFLG_SWIEPH, x, serr) < 0) {
    fprintf(stderr, "swe_calc: %s\n", serr);
    return 0.0;
  }
  return x[0];
}

static double Quantity(int kind, double jde) {
  if (kind == kElongation) {
    double e = Longitude(kMoon, jde) - Longitude(kSun, jde);
    return e - 360.0 * floor(e / 360.0);
  }
  return Longitude(kind, jde);
}

/* Signed distance past the nearest multiple of dStep, in (-dStep/2, dStep/2]. */
static double PastMark(double v, double dStep, int *piMark) {
  double m = floor(v / dStep + 0.5);
  *piMark = ((int)m) % (int)(360.0 / dStep);
  return v - m * dStep;
}

static void Crossings(int kind, double dStep, double t0, double t1, const char *szName) {
  const double h = 0.05;
  int mark;
  double prev = PastMark(Quantity(kind, t0), dStep, &mark);
  printf("// %s\n", szName);
  for (double t = t0 + h; t <= t1; t += h) {
    int markNow;
    double now = PastMark(Quantity(kind, t), dStep, &markNow);
    if (prev < 0.0 && now >= 0.0) {
      double a = t - h, b = t;
      while (b - a > 1e-9) {
        double c = 0.5 * (a + b);
        double v = Quantity(kind, c) - markNow * dStep;
        v -= 360.0 * floor((v + 180.0) / 360.0);
        if (v < 0.0) a = c; else b = c;
      }
      printf("    {%d, %3d, %.9f},\n", kind, (int)(markNow * dStep + 0.5) % 360, 0.5 * (a + b));
    }
    prev = now;
  }
}

int main(void) {
  swe_set_ephe_path("/usr/share/libswe/ephe");
  const double t0 = swe_julday(2023, 12, 1, 0.0, SE_GREG_CAL);
  const double t1 = swe_julday(2025, 2, 1, 0.0, SE_GREG_CAL);
  printf("// Reference moments of the event-search tests, 2023-12-01 .. 2025-02-01.\n");
  char szVersion[AS_MAXCH];
  printf("// Made by tools/events_reference.c from the Swiss Ephemeris %s (swe_calc,\n",
         swe_version(szVersion));
  printf("// apparent longitudes of date, files of swe-basic-data): the moments (JDE, TT)\n");
  printf("// at which the Sun's longitude reaches a multiple of 15 degrees, the Moon's a\n");
  printf("// multiple of 30 degrees and the Moon-Sun elongation a multiple of 90 degrees,\n");
  printf("// bisected to 1e-9 day.  Do not edit; rerun the tool.\n");
  printf("#pragma once\n\n");
  printf("// kind 0: Sun longitude, 1: Moon longitude, 2: elongation; value in degrees.\n");
  printf("struct ReferenceCrossing {\n  int iKind;\n  int iValue;\n  double dJde;\n};\n\n");
  printf("const ReferenceCrossing kReferenceCrossings[] = {\n");
  Crossings(kSun, 15.0, t0, t1, "The Sun at multiples of 15 degrees");
  Crossings(kMoon, 30.0, t0, t1, "The Moon at multiples of 30 degrees");
  Crossings(kElongation, 90.0, t0, t1, "Moon - Sun at multiples of 90 degrees");
  printf("};\n");
  swe_close();
  return 0;
}
