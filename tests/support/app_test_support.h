#pragma once

// Shared by the application and main-window tests: sample paths and a scratch directory.

#include <filesystem>
#include <fstream>
#include <string>

namespace tw::test {

inline std::string SamplePath(const std::string& name) {
    return (std::filesystem::path(TW_SOURCE_DIR) / "samples" / name).string();
}

// A fresh directory under the build tree for one test, removed again at the end.
class TempDir {
public:
    explicit TempDir(const std::string& name)
        : path_(std::filesystem::path(TW_BINARY_DIR) / "test_app_files" / name) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

    // Writes bytes to a file in the directory and answers its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return File(name);
    }
    std::string CopySample(const std::string& sample, const std::string& name) const {
        std::filesystem::copy_file(SamplePath(sample), path_ / name,
                                   std::filesystem::copy_options::overwrite_existing);
        return File(name);
    }

private:
    std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace tw::test
