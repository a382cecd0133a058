#include <cstddef>
#include <cstdint>

#include "image/jpeg_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        veltrane::decodeJpeg(data, size);
    } catch (const veltrane::DecodeError&) {
    }
    return 0;
}
