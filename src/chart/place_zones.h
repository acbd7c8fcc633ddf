// The time zone of each row of the built-in place list (places.h): whose
// clocks a birth at that place was read on.
#pragma once

// PlaceZone: the index of the zone (time/zones.h) of a row of kPlaceTable:
// kZoneJapan (Asia/Tokyo, with Japan's summer time of 1948..1951) for the
// rows in Japan (0..82), the zone of the city for the foreign rows
// (83..97); kNoZone for an index outside the list.
int PlaceZone(int iRow);
