// TEMPORARY stand-in until the artwork lands.
#include "chart/glyph_art.h"

const char* GlyphArtPngBase64(int) { return nullptr; }
