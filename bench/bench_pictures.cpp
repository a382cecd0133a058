#include "bench_pictures.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <stdexcept>

#include "image/image_file.h"

#ifndef VELTRANE_BENCH_DIR
#define VELTRANE_BENCH_DIR "."
#endif

namespace veltrane::bench {

std::string picturesDir() {
    const char* fromEnv = std::getenv("VELTRANE_BENCH_DIR");
    return fromEnv != nullptr && *fromEnv != '\0' ? std::string(fromEnv) : std::string(VELTRANE_BENCH_DIR);
}

std::string picturePath(const std::string& name) { return picturesDir() + "/" + name; }

std::vector<std::string> missingPictures() {
    std::vector<std::string> missing;
    for (const char* name : {kSunset12MP, kKleiber20MP})
        if (!std::ifstream(picturePath(name), std::ios::binary)) missing.push_back(picturePath(name));
    return missing;
}

const std::vector<std::uint8_t>& pictureBytes(const std::string& name) {
    static std::map<std::string, std::vector<std::uint8_t>> cache;
    auto found = cache.find(name);
    if (found != cache.end()) return found->second;
    const std::string path = picturePath(name);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open benchmark picture " + path + " (set VELTRANE_BENCH_DIR)");
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.empty()) throw std::runtime_error("benchmark picture is empty: " + path);
    return cache.emplace(name, std::move(bytes)).first->second;
}

ImageDocument& sunsetDocument() {
    static std::unique_ptr<ImageDocument> document;
    if (!document) {
        auto opened = std::make_unique<ImageDocument>();
        const std::string path = picturePath(kSunset12MP);
        opened->bitmap = loadImageFile(path, FileKind::Jpeg).bitmap;
        opened->buildPlanes();
        opened->imageLoaded = true;
        opened->fileName = path;
        document = std::move(opened);
    }
    return *document;
}

}  // namespace veltrane::bench
