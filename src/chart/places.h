// The built-in place list of the place dialog: 98 places in Japan and
// nearby countries, on the Tokyo datum (north and east positive), and the
// two ways a place enters a birth record.
#pragma once

#include <cstdint>

#include "base/birth_record.h"
#include "platform/platform.h"

// One row of the place list.  A text that starts with three blanks is a
// town listed under the prefecture or country row above it.
struct PlaceRow {
  const char* szText;  // display text; null in the end row
  uint8_t bLatDeg;
  uint8_t bLatMin;
  float fLatSec;
  uint8_t bLongDeg;
  uint8_t bLongMin;
  float fLongSec;
  char cLatHemisphere = 'N';  // 'S' for a place south of the equator
};

constexpr int kNumPlaces = 98;
// The row selected when the dialog opens: "東京都".
constexpr int kDefaultPlaceRow = 33;
// Rows 0..97 and the end row (szText null).
extern const PlaceRow kPlaceTable[kNumPlaces + 1];

// PlaceName: the row's text without its leading blanks (at most 40 skipped).
const char* PlaceName(const PlaceRow& row);
// Latitude and longitude of a row in decimal degrees.
double PlaceLatitude(const PlaceRow& row);
double PlaceLongitude(const PlaceRow& row);

// FindPlace: the row whose name (leading blanks ignored, in the row and in
// szName) equals szName (CP932); kNoPlace when there is none.
constexpr int kNoPlace = -1;
int FindPlace(const char* szName);

// SetPlaceFromRow: the birthplace of a record from a row of the list: the
// name without blanks and the row's coordinates.
void SetPlaceFromRow(BirthRecord* pRec, int iRow);

// SetTypedPlace: the birthplace of a record from typed coordinates,
// degrees; the name becomes "%+.4f : %+.4f".  A latitude beyond ±90, a
// longitude beyond ±180 (or a value that is not a number) is refused with
// the box "無効な経緯度" captioned with the formatted coordinates, and the
// record is left unchanged.  Returns 1 when stored, 0 when refused.
int SetTypedPlace(WindowRef hOwner, BirthRecord* pRec, double dLat, double dLong);
