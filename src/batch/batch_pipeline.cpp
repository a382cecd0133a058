#include "batch/batch_pipeline.h"

#include <filesystem>
#include <new>
#include <sys/stat.h>

#include "batch/atomic_file.h"
#include "image/bmp_codec.h"
#include "image/image_document.h"
#include "image/image_file.h"
#include "image/jpeg_codec.h"

namespace veltrane {

namespace {

// The program's own message for a pass that found no memory.
constexpr const char* kOutOfMemory = "not enough memory (メモリが足りないため、処理を実行できませんでした。)";

mode_t existingMode(const std::string& path, mode_t fallback) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : fallback;
}

PictureOutcome failed(std::string reason) { return {PictureStatus::Failed, std::move(reason)}; }

}  // namespace

void applyOperations(Bitmap24& bitmap, const std::vector<Operation>& operations, PictureGenerator& generator) {
    if (operations.empty()) return;
    ColorPlanes planes = ColorPlanes::forOverwrite(bitmap.width(), bitmap.height());
    splitBitmap(bitmap, planes);
    const std::optional<std::size_t> last = lastGeneratorOperation(operations);
    for (std::size_t i = 0; i < operations.size(); ++i) {
        const Operation& op = operations[i];
        if (op.generator == GeneratorUse::None) {
            // An operation that never draws is handed a generator it leaves alone.
            RandomGenerator unused;
            op.run(planes, unused);
            continue;
        }
        op.run(planes, generator.acquire());
        if (last && i == *last) generator.release();
    }
    writePlanes(planes, bitmap);
}

PictureOutcome processPicture(const BatchPicture& picture, const PipelineSettings& settings, PictureGenerator& generator) {
    if (!picture.conflict.empty())
        return failed("its output " + picture.output + " is also the output of " + picture.conflict);
    const bool inPlace = picture.output == picture.input;
    const Replace replace = settings.overwrite || inPlace ? Replace::Always : Replace::Never;
    std::error_code ec;
    if (replace == Replace::Never && std::filesystem::exists(picture.output, ec))
        return {PictureStatus::Skipped, picture.output + " exists (--overwrite replaces it)"};
    try {
        DecodedImage decoded;
        try {
            decoded = loadImageFile(picture.input, picture.kind);
        } catch (const DecodeError& error) {
            return failed(std::string("cannot read the picture: ") + error.what());
        }
        applyOperations(decoded.bitmap, settings.operations, generator);
        generator.release();
        const std::vector<std::uint8_t> bytes = picture.outputKind == FileKind::Jpeg
                                                    ? encodeJpeg(decoded.bitmap, kBatchJpegQuality)
                                                    : encodeBmp24(decoded.bitmap);
        const std::filesystem::path folder = std::filesystem::path(picture.output).parent_path();
        if (!folder.empty() && !std::filesystem::is_directory(folder, ec) &&
            !std::filesystem::create_directories(folder, ec) && ec)
            return failed("cannot create the folder " + folder.string() + ": " + ec.message() + " (ファイルを保存できませんでした)");
        const mode_t mode = inPlace ? existingMode(picture.input, settings.newFileMode) : settings.newFileMode;
        if (!writeWholeFile(picture.output, bytes, mode, replace))
            return {PictureStatus::Skipped, picture.output + " exists (--overwrite replaces it)"};
        return {PictureStatus::Written, {}};
    } catch (const std::bad_alloc&) {
        return failed(kOutOfMemory);
    } catch (const WriteError& error) {
        return failed(std::string(error.what()) + " (ファイルを保存できませんでした)");
    } catch (const std::exception& error) {
        return failed(error.what());
    }
}

}  // namespace veltrane
