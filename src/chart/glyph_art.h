// TEMPORARY stand-in until the artwork lands: the glyph images as base64 PNG.
#pragma once

// GlyphArtPngBase64: the base64 PNG (transparent background) of bitmap
// resource iResourceId, or nullptr for an unknown id.
const char* GlyphArtPngBase64(int iResourceId);
