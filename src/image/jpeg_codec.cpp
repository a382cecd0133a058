#include "image/jpeg_codec.h"

// clang-format off
#include <cstdio>  // jpeglib.h uses FILE and size_t without including their headers
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <algorithm>
#include <csetjmp>
#include <new>
#include <string>

// libjpeg reports a fatal error by calling error_exit, which must not return. Ours longjmps
// back to the setjmp of the step that called libjpeg. Those steps (readHeader, start,
// readPixels, compress) are C-style: no object with a destructor is alive inside them, so the
// jump skips no cleanup. The caller owns every buffer and throws after the step has returned.

namespace veltrane {
namespace {

constexpr JDIMENSION kBatchRows = 16;  // rows handed to libjpeg per call

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool truncated;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings about corrupt but decodable data are let through. The end of the data is not:
// libjpeg would pad the rest of the picture with grey, and we refuse the file as truncated.
void onMessage(j_common_ptr cinfo, int level) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) {
        err->truncated = true;
        std::longjmp(err->jump, 1);
    }
}

jpeg_error_mgr* installErrorManager(ErrorManager& err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    err.pub.emit_message = onMessage;
    return &err.pub;
}

struct Reader {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
};

bool readHeader(Reader* r, const std::uint8_t* data, std::size_t size) {
    if (setjmp(r->err.jump)) return false;
    jpeg_create_decompress(&r->cinfo);
    jpeg_mem_src(&r->cinfo, data, size);
    jpeg_read_header(&r->cinfo, TRUE);
    return true;
}

// Adobe applications write CMYK inverted (255 = no ink); others store the ink amount.
void cmykToBgr(const JSAMPLE* src, std::uint8_t* dst, JDIMENSION width, bool inverted) {
    const unsigned flip = inverted ? 0 : 255;
    for (JDIMENSION x = 0; x < width; ++x, src += 4, dst += 3) {
        const unsigned c = src[0] ^ flip, m = src[1] ^ flip, y = src[2] ^ flip, k = src[3] ^ flip;
        dst[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
        dst[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        dst[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
    }
}

// For a multi-scan (progressive) file this reads the whole input, so a truncated one is
// refused before the picture's memory is taken.
bool start(Reader* r) {
    if (setjmp(r->err.jump)) return false;
    jpeg_start_decompress(&r->cinfo);
    return true;
}

// Decodes straight into the rows of `pixels`, `stride` bytes apart. CMYK rows go through
// `scratch` (kBatchRows rows of 4 × width bytes) and are converted into place.
bool readPixels(Reader* r, std::uint8_t* pixels, std::size_t stride, JSAMPLE* scratch) {
    if (setjmp(r->err.jump)) return false;
    jpeg_decompress_struct* cinfo = &r->cinfo;
    const bool cmyk = cinfo->out_color_space == JCS_CMYK;
    const JDIMENSION width = cinfo->output_width;
    JSAMPROW rows[kBatchRows];
    while (cinfo->output_scanline < cinfo->output_height) {
        const JDIMENSION first = cinfo->output_scanline;
        const JDIMENSION count = std::min(kBatchRows, cinfo->output_height - first);
        for (JDIMENSION i = 0; i < count; ++i) {
            rows[i] = cmyk ? scratch + std::size_t{i} * 4 * width : pixels + std::size_t{first + i} * stride;
        }
        const JDIMENSION got = jpeg_read_scanlines(cinfo, rows, count);
        for (JDIMENSION i = 0; cmyk && i < got; ++i) {
            cmykToBgr(rows[i], pixels + std::size_t{first + i} * stride, width, cinfo->saw_Adobe_marker);
        }
    }
    return true;
}

DecodeError readFailure(const ErrorManager& err) {
    if (err.truncated) return DecodeError("JPEGファイルが途中で切れています");
    return DecodeError(std::string("JPEGファイルを読み込めません（") + err.message + "）");
}

// Compressed output grows a std::vector. jpeg_mem_dest is not used: after an error it may
// leave its caller a pointer to a buffer it has already freed.
struct VectorDestination {
    jpeg_destination_mgr pub;
    std::vector<std::uint8_t>* out;
};

bool resizeOutput(std::vector<std::uint8_t>& out, std::size_t size) noexcept {
    try {
        out.resize(size);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void beginOutput(VectorDestination* dest, j_compress_ptr cinfo, std::size_t used, std::size_t size) {
    if (!resizeOutput(*dest->out, size)) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    dest->pub.next_output_byte = dest->out->data() + used;
    dest->pub.free_in_buffer = size - used;
}

void initDestination(j_compress_ptr cinfo) {
    beginOutput(reinterpret_cast<VectorDestination*>(cinfo->dest), cinfo, 0, 64 * 1024);
}

boolean emptyDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    const std::size_t used = dest->out->size();  // libjpeg calls this only when the buffer is full
    beginOutput(dest, cinfo, used, used * 2);
    return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    dest->out->resize(dest->out->size() - dest->pub.free_in_buffer);
}

struct Writer {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    VectorDestination dest;
};

bool compress(Writer* w, const Bitmap24& bitmap, int quality) {
    if (setjmp(w->err.jump)) return false;
    jpeg_compress_struct* cinfo = &w->cinfo;
    jpeg_create_compress(cinfo);
    w->dest.pub.init_destination = initDestination;
    w->dest.pub.empty_output_buffer = emptyDestination;
    w->dest.pub.term_destination = termDestination;
    cinfo->dest = &w->dest.pub;
    cinfo->image_width = static_cast<JDIMENSION>(bitmap.width());
    cinfo->image_height = static_cast<JDIMENSION>(bitmap.height());
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    JSAMPROW rows[kBatchRows];
    while (cinfo->next_scanline < cinfo->image_height) {
        const JDIMENSION first = cinfo->next_scanline;
        const JDIMENSION count = std::min(kBatchRows, cinfo->image_height - first);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = const_cast<JSAMPROW>(bitmap.row(static_cast<int>(first + i)));
        jpeg_write_scanlines(cinfo, rows, count);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

}  // namespace

DecodedImage decodeJpeg(const std::uint8_t* data, std::size_t size) {
    Reader r{};
    r.cinfo.err = installErrorManager(r.err);
    // Safe on a struct whose creation failed half-way: it frees only what was allocated.
    struct Destroy {
        Reader& r;
        ~Destroy() { jpeg_destroy_decompress(&r.cinfo); }
    } destroy{r};
    if (!readHeader(&r, data, size)) throw readFailure(r.err);

    jpeg_decompress_struct& cinfo = r.cinfo;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    requireAllocatable(cinfo.image_width, cinfo.image_height);
    if (!start(&r)) throw readFailure(r.err);

    DecodedImage image{Bitmap24::forOverwrite(static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height)),
                       cinfo.jpeg_color_space == JCS_GRAYSCALE ? 8 : 24};
    std::vector<JSAMPLE> scratch(cmyk ? std::size_t{kBatchRows} * 4 * cinfo.image_width : 0);
    if (!readPixels(&r, image.bitmap.data(), image.bitmap.stride(), scratch.data())) throw readFailure(r.err);
    return image;
}

std::vector<std::uint8_t> encodeJpeg(const Bitmap24& bitmap, int quality) {
    std::vector<std::uint8_t> out;
    Writer w{};
    w.cinfo.err = installErrorManager(w.err);
    w.dest.out = &out;
    struct Destroy {
        Writer& w;
        ~Destroy() { jpeg_destroy_compress(&w.cinfo); }
    } destroy{w};
    if (!compress(&w, bitmap, quality)) {
        throw std::runtime_error(std::string("JPEGファイルを作れません（") + w.err.message + "）");
    }
    return out;
}

}  // namespace veltrane
