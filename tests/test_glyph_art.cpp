// The embedded PNG images of the bitmaps: each decodes to the pixels of its
// resource bitmap (white made transparent in the glyphs), and the glyphs
// stay visible when copied with SRCAND onto the wheel and the backgrounds.
#include <zlib.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/glyph_art.h"

namespace {

struct Rgba {
  uint8_t r, g, b, a;
  bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

struct Picture {
  int w = 0, h = 0;
  std::vector<Rgba> px;  // row by row from the top
  const Rgba& At(int x, int y) const { return px[y * w + x]; }
};

// Base64 text to bytes; false on a character outside the alphabet, a
// length that is not a multiple of 4 or padding before the end.
bool DecodeBase64(const std::string& text, std::vector<uint8_t>* out) {
  static const std::string kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  if (text.empty() || text.size() % 4 != 0) return false;
  size_t pad = 0;
  while (pad < 2 && text[text.size() - 1 - pad] == '=') ++pad;
  uint32_t acc = 0;
  for (size_t i = 0; i < text.size() - pad; ++i) {
    const size_t v = kAlphabet.find(text[i]);
    if (v == std::string::npos) return false;
    acc = (acc << 6) | static_cast<uint32_t>(v);
    if (i % 4 == 3) {
      out->push_back(static_cast<uint8_t>(acc >> 16));
      out->push_back(static_cast<uint8_t>(acc >> 8));
      out->push_back(static_cast<uint8_t>(acc));
      acc = 0;
    }
  }
  if (pad == 1) {
    acc <<= 6;
    out->push_back(static_cast<uint8_t>(acc >> 16));
    out->push_back(static_cast<uint8_t>(acc >> 8));
  } else if (pad == 2) {
    acc <<= 12;
    out->push_back(static_cast<uint8_t>(acc >> 16));
  }
  return true;
}

uint32_t Be32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
}

// Decodes an 8-bit RGB or RGBA PNG, checking the signature, every chunk's
// CRC, IHDR first and IEND last.  An empty message means success.
std::string DecodePng(const std::vector<uint8_t>& png, Picture* pic, int* colourType) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  if (png.size() < 8 || std::memcmp(png.data(), kSignature, 8) != 0) return "no PNG signature";
  std::vector<uint8_t> idat;
  std::string last;
  size_t pos = 8;
  while (pos + 12 <= png.size()) {
    const uint32_t len = Be32(&png[pos]);
    if (pos + 12 + len > png.size()) return "chunk runs past the end";
    const std::string type(reinterpret_cast<const char*>(&png[pos + 4]), 4);
    const uLong crc = crc32(0, &png[pos + 4], len + 4);
    if (crc != Be32(&png[pos + 8 + len])) return "bad CRC in " + type;
    const uint8_t* data = &png[pos + 8];
    if (last.empty() && type != "IHDR") return "IHDR is not first";
    if (type == "IHDR") {
      pic->w = static_cast<int>(Be32(data));
      pic->h = static_cast<int>(Be32(data + 4));
      if (data[8] != 8 || data[10] != 0 || data[11] != 0 || data[12] != 0)
        return "not 8-bit, deflate, no interlace";
      *colourType = data[9];
      if (*colourType != 2 && *colourType != 6) return "neither RGB nor RGBA";
    } else if (type == "IDAT") {
      idat.insert(idat.end(), data, data + len);
    }
    last = type;
    pos += 12 + len;
  }
  if (last != "IEND" || pos != png.size()) return "IEND is not the last chunk";
  const int bpp = *colourType == 6 ? 4 : 3;
  const size_t stride = static_cast<size_t>(pic->w) * bpp;
  std::vector<uint8_t> raw((stride + 1) * pic->h);
  uLongf rawLen = raw.size();
  if (uncompress(raw.data(), &rawLen, idat.data(), idat.size()) != Z_OK || rawLen != raw.size())
    return "IDAT does not inflate to the image size";
  std::vector<uint8_t> prev(stride, 0), cur(stride);
  for (int y = 0; y < pic->h; ++y) {
    const uint8_t filter = raw[y * (stride + 1)];
    const uint8_t* in = &raw[y * (stride + 1) + 1];
    for (size_t i = 0; i < stride; ++i) {
      const int a = i >= static_cast<size_t>(bpp) ? cur[i - bpp] : 0;
      const int b = prev[i];
      const int c = i >= static_cast<size_t>(bpp) ? prev[i - bpp] : 0;
      const int pred = filter == 0 ? 0 : filter == 1 ? a : filter == 2 ? b
                     : filter == 3 ? (a + b) / 2 : filter == 4 ? Paeth(a, b, c) : -1;
      if (pred < 0) return "unknown row filter";
      cur[i] = static_cast<uint8_t>(in[i] + pred);
    }
    for (int x = 0; x < pic->w; ++x) {
      const uint8_t* p = &cur[x * bpp];
      pic->px.push_back({p[0], p[1], p[2], bpp == 4 ? p[3] : uint8_t{255}});
    }
    prev = cur;
  }
  return "";
}

// Reads a bottom-up BMP of 24 bits a pixel or of 8 with a colour table (the
// forms of the resource bitmaps).
bool ReadBmp(const std::string& path, Picture* pic) {
  std::ifstream f(path, std::ios::binary);
  const std::vector<uint8_t> d((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return false;
  auto le32 = [&](size_t o) { return d[o] | (d[o + 1] << 8) | (d[o + 2] << 16) | (uint32_t{d[o + 3]} << 24); };
  const uint32_t offset = le32(10), infoSize = le32(14), bits = d[28] | (d[29] << 8);
  pic->w = static_cast<int>(le32(18));
  pic->h = static_cast<int>(le32(22));
  if ((bits != 24 && bits != 8) || le32(30) != 0 || pic->w <= 0 || pic->h <= 0) return false;
  const uint32_t colours = bits == 8 ? (le32(46) ? le32(46) : 256) : 0;
  const size_t table = 14 + infoSize;
  const size_t stride = (bits / 8 * pic->w + 3) & ~size_t{3};
  if (table + 4 * colours > offset || offset + stride * pic->h > d.size()) return false;
  pic->px.resize(static_cast<size_t>(pic->w) * pic->h);
  for (int y = 0; y < pic->h; ++y) {
    const uint8_t* row = &d[offset + stride * (pic->h - 1 - y)];
    for (int x = 0; x < pic->w; ++x) {
      const uint8_t* bgr = &row[3 * x];
      if (bits == 8) {
        if (row[x] >= colours) return false;
        bgr = &d[table + 4 * row[x]];
      }
      pic->px[y * pic->w + x] = {bgr[2], bgr[1], bgr[0], 255};
    }
  }
  return true;
}

struct Art {
  int iResourceId;
  std::string bmp;  // file under resources/art
  int w, h;
  bool bGlyph;      // white background, transparent in the PNG
};

std::string Numbered(const char* prefix, int n) {
  return prefix + std::string(n < 10 ? "0" : "") + std::to_string(n) + ".bmp";
}

std::vector<Art> AllArt() {
  std::vector<Art> all;
  for (int i = 0; i < 14; ++i) all.push_back({700 + i, Numbered("point_", i), 15, 15, true});
  for (int s = 0; s < 12; ++s) all.push_back({3101 + s, Numbered("sign_", s + 1), 15, 15, true});
  all.push_back({1280, "toolbar.bmp", 400, 16, false});
  all.push_back({5000, "title.bmp", 32, 32, false});
  return all;
}

Picture LoadBmp(const Art& art) {
  Picture bmp;
  EXPECT_TRUE(ReadBmp(std::string(HORO_ART_DIR) + "/" + art.bmp, &bmp)) << art.bmp;
  return bmp;
}

TEST(GlyphArt, EveryPngIsItsBitmapWithWhiteMadeTransparentInGlyphs) {
  for (const Art& art : AllArt()) {
    SCOPED_TRACE(art.bmp);
    const char* sz = GlyphArtPngBase64(art.iResourceId);
    ASSERT_NE(sz, nullptr);
    std::vector<uint8_t> png;
    ASSERT_TRUE(DecodeBase64(sz, &png));
    Picture pic;
    int colourType = 0;
    ASSERT_EQ(DecodePng(png, &pic, &colourType), "");
    EXPECT_EQ(pic.w, art.w);
    EXPECT_EQ(pic.h, art.h);
    EXPECT_EQ(colourType, art.bGlyph ? 6 : 2);

    const Picture bmp = LoadBmp(art);
    ASSERT_EQ(bmp.w, art.w);
    ASSERT_EQ(bmp.h, art.h);
    ASSERT_EQ(pic.px.size(), bmp.px.size());
    int transparent = 0;
    for (size_t i = 0; i < bmp.px.size(); ++i) {
      Rgba want = bmp.px[i];
      if (art.bGlyph && want == Rgba{255, 255, 255, 255}) want = {0, 0, 0, 0};
      transparent += want.a == 0;
      ASSERT_EQ(pic.px[i], want) << "pixel " << i % art.w << "," << i / art.w;
    }
    if (art.bGlyph) {
      EXPECT_GT(transparent, art.w * art.h / 2);
    }
  }
}

TEST(GlyphArt, OtherIdsHaveNoImage) {
  for (int id : {-1, 0, 699, 714, 999, 1000, 1279, 1281, 3100, 3113, 4999, 5001})
    EXPECT_EQ(GlyphArtPngBase64(id), nullptr) << id;
}

// A glyph copied with SRCAND (pixel = glyph AND background) must leave a
// visible stroke on the wheel's grey and on every palette background but
// black, where every SRCAND copy is black.
TEST(GlyphArt, GlyphsShowThroughSrcandOnEveryBackground) {
  const std::array<Rgba, 6> backs = {{{192, 192, 192, 255}, {104, 160, 128, 255},
                                      {36, 144, 193, 255}, {0, 32, 128, 255},
                                      {200, 170, 170, 255}, {255, 255, 255, 255}}};
  for (const Art& art : AllArt()) {
    if (!art.bGlyph) continue;
    SCOPED_TRACE(art.bmp);
    const Picture bmp = LoadBmp(art);
    for (const Rgba& back : backs) {
      int shown = 0;
      for (const Rgba& p : bmp.px) {
        const int dr = back.r - (p.r & back.r), dg = back.g - (p.g & back.g), db = back.b - (p.b & back.b);
        // Darker than the background by at least a quarter of its brightness.
        shown += 4 * (dr + dg + db) >= back.r + back.g + back.b;
      }
      EXPECT_GE(shown, 12) << "on " << int(back.r) << "," << int(back.g) << "," << int(back.b);
    }
  }
}

TEST(GlyphArt, ToolbarHoldsTwentyFiveDistinctImages) {
  const Art toolbar = AllArt()[26];  // a copy: the vector is a temporary
  const Picture bmp = LoadBmp(toolbar);
  ASSERT_EQ(bmp.w, 25 * 16);
  std::set<std::vector<uint32_t>> seen;
  for (int i = 0; i < 25; ++i) {
    std::vector<uint32_t> image;
    int drawn = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 16 * i; x < 16 * i + 16; ++x) {
        const Rgba& p = bmp.At(x, y);
        image.push_back((p.r << 16) | (p.g << 8) | p.b);
        drawn += !(p.r == 192 && p.g == 192 && p.b == 192);
      }
    EXPECT_GE(drawn, 40) << "image " << i;
    EXPECT_TRUE(seen.insert(image).second) << "image " << i << " repeats an earlier one";
  }
}

}  // namespace
