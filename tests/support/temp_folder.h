// A fresh folder for one test's files, removed with everything in it afterwards, and whole
// files read and written as bytes. Shared by the native tests and the Win32 tests: paths are
// UTF-8 on both (on Windows they reach the system as UTF-16, never through the ANSI code page).
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin::testing {

// The path of UTF-8 text, and back.
inline std::filesystem::path Utf8Path(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

class TempFolder {
  public:
    TempFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("quorrin-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path() const { return Utf8Of(path_); }
    // The path of `name` (UTF-8, may hold folders) in the folder; nothing is created.
    std::string File(std::string_view name) const { return Utf8Of(path_ / Utf8Path(name)); }
    // As File, with the file created empty and the folders on its way.
    std::string EmptyFile(std::string_view name) const {
        const std::filesystem::path path = path_ / Utf8Path(name);
        std::filesystem::create_directories(path.parent_path());
        const std::ofstream created(path, std::ios::binary);
        return Utf8Of(path);
    }

    // The names of the files and folders in the folder, in no particular order.
    std::vector<std::string> FileNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(Utf8Of(entry.path().filename()));
        }
        return names;
    }

  private:
    std::filesystem::path path_;
};

// The bytes of a file; empty when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(Utf8Path(path), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Replaces the file's bytes; false when they could not all be written.
inline bool WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(Utf8Path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

}  // namespace quorrin::testing
