#pragma once
// What part of the complex plane a fractal picture shows, and how a click moves it.
#include <cstdint>
#include <string>

namespace veltrane {

// Side of the square fractal picture; the view's centre sits at column and row 128.
constexpr int kFractalSide = 256;

enum class FractalKind : std::uint8_t { Mandelbrot = 0, Julia = 1 };

// The main window's caption after a picture of this kind is applied: "Mandelbrot(256×256)" or
// "Julia(256×256)", in UTF-8.
std::string fractalCaption(FractalKind kind);

struct FractalView {
    double centreRe = 0;
    double centreIm = 0;
    double step = 0;  // distance between neighbouring columns (and rows)

    // The point of column x and row y; the imaginary part grows downward.
    double pointRe(int x) const { return static_cast<double>(x - 128) * step + centreRe; }
    double pointIm(int y) const { return static_cast<double>(y - 128) * step + centreIm; }

    friend bool operator==(const FractalView&, const FractalView&) = default;
};

// The views each opening of the window starts from.
constexpr FractalView kMandelbrotStartView{-0.75, 0.0, 0.01};
constexpr FractalView kJuliaStartView{0.0, 0.0, 0.012};
FractalView startView(FractalKind kind);

// Mouse buttons as the picture reports them.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;

// The view after a click at picture position (x, y). The left button centres the clicked point
// and magnifies four times; the right button moves the centre by the click's offset mirrored
// through the centre and shrinks four times; any other button keeps the view. The centre moves
// with the old step. Positions outside the picture are used as given.
FractalView zoomView(const FractalView& view, int button, int x, int y);

}  // namespace veltrane
