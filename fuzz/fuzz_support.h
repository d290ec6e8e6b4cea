// What the fuzz targets share: a check that stops the run, so that libFuzzer reports the
// input that broke a property, and a file system held in memory for the settings file.
#pragma once

#include "settings/file_platform.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// Aborts with the failed condition; libFuzzer saves the input as a crash.
#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "%s:%d: property violated: %s\n", __FILE__, __LINE__, \
                         #condition);                                                  \
            std::abort();                                                              \
        }                                                                              \
    } while (false)

namespace quorrin {

// Files by path, no folders: the settings code reads, replaces and lists them as on disk,
// without touching the disk, so that one input costs microseconds.
class MemoryFilePlatform final : public FilePlatform {
  public:
    std::map<std::string, std::string> files;

    std::string_view Separators() const override { return "/"; }
    FileStatus Read(const std::string& path, std::string& bytes) override {
        const auto file = files.find(path);
        if (file == files.end()) return Missing();
        bytes = file->second;
        return FileStatus();
    }
    FileStatus ReadPart(const std::string& path, uint64_t offset, size_t count, std::string& bytes,
                        uint64_t& size) override {
        const auto file = files.find(path);
        if (file == files.end()) return Missing();
        size = file->second.size();
        bytes = offset < size ? file->second.substr(static_cast<size_t>(offset), count) : "";
        return FileStatus();
    }
    FileStatus Append(const std::string& path, const std::string& bytes, FlushMode) override {
        files[path] += bytes;
        return FileStatus();
    }
    FileStatus Inspect(const std::string& path, TargetInfo& info) override {
        info = TargetInfo{};
        info.exists = files.count(path) != 0;
        return FileStatus();
    }
    FileStatus CreateNew(const std::string& path, const std::string& bytes, FlushMode,
                         const TargetInfo&) override {
        if (!files.emplace(path, bytes).second)
            return FileStatus::Failed({FileErrorKind::Other, 17});
        return FileStatus();
    }
    FileStatus Replace(const std::string& replacement, const std::string& target, const TargetInfo&,
                       FlushMode) override {
        const auto file = files.find(replacement);
        if (file == files.end()) return Missing();
        files[target] = file->second;
        files.erase(replacement);
        return FileStatus();
    }
    FileStatus WriteInPlace(const std::string& path, const std::string& bytes, FlushMode) override {
        files[path] = bytes;
        return FileStatus();
    }
    FileStatus Remove(const std::string& path) override {
        return files.erase(path) != 0 ? FileStatus() : Missing();
    }
    std::vector<std::string> ListFolder(const std::string&, const std::string& prefix) override {
        std::vector<std::string> names;
        for (const auto& [path, bytes] : files) {
            if (path.starts_with(prefix)) names.push_back(path);
        }
        return names;
    }
    uint64_t CurrentProcessId() override { return 1; }
    bool ProcessAlive(uint64_t processId) override { return processId == 1; }
    void Pause(int) override {}
    std::string ErrorText(const FileError&) override { return "error"; }

  private:
    static FileStatus Missing() { return FileStatus::Failed({FileErrorKind::Missing, 2}); }
};

}  // namespace quorrin
