#pragma once
// A fresh folder for one test, removed afterwards, holding small files (and folders, for names
// ending in '/').
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

namespace veltrane::test {

class TempFolder {
public:
    explicit TempFolder(std::initializer_list<std::string> entries = {}) {
        namespace fs = std::filesystem;
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        path_ = fs::temp_directory_path() / ("veltrane_" + std::string(info->name()) + "_" +
                                             std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::remove_all(path_);
        fs::create_directories(path_);
        for (const std::string& name : entries) {
            if (name.back() == '/') fs::create_directory(path_ / name.substr(0, name.size() - 1));
            else std::ofstream(path_ / name).put('x');
        }
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path() const { return path_.string(); }
    // With the trailing separator, as the player keeps a media folder.
    std::string folder() const { return path_.string() + "/"; }
    // Writes a file of these bytes and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return (path_ / name).string();
    }

private:
    std::filesystem::path path_;
};

}  // namespace veltrane::test
