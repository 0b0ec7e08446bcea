#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>

#include <png.h>

#include <cstdio>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace orva::art {

namespace {

uint8_t Mix(uint8_t from, uint8_t to, float coverage) {
    float v = from + (to - from) * coverage;
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

float DistanceToSegment(PointF p, PointF a, PointF b) {
    float dx = b.x - a.x;
    float dy = b.y - a.y;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    float cx = a.x + t * dx - p.x;
    float cy = a.y + t * dy - p.y;
    return std::sqrt(cx * cx + cy * cy);
}

bool InsidePolygon(const std::vector<PointF>& pts, float x, float y) {
    bool inside = false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        if ((pts[i].y > y) != (pts[j].y > y)) {
            float cross = (pts[j].x - pts[i].x) * (y - pts[i].y) / (pts[j].y - pts[i].y) + pts[i].x;
            if (x < cross) {
                inside = !inside;
            }
        }
    }
    return inside;
}

// Decodes UTF-8; malformed bytes come out as '?'.
std::vector<char32_t> DecodeUtf8(const std::string& text) {
    std::vector<char32_t> out;
    for (size_t i = 0; i < text.size();) {
        auto c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= text.size() + (extra == 0 ? 1 : 0)) {
            out.push_back(U'?');
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

}  // namespace

Canvas::Canvas(int width, int height, Rgb fill, int percent)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      percent_(std::max(percent, 1)),
      pixelWidth_(ToPixels(width_)),
      pixelHeight_(ToPixels(height_)),
      pixels_(static_cast<size_t>(pixelWidth_) * pixelHeight_, fill) {}

int Canvas::ToPixels(int value) const {
    // value x percent / 100, halves rounded towards +infinity
    const long long scaled = static_cast<long long>(value) * percent_ + 50;
    return static_cast<int>(scaled >= 0 ? scaled / 100 : -((-scaled + 99) / 100));
}

Rect Canvas::ToPixels(const Rect& r) const {
    const int left = ToPixels(r.x);
    const int top = ToPixels(r.y);
    return {left, top, ToPixels(r.Right()) - left, ToPixels(r.Bottom()) - top};
}

Rgb Canvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= pixelWidth_ || y >= pixelHeight_) {
        return {};
    }
    return pixels_[static_cast<size_t>(y) * pixelWidth_ + x];
}

void Canvas::SetPixel(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= pixelWidth_ || y >= pixelHeight_) {
        return;
    }
    pixels_[static_cast<size_t>(y) * pixelWidth_ + x] = colour;
}

void Canvas::BlendPixel(int x, int y, Rgb colour, float coverage) {
    if (x < 0 || y < 0 || x >= pixelWidth_ || y >= pixelHeight_ || coverage <= 0.0f) {
        return;
    }
    coverage = std::min(coverage, 1.0f);
    Rgb& p = pixels_[static_cast<size_t>(y) * pixelWidth_ + x];
    p = {Mix(p.r, colour.r, coverage), Mix(p.g, colour.g, coverage), Mix(p.b, colour.b, coverage)};
}

void Canvas::FillPixels(const Rect& r, Rgb colour) {
    for (int y = std::max(r.y, 0); y < std::min(r.Bottom(), pixelHeight_); ++y) {
        for (int x = std::max(r.x, 0); x < std::min(r.Right(), pixelWidth_); ++x) {
            pixels_[static_cast<size_t>(y) * pixelWidth_ + x] = colour;
        }
    }
}

void Canvas::FillRect(const Rect& r, Rgb colour) {
    FillPixels(ToPixels(r), colour);
}

void Canvas::FrameRect(const Rect& r, Rgb colour, int thickness) {
    // Everything between the rectangle and the one `thickness` inside it, each scaled, so a
    // frame meets what is placed inside it at every scale.
    const Rect o = ToPixels(r);
    const Rect i = ToPixels(r.Inset(thickness));
    FillPixels({o.x, o.y, o.w, i.y - o.y}, colour);
    FillPixels({o.x, i.Bottom(), o.w, o.Bottom() - i.Bottom()}, colour);
    FillPixels({o.x, o.y, i.x - o.x, o.h}, colour);
    FillPixels({i.Right(), o.y, o.Right() - i.Right(), o.h}, colour);
}

namespace {

// Distance of pixel (x, y)'s centre from the nearest corner centre of a rounded rectangle, 0
// outside the corners; (cx, cy) is that corner centre clamped to the pixel. The distance decides
// the coverage in the corners.
float CornerDistance(const Rect& r, int radius, int x, int y, float& cx, float& cy) {
    cx = std::clamp(x + 0.5f, r.x + static_cast<float>(radius),
                    static_cast<float>(r.Right() - radius));
    cy = std::clamp(y + 0.5f, r.y + static_cast<float>(radius),
                    static_cast<float>(r.Bottom() - radius));
    return std::hypot(x + 0.5f - cx, y + 0.5f - cy);
}

}  // namespace

void Canvas::FillRoundRect(const Rect& rect, int radius, Rgb colour) {
    const Rect r = ToPixels(rect);
    radius = std::clamp(ToPixels(radius), 0, std::min(r.w, r.h) / 2);
    for (int y = r.y; y < r.Bottom(); ++y) {
        for (int x = r.x; x < r.Right(); ++x) {
            float cx = 0;
            float cy = 0;
            const float d = CornerDistance(r, radius, x, y, cx, cy);
            BlendPixel(x, y, colour, std::clamp(radius + 0.5f - d, 0.0f, 1.0f));
        }
    }
}

void Canvas::FrameRoundRect(const Rect& rect, int radius, Rgb colour, float thickness) {
    const Rect r = ToPixels(rect);
    radius = std::clamp(ToPixels(radius), 0, std::min(r.w, r.h) / 2);
    thickness = ToPixels(thickness);
    float inner = radius - thickness;
    for (int y = r.y; y < r.Bottom(); ++y) {
        for (int x = r.x; x < r.Right(); ++x) {
            float cx = 0;
            float cy = 0;
            const float d = CornerDistance(r, radius, x, y, cx, cy);
            bool corner = (x + 0.5f != cx) && (y + 0.5f != cy);
            float outerCov = std::clamp(radius + 0.5f - d, 0.0f, 1.0f);
            float innerCov;
            if (corner) {
                innerCov = std::clamp(inner + 0.5f - d, 0.0f, 1.0f);
            } else {
                // Along the straight edges: distance to the outer edge.
                float edge = std::min(
                    {x - r.x + 0.5f, r.Right() - x - 0.5f, y - r.y + 0.5f, r.Bottom() - y - 0.5f});
                innerCov = edge >= thickness ? 1.0f : 0.0f;
            }
            BlendPixel(x, y, colour, outerCov - innerCov * outerCov);
        }
    }
}

void Canvas::FillGradient(const Rect& rect, Rgb top, Rgb bottom) {
    const Rect r = ToPixels(rect);
    for (int y = r.y; y < r.Bottom(); ++y) {
        float t = r.h > 1 ? static_cast<float>(y - r.y) / (r.h - 1) : 0.0f;
        Rgb c{Mix(top.r, bottom.r, t), Mix(top.g, bottom.g, t), Mix(top.b, bottom.b, t)};
        FillPixels({r.x, y, r.w, 1}, c);
    }
}

void Canvas::Line(PointF from, PointF to, Rgb colour, float thickness) {
    const PointF a = ToPixels(from);
    const PointF b = ToPixels(to);
    float half = ToPixels(thickness) / 2.0f;
    int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - half - 1));
    int x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + half + 1));
    int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - half - 1));
    int y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + half + 1));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float d = DistanceToSegment({x + 0.5f, y + 0.5f}, a, b);
            BlendPixel(x, y, colour, std::clamp(half + 0.5f - d, 0.0f, 1.0f));
        }
    }
}

void Canvas::FillPolygon(const std::vector<PointF>& corners, Rgb colour) {
    if (corners.size() < 3) {
        return;
    }
    std::vector<PointF> points;
    for (const PointF& corner : corners) {
        points.push_back(ToPixels(corner));
    }
    float minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
    for (const PointF& p : points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    constexpr int kSub = 4;
    for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y) {
        for (int x = static_cast<int>(std::floor(minX)); x <= static_cast<int>(std::ceil(maxX));
             ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSub; ++sy) {
                for (int sx = 0; sx < kSub; ++sx) {
                    hits += InsidePolygon(points, x + (sx + 0.5f) / kSub, y + (sy + 0.5f) / kSub);
                }
            }
            BlendPixel(x, y, colour, static_cast<float>(hits) / (kSub * kSub));
        }
    }
}

void Canvas::FillEllipse(PointF centre, float radiusX, float radiusY, Rgb colour) {
    const PointF c = ToPixels(centre);
    const float rx = ToPixels(radiusX);
    const float ry = ToPixels(radiusY);
    if (rx <= 0 || ry <= 0) {
        return;
    }
    constexpr int kSub = 4;
    for (int y = static_cast<int>(std::floor(c.y - ry)); y <= static_cast<int>(std::ceil(c.y + ry));
         ++y) {
        for (int x = static_cast<int>(std::floor(c.x - rx));
             x <= static_cast<int>(std::ceil(c.x + rx)); ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSub; ++sy) {
                float dy = (y + (sy + 0.5f) / kSub - c.y) / ry;
                for (int sx = 0; sx < kSub; ++sx) {
                    float dx = (x + (sx + 0.5f) / kSub - c.x) / rx;
                    hits += dx * dx + dy * dy <= 1.0f ? 1 : 0;
                }
            }
            BlendPixel(x, y, colour, static_cast<float>(hits) / (kSub * kSub));
        }
    }
}

void Canvas::FrameEllipse(PointF c, float rx, float ry, Rgb colour, float thickness) {
    PointF prev{c.x + rx, c.y};
    for (int i = 1; i <= 64; ++i) {
        float a = static_cast<float>(i) * 6.2831853f / 64.0f;
        PointF p{c.x + rx * std::cos(a), c.y + ry * std::sin(a)};
        Line(prev, p, colour, thickness);
        prev = p;
    }
}

void Canvas::Blit(const Canvas& source, int left, int top) {
    const int x = ToPixels(left);
    const int y = ToPixels(top);
    for (int sy = 0; sy < source.PixelHeight(); ++sy) {
        for (int sx = 0; sx < source.PixelWidth(); ++sx) {
            SetPixel(x + sx, y + sy, source.Pixel(sx, sy));
        }
    }
}

bool Canvas::WriteBmp(const std::filesystem::path& path) const {
    const uint32_t rowBytes = (static_cast<uint32_t>(pixelWidth_) * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(pixelHeight_);
    std::vector<uint8_t> file(54 + imageBytes, 0);
    auto put16 = [&](size_t at, uint16_t v) {
        file[at] = static_cast<uint8_t>(v);
        file[at + 1] = static_cast<uint8_t>(v >> 8);
    };
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            file[at + i] = static_cast<uint8_t>(v >> (8 * i));
        }
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(pixelWidth_));
    put32(22, static_cast<uint32_t>(pixelHeight_));  // positive: rows bottom-up
    put16(26, 1);
    put16(28, 24);
    put32(34, imageBytes);
    put32(38, 2835);  // 72 dpi
    put32(42, 2835);
    for (int y = 0; y < pixelHeight_; ++y) {
        size_t row = 54 + static_cast<size_t>(pixelHeight_ - 1 - y) * rowBytes;
        for (int x = 0; x < pixelWidth_; ++x) {
            const Rgb& p = pixels_[static_cast<size_t>(y) * pixelWidth_ + x];
            file[row + 3 * x] = p.b;
            file[row + 3 * x + 1] = p.g;
            file[row + 3 * x + 2] = p.r;
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

bool Canvas::WritePng(const std::filesystem::path& path) const {
    FILE* file = std::fopen(path.string().c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    bool ok = info != nullptr;
    // libpng reports its errors by jumping back here; nothing with a destructor lives between.
    if (ok && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(pixelWidth_),
                     static_cast<png_uint_32>(pixelHeight_), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        static_assert(sizeof(Rgb) == 3, "rows are written straight from the pixels");
        for (int y = 0; y < pixelHeight_; ++y) {
            png_write_row(png, reinterpret_cast<png_const_bytep>(
                                   &pixels_[static_cast<size_t>(y) * pixelWidth_]));
        }
        png_write_end(png, nullptr);
    } else {
        ok = false;
    }
    png_destroy_write_struct(png != nullptr ? &png : nullptr, info != nullptr ? &info : nullptr);
    return std::fclose(file) == 0 && ok;
}

TextRenderer::TextRenderer() {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) == 0) {
        library_ = lib;
    }
}

TextRenderer::~TextRenderer() {
    if (face_) {
        FT_Done_Face(static_cast<FT_Face>(face_));
    }
    if (library_) {
        FT_Done_FreeType(static_cast<FT_Library>(library_));
    }
}

bool TextRenderer::Open(const std::filesystem::path& fontFile) {
    if (!library_ || fontFile.empty()) {
        return false;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(static_cast<FT_Library>(library_), fontFile.string().c_str(), 0, &face) != 0) {
        return false;
    }
    if (face_) {
        FT_Done_Face(static_cast<FT_Face>(face_));
    }
    face_ = face;
    size_ = 0;
    return true;
}

bool TextRenderer::SetSize(int pixelHeight) {
    if (!face_) {
        return false;
    }
    if (size_ != pixelHeight) {
        // The height is the em height in pixels, as GDI's negative font heights are.
        if (FT_Set_Pixel_Sizes(static_cast<FT_Face>(face_), 0, static_cast<FT_UInt>(pixelHeight)) !=
            0) {
            return false;
        }
        size_ = pixelHeight;
    }
    return true;
}

int TextRenderer::TextWidth(const std::string& text, int pixelHeight) {
    if (!SetSize(pixelHeight)) {
        return 0;
    }
    auto face = static_cast<FT_Face>(face_);
    long width = 0;
    for (char32_t cp : DecodeUtf8(text)) {
        if (FT_Load_Char(face, cp, FT_LOAD_DEFAULT) == 0) {
            width += face->glyph->advance.x;
        }
    }
    return static_cast<int>((width + 63) / 64);
}

int TextRenderer::LineHeight(int pixelHeight) {
    if (!SetSize(pixelHeight)) {
        return 0;
    }
    auto face = static_cast<FT_Face>(face_);
    return static_cast<int>((face->size->metrics.ascender - face->size->metrics.descender + 63) /
                            64);
}

void TextRenderer::Draw(Canvas& canvas, int x, int top, const std::string& text, int pixelHeight,
                        Rgb colour) {
    DrawPixels(canvas, canvas.ToPixels(x), canvas.ToPixels(top), text, canvas.ToPixels(pixelHeight),
               colour);
}

void TextRenderer::DrawPixels(Canvas& canvas, int x, int top, const std::string& text,
                              int pixelHeight, Rgb colour) {
    if (!SetSize(pixelHeight)) {
        return;
    }
    auto face = static_cast<FT_Face>(face_);
    long penX = static_cast<long>(x) * 64;
    int baseline = top + static_cast<int>((face->size->metrics.ascender + 63) / 64);
    for (char32_t cp : DecodeUtf8(text)) {
        if (FT_Load_Char(face, cp, FT_LOAD_RENDER) != 0) {
            continue;
        }
        FT_GlyphSlot g = face->glyph;
        int gx = static_cast<int>(penX / 64) + g->bitmap_left;
        int gy = baseline - g->bitmap_top;
        for (unsigned row = 0; row < g->bitmap.rows; ++row) {
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                uint8_t a = g->bitmap.buffer[row * g->bitmap.pitch + col];
                canvas.BlendPixel(gx + static_cast<int>(col), gy + static_cast<int>(row), colour,
                                  a / 255.0f);
            }
        }
        penX += g->advance.x;
    }
}

void TextRenderer::DrawInRect(Canvas& canvas, const Rect& r, const std::string& text,
                              int pixelHeight, Rgb colour, Align align) {
    DrawInPixelRect(canvas, canvas.ToPixels(r), text, canvas.ToPixels(pixelHeight), colour, align);
}

void TextRenderer::DrawInPixelRect(Canvas& canvas, const Rect& r, const std::string& text,
                                   int pixelHeight, Rgb colour, Align align) {
    int w = TextWidth(text, pixelHeight);
    int h = LineHeight(pixelHeight);
    int x = r.x;
    if (align == Align::kCentre) {
        x = r.x + (r.w - w) / 2;
    } else if (align == Align::kRight) {
        x = r.Right() - w;
    }
    DrawPixels(canvas, x, r.y + (r.h - h) / 2, text, pixelHeight, colour);
}

int TextRenderer::DrawParagraph(Canvas& canvas, const Rect& box, const std::string& text,
                                int height, Rgb colour, Align align) {
    // Broken into lines at the canvas's scale, where the text has its true widths.
    const Rect r = canvas.ToPixels(box);
    const int pixelHeight = canvas.ToPixels(height);
    int lineHeight = LineHeight(pixelHeight) + canvas.ToPixels(2);
    int y = r.y;
    std::string line;
    size_t pos = 0;
    auto flush = [&] {
        DrawInPixelRect(canvas, {r.x, y, r.w, lineHeight}, line, pixelHeight, colour, align);
        y += lineHeight;
        line.clear();
    };
    while (pos <= text.size()) {
        size_t end = text.find_first_of(" \n", pos);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string word = text.substr(pos, end - pos);
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(candidate, pixelHeight) > r.w) {
            flush();
            line = word;
        } else {
            line = candidate;
        }
        if (end < text.size() && text[end] == '\n') {
            flush();
        }
        pos = end + 1;
    }
    if (!line.empty()) {
        flush();
    }
    // The height used, back in 96-DPI pixels.
    return (y - r.y) * 100 / canvas.Percent();
}

std::filesystem::path FindFont(const std::string& fileName) {
    namespace fs = std::filesystem;
    std::vector<fs::path> roots;
    if (const char* dir = std::getenv("ORVA_FONT_DIR")) {
        roots.emplace_back(dir);
    }
    roots.emplace_back("/usr/share/fonts");
    for (const fs::path& root : roots) {
        std::error_code ec;
        if (fs::exists(root / fileName, ec)) {
            return root / fileName;
        }
        for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end;
             it.increment(ec)) {
            if (it->path().filename() == fileName) {
                return it->path();
            }
        }
    }
    return {};
}

}  // namespace orva::art
