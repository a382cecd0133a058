#include "batch/batch_inputs.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "batch/batch_operations.h"

namespace veltrane {

namespace fs = std::filesystem;

namespace {

struct Found {
    std::string path;
    fs::path relative;  // the name an output takes, below the output folder
};

void scanFolder(const fs::path& folder, const fs::path& relative, bool recursive, std::vector<Found>& found) {
    std::vector<std::string> files, folders;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (it->is_regular_file(typeError) && isImageFile(name))
            files.push_back(name);
        else if (recursive && it->is_directory(typeError) && !it->is_symlink(typeError))
            folders.push_back(name);
    }
    if (ec) throw UsageError("cannot read folder " + folder.string() + ": " + ec.message());
    std::sort(files.begin(), files.end());
    std::sort(folders.begin(), folders.end());
    for (const std::string& name : files) found.push_back({(folder / name).string(), relative / name});
    for (const std::string& name : folders) scanFolder(folder / name, relative / name, recursive, found);
}

std::vector<Found> collect(const std::vector<std::string>& inputs, bool recursive) {
    std::vector<Found> found;
    for (const std::string& input : inputs) {
        std::error_code ec;
        if (fs::is_directory(input, ec)) {
            scanFolder(input, fs::path(), recursive, found);
        } else if (isImageFile(input)) {
            found.push_back({input, fs::path(input).filename()});
        } else {
            throw UsageError("\"" + input + "\" is neither a folder nor a BMP or JPEG file (.bmp .BMP .jpg .JPG .jpeg .JPEG)");
        }
    }
    return found;
}

}  // namespace

std::vector<std::string> collectPictures(const std::vector<std::string>& inputs, bool recursive) {
    std::vector<std::string> paths;
    for (Found& f : collect(inputs, recursive)) paths.push_back(std::move(f.path));
    return paths;
}

std::vector<BatchPicture> planOutputs(const std::vector<std::string>& inputs, bool recursive,
                                      const std::string& outputDir, OutputFormat format, bool inPlace) {
    std::vector<BatchPicture> pictures;
    std::map<std::string, std::string> taken;  // output path -> the input that writes it
    for (Found& f : collect(inputs, recursive)) {
        BatchPicture p;
        p.kind = classifyFile(f.path);
        p.outputKind = format == OutputFormat::Bmp ? FileKind::Bmp : format == OutputFormat::Jpeg ? FileKind::Jpeg : p.kind;
        if (inPlace) {
            p.output = f.path;
        } else {
            fs::path out = fs::path(outputDir) / f.relative;
            out.replace_extension(p.outputKind == FileKind::Bmp ? ".bmp" : ".jpg");
            p.output = out.lexically_normal().string();
        }
        p.input = std::move(f.path);
        const auto [at, inserted] = taken.emplace(p.output, p.input);
        if (!inserted) p.conflict = at->second;
        pictures.push_back(std::move(p));
    }
    return pictures;
}

}  // namespace veltrane
