#include "viewer/scalable_font.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#define GL_GLEXT_PROTOTYPES // glWindowPos2i, of GL 1.4
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace {

constexpr const char* fontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";

// A glyph's coverage, 0 to 255 a pixel from its top row down, placed from the pen's position.
struct Glyph {
    int left = 0, top = 0; // of the bitmap, from the pen: right and up
    int width = 0, rows = 0;
    std::vector<unsigned char> coverage;
};

struct Font {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::string error;                            // why it cannot be read; "" when it can
    std::map<std::pair<long, unsigned char>, Glyph> glyphs; // by size (1/64 pixel) and character
};

// Kept for the process's life: a window draws with it until the process ends.
Font& font()
{
    static Font* loaded = [] {
        auto* f = new Font;
        if (FT_Init_FreeType(&f->library) != 0)
            f->error = "cannot start FreeType";
        else if (FT_New_Face(f->library, fontFile, 0, &f->face) != 0)
            f->error = std::string("cannot read the font ") + fontFile;
        return f;
    }();
    return *loaded;
}

// The face's height from ascent to descent, in its units.
long faceHeight(const FT_Face face) { return face->ascender - face->descender; }

const Glyph& glyphOf(unsigned char c, long size)
{
    Font& f = font();
    const auto [at, added] = f.glyphs.try_emplace({size, c});
    if (!added)
        return at->second;
    Glyph& glyph = at->second;
    FT_Set_Char_Size(f.face, 0, size, 72, 72); // at 72 dots an inch a point is a pixel
    if (FT_Load_Char(f.face, c, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0)
        return glyph; // drawn as nothing
    const FT_Bitmap& bitmap = f.face->glyph->bitmap;
    glyph.left = f.face->glyph->bitmap_left;
    glyph.top = f.face->glyph->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.rows));
    for (int r = 0; r < glyph.rows; ++r)
        std::copy_n(bitmap.buffer + static_cast<long>(r) * bitmap.pitch, glyph.width,
                    glyph.coverage.begin() + static_cast<long>(r) * glyph.width);
    return glyph;
}

} // namespace

bool scalableFontReady(std::string* why)
{
    if (why != nullptr)
        *why = font().error;
    return font().error.empty();
}

ScalableMetrics scalableMetrics()
{
    const FT_Face face = font().face;
    const float height = static_cast<float>(faceHeight(face));
    return {static_cast<float>(face->max_advance_width) / height, static_cast<float>(face->ascender) / height};
}

void drawScalableRow(const std::string& row, int x, int y, float pixels)
{
    if (!scalableFontReady() || row.empty())
        return;
    const FT_Face face = font().face;
    // The em that makes ascent and descent pixels high, in 1/64 pixel.
    const long size = std::lround(64.0 * pixels * face->units_per_EM / static_cast<double>(faceHeight(face)));
    const ScalableMetrics metrics = scalableMetrics();
    const float advance = metrics.advance * pixels;
    const int below = static_cast<int>(std::ceil(pixels * (1 - metrics.ascent))) + 2;
    const int above = static_cast<int>(std::ceil(pixels * metrics.ascent)) + 2;
    const int width = static_cast<int>(std::ceil(advance * static_cast<float>(row.size()))) + 4;
    const int height = above + below;
    // The row as one image in the current colour, its alpha the glyphs' coverage, bottom row first.
    GLfloat color[4];
    glGetFloatv(GL_CURRENT_COLOR, color);
    std::vector<unsigned char> image(4 * static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::size_t p = 0; p < image.size(); p += 4)
        for (int k = 0; k < 3; ++k)
            image[p + static_cast<std::size_t>(k)] = static_cast<unsigned char>(std::lround(color[k] * 255));
    for (std::size_t i = 0; i < row.size(); ++i) {
        const Glyph& glyph = glyphOf(static_cast<unsigned char>(row[i]), size);
        const int penX = 1 + static_cast<int>(std::lround(advance * static_cast<float>(i)));
        for (int r = 0; r < glyph.rows; ++r) {
            const int imageY = below + glyph.top - 1 - r; // from the image's bottom
            if (imageY < 0 || imageY >= height)
                continue;
            for (int c = 0; c < glyph.width; ++c) {
                const int imageX = penX + glyph.left + c;
                if (imageX < 0 || imageX >= width)
                    continue;
                unsigned char& alpha = image[4 * (static_cast<std::size_t>(imageY) * static_cast<std::size_t>(width) +
                                                  static_cast<std::size_t>(imageX)) + 3];
                alpha = std::max(alpha, glyph.coverage[static_cast<std::size_t>(r * glyph.width + c)]);
            }
        }
    }
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_PIXEL_MODE_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    glWindowPos2i(x - 1, y - below); // valid even where the image starts left of the window
    glDrawPixels(width, height, GL_RGBA, GL_UNSIGNED_BYTE, image.data());
    glPopAttrib();
}
