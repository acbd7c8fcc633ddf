// The program's bitmaps as PNG images, for pictures drawn outside Windows.
// The bitmaps themselves are resources of Horomap.exe (resources/art/*.bmp);
// tools/make_artwork.py draws both from the same pixels.
#pragma once

// GlyphArtPngBase64: the PNG image of the bitmap resource iResourceId as
// base64 text (no line breaks), for embedding as a data: URI in the SVG
// picture of the chart.  Ids: 700..713 point glyphs (15 x 15, by chart
// point), 3101..3112 sign glyphs (15 x 15, Aries .. Pisces), 1280 toolbar
// strip (400 x 16), 5000 title bitmap (32 x 32).  In the glyph PNGs the white
// background of the bitmap is transparent (alpha 0), so that the picture on
// the wheel's grey looks like the SRCAND copy of the bitmap.  Returns nullptr
// for any other id.
const char* GlyphArtPngBase64(int iResourceId);
