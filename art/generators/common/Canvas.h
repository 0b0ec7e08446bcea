#pragma once
// A small 24-bit raster canvas for the bitmap generators: solid fills, frames, rounded
// rectangles, anti-aliased lines and polygons, anti-aliased text (FreeType, Liberation Sans)
// and 24-bit BMP and PNG writers. Coordinates are pixels, origin top left, x right, y down.
//
//   orva::art::Canvas canvas(375, 180, orva::art::kBlack);
//   orva::art::TextRenderer text;
//   if (!text.Open(orva::art::FindFont("LiberationSans-Regular.ttf"))) return 1;
//   canvas.FrameRect({0, 0, 375, 180}, orva::art::kAccent);
//   text.DrawInRect(canvas, {10, 10, 200, 20}, "Hello", 15, orva::art::kText, Align::kLeft);
//   canvas.WriteBmp("out.bmp");
//
// Everything clips at the canvas edges; nothing throws for out-of-range coordinates.
//
// A canvas may be drawn at a display scale: Canvas(375, 180, kBlack, 150) is laid out in the
// 96-DPI pixels of the first example and has 563 x 270 pixels. Every drawing call then takes
// 96-DPI coordinates and draws at the scale (rectangle edges rounded halves up, as the programs
// scale their places; lines, curves and text at their true size, not blown up); Pixel,
// SetPixel and BlendPixel address the canvas's own pixels.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orva::art {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// The house colours of the skins.
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kText{200, 200, 200};     // light grey wording
inline constexpr Rgb kDimText{110, 110, 110};  // disabled wording
inline constexpr Rgb kFrame{95, 95, 95};       // control outlines at rest
inline constexpr Rgb kAccent{179, 211, 53};    // hover and selection
inline constexpr Rgb kAccentDark{62, 78, 18};  // pressed fill
inline constexpr Rgb kPanel{22, 22, 22};       // raised areas on the black ground

// Left, top, width, height.
struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
    Rect Inset(int d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
};

struct PointF {
    float x = 0;
    float y = 0;
};

class Canvas {
  public:
    Canvas(int width, int height, Rgb fill = kBlack, int percent = 100);

    // The size laid out in, in 96-DPI pixels.
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The scale and the size of the picture in its own pixels.
    int Percent() const { return percent_; }
    int PixelWidth() const { return pixelWidth_; }
    int PixelHeight() const { return pixelHeight_; }
    // A 96-DPI coordinate, length or rectangle in the canvas's own pixels.
    int ToPixels(int value) const;
    float ToPixels(float value) const { return value * (static_cast<float>(percent_) / 100.0f); }
    PointF ToPixels(PointF point) const { return {ToPixels(point.x), ToPixels(point.y)}; }
    Rect ToPixels(const Rect& r) const;

    Rgb Pixel(int x, int y) const;
    void SetPixel(int x, int y, Rgb colour);
    // Mixes the colour into the pixel by coverage 0..1.
    void BlendPixel(int x, int y, Rgb colour, float coverage);

    void FillRect(const Rect& r, Rgb colour);
    void FrameRect(const Rect& r, Rgb colour, int thickness = 1);
    void FillRoundRect(const Rect& r, int radius, Rgb colour);
    void FrameRoundRect(const Rect& r, int radius, Rgb colour, float thickness = 1.0f);
    // Vertical gradient from `top` to `bottom` colour.
    void FillGradient(const Rect& r, Rgb top, Rgb bottom);
    void Line(PointF a, PointF b, Rgb colour, float thickness = 1.0f);
    // Even-odd fill, anti-aliased by 4x4 supersampling.
    void FillPolygon(const std::vector<PointF>& points, Rgb colour);
    void FillEllipse(PointF centre, float rx, float ry, Rgb colour);
    void FrameEllipse(PointF centre, float rx, float ry, Rgb colour, float thickness = 1.0f);
    // Copies another canvas's pixels with its top left at (x, y).
    void Blit(const Canvas& source, int x, int y);

    // Writes an uncompressed bottom-up 24-bit BMP. False when the file cannot be written.
    bool WriteBmp(const std::filesystem::path& path) const;
    // Writes a 24-bit PNG: the same pixels as WriteBmp, losslessly compressed (flat skin art
    // shrinks to a few percent). False when the file cannot be written.
    bool WritePng(const std::filesystem::path& path) const;

  private:
    // Fills a rectangle given in the canvas's own pixels.
    void FillPixels(const Rect& r, Rgb colour);

    int width_;
    int height_;
    int percent_;
    int pixelWidth_;
    int pixelHeight_;
    std::vector<Rgb> pixels_;
};

enum class Align { kLeft, kCentre, kRight };

// Anti-aliased one-line text with FreeType. Text is UTF-8.
class TextRenderer {
  public:
    TextRenderer();
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    bool Open(const std::filesystem::path& fontFile);
    bool IsOpen() const { return face_ != nullptr; }

    int TextWidth(const std::string& text, int pixelHeight);
    // Ascent + descent of the font at that height, the height of one line.
    int LineHeight(int pixelHeight);
    // Draws with the top of the line box at `top`.
    void Draw(Canvas& canvas, int x, int top, const std::string& text, int pixelHeight, Rgb colour);
    // One line placed in the rectangle horizontally by `align`, centred vertically.
    void DrawInRect(Canvas& canvas, const Rect& r, const std::string& text, int pixelHeight,
                    Rgb colour, Align align = Align::kCentre);
    // Breaks the text into lines at spaces so each fits the width; draws from the top of the
    // rectangle. Returns the height used.
    int DrawParagraph(Canvas& canvas, const Rect& r, const std::string& text, int pixelHeight,
                      Rgb colour, Align align = Align::kLeft);

  private:
    bool SetSize(int pixelHeight);
    // Draw and DrawInRect in the canvas's own pixels.
    void DrawPixels(Canvas& canvas, int x, int top, const std::string& text, int pixelHeight,
                    Rgb colour);
    void DrawInPixelRect(Canvas& canvas, const Rect& r, const std::string& text, int pixelHeight,
                         Rgb colour, Align align);
    void* library_ = nullptr;  // FT_Library
    void* face_ = nullptr;     // FT_Face
    int size_ = 0;
};

// Finds a font file by name: first in $ORVA_FONT_DIR, then anywhere under /usr/share/fonts.
// Empty when none is found.
std::filesystem::path FindFont(const std::string& fileName);

}  // namespace orva::art
