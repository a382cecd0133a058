#pragma once
// Remembered colour conversions for whole-picture passes whose new colour is a function of the
// old colour alone (the HSI adjustment's final pass, the Meko mask's hue turn). A photograph
// repeats its colours often (smooth areas, neighbouring rows), so each conversion is kept in a
// direct-mapped table keyed by the 24-bit colour and the slow conversion runs only on a miss.
//
// h = colour × 0x9E3779B1 mod 2^24 scatters neighbouring colours and, the factor being odd, is
// one-to-one on 24 bits: its upper 19 bits choose the slot and its lower 5 bits, kept as the
// slot's tag, tell which colour the slot holds. A slot is one 32-bit word, the tag in the top
// byte and the converted R, G, B below; a top byte of 0xFF (no tag) marks it empty. 2^19 slots
// fill 2 MiB, one huge page of a PixelBuffer (in 4-KiB pages the first touch of the table alone
// costs milliseconds on a virtual machine). The 12-MP and 20-MP benchmark photographs (180 000
// and 250 000 colours) miss 1.7 % and 2.1 % of the time, against 12 % and 40 % with the 2^14
// slots of 8 bytes first used.
#include <cstdint>

#include "image/pixel_buffer.h"

namespace veltrane {

// Converts one colour in place; context carries the caller's parameters. Where a conversion
// gives no new colour it leaves the bytes as they are.
using ColourConversion = void (*)(const void* context, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b);

class ConvertedColourCache {
public:
    // Takes the table's 2 MiB (std::bad_alloc when it cannot be had).
    ConvertedColourCache(ColourConversion convert, const void* context);

    // Converts n pixels of a row in place.
    void convertRow(std::uint8_t* r, std::uint8_t* g, std::uint8_t* b, int n);

private:
    PixelBuffer storage_;
    std::uint32_t* slots_;
    ColourConversion convert_;
    const void* context_;
};

}  // namespace veltrane
