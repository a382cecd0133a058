#pragma once
// Three separate byte planes R, G, B indexed [row][column], row 0 at the top. Each
// plane is one contiguous buffer; operator[] gives a row pointer, so planes.R[y][x]
// reads as the classic array of row pointers does. A new plane is all zero.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "image/pixel_buffer.h"

namespace veltrane {

class Plane {
public:
    Plane() = default;
    Plane(int width, int height)
        : width_(width), data_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0) {}
    // A plane whose every byte the caller is about to write: no zero-fill pass.
    static Plane forOverwrite(int width, int height) {
        Plane plane;
        plane.width_ = static_cast<std::size_t>(width);
        plane.data_ = PixelBuffer(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        return plane;
    }

    std::uint8_t* operator[](int row) { return data_.data() + static_cast<std::size_t>(row) * width_; }
    const std::uint8_t* operator[](int row) const {
        return data_.data() + static_cast<std::size_t>(row) * width_;
    }
    std::uint8_t* data() { return data_.data(); }
    const std::uint8_t* data() const { return data_.data(); }
    std::size_t size() const { return data_.size(); }

private:
    std::size_t width_ = 0;
    PixelBuffer data_;
};

struct ColorPlanes {
    ColorPlanes() = default;
    ColorPlanes(int width, int height) : width(width), height(height), R(width, height), G(width, height), B(width, height) {}
    // Planes whose every byte the caller is about to write (see Plane::forOverwrite).
    static ColorPlanes forOverwrite(int width, int height) {
        ColorPlanes planes;
        planes.width = width;
        planes.height = height;
        planes.R = Plane::forOverwrite(width, height);
        planes.G = Plane::forOverwrite(width, height);
        planes.B = Plane::forOverwrite(width, height);
        return planes;
    }

    int width = 0;
    int height = 0;
    Plane R, G, B;
};

// Optional per-row progress callback of long passes: called with the row just finished.
using RowProgress = std::function<void(int row)>;

}  // namespace veltrane
