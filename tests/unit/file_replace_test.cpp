// The replace protocol and the writers when the file system refuses: a file held by another
// program, no permission, a folder where no file can be created, a full disk. The failures
// are injected through the platform layer; everything else is the real file system.
#include "settings/config_file.h"
#include "settings/file_access.h"
#include "settings/ini_store.h"
#include "settings/temp_file_name.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>

namespace quorrin {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

enum class Step { Read, CreateNew, Replace, WriteInPlace };

// The real platform, except that chosen steps fail a given number of times.
class FaultyPlatform final : public FilePlatform {
  public:
    void Fail(Step step, FileErrorKind kind, int error, int times = 1000) {
        faults_[step] = Fault{FileError{kind, static_cast<uint32_t>(error)}, times};
    }
    int Calls(Step step) const { return calls_.count(step) ? calls_.at(step) : 0; }
    int pauses = 0;

    std::string_view Separators() const override { return real_.Separators(); }
    FileStatus Read(const std::string& path, std::string& bytes) override {
        if (auto fault = Take(Step::Read)) return *fault;
        return real_.Read(path, bytes);
    }
    FileStatus ReadPart(const std::string& path, uint64_t offset, size_t count, std::string& bytes,
                        uint64_t& size) override {
        return real_.ReadPart(path, offset, count, bytes, size);
    }
    FileStatus Append(const std::string& path, const std::string& bytes, FlushMode flush) override {
        return real_.Append(path, bytes, flush);
    }
    FileStatus Inspect(const std::string& path, TargetInfo& info) override {
        return real_.Inspect(path, info);
    }
    FileStatus CreateNew(const std::string& path, const std::string& bytes, FlushMode flush,
                         const TargetInfo& like) override {
        if (auto fault = Take(Step::CreateNew)) {
            // A full disk: the file was created, the write did not get through.
            if (fault->Error().code == ENOSPC) {
                EXPECT_TRUE(real_.CreateNew(path, "", flush, like));
            }
            return *fault;
        }
        return real_.CreateNew(path, bytes, flush, like);
    }
    FileStatus Replace(const std::string& replacement, const std::string& target,
                       const TargetInfo& original, FlushMode flush) override {
        if (auto fault = Take(Step::Replace)) return *fault;
        return real_.Replace(replacement, target, original, flush);
    }
    FileStatus WriteInPlace(const std::string& path, const std::string& bytes,
                            FlushMode flush) override {
        if (auto fault = Take(Step::WriteInPlace)) return *fault;
        return real_.WriteInPlace(path, bytes, flush);
    }
    FileStatus Remove(const std::string& path) override { return real_.Remove(path); }
    std::vector<std::string> ListFolder(const std::string& folder,
                                        const std::string& prefix) override {
        return real_.ListFolder(folder, prefix);
    }
    uint64_t CurrentProcessId() override { return real_.CurrentProcessId(); }
    bool ProcessAlive(uint64_t id) override { return real_.ProcessAlive(id); }
    void Pause(int) override { ++pauses; }
    std::string ErrorText(const FileError& error) override { return real_.ErrorText(error); }

  private:
    struct Fault {
        FileError error;
        int times = 0;
    };
    std::optional<FileStatus> Take(Step step) {
        ++calls_[step];
        auto fault = faults_.find(step);
        if (fault == faults_.end() || fault->second.times == 0) return std::nullopt;
        --fault->second.times;
        return FileStatus::Failed(fault->second.error);
    }

    FilePlatform& real_ = SystemFilePlatform();
    std::map<Step, Fault> faults_;
    std::map<Step, int> calls_;
};

class FileReplaceTest : public ::testing::Test {
  protected:
    void SetUp() override { WriteBytes(path, kOld); }

    static constexpr const char* kOld = "[Normal]\r\ntimeFree=00:10:00\r\n";
    static constexpr const char* kNew = "[Normal]\r\ntimeFree=00:09:59\r\n";
    TempFolder folder;
    std::string path = folder.File("Config.ini");
    FaultyPlatform platform;
    IniStore store{path, platform};
};

// A scanner or sync client that lets go within the retry gets no failure at all, whichever
// way the replace is refused; the waits go through the platform, so none is real here.
TEST_F(FileReplaceTest, BriefHoldOnTheReplaceIsRetried) {
    platform.Fail(Step::Replace, FileErrorKind::Denied, EACCES, kBusyFileAttempts - 2);
    platform.Fail(Step::Read, FileErrorKind::Busy, EBUSY, 1);
    EXPECT_TRUE(store.Write("Normal", "timeFree", "00:09:59"));
    EXPECT_EQ(ReadBytes(path), kNew);
    EXPECT_EQ(platform.pauses, kBusyFileAttempts - 1);
    EXPECT_EQ(folder.FileNames(), std::vector<std::string>{"Config.ini"});
}

// Held for longer: the write fails with the system's reason after a bounded number of
// attempts, the old file stays, no temporary file is left, and the next save after the
// release writes the latest value.
TEST_F(FileReplaceTest, LongHoldFailsWithTheReasonAndTheNextSaveCatchesUp) {
    AppState state;
    ConfigFile config(state, store, nullptr);
    platform.Fail(Step::Replace, FileErrorKind::Denied, EACCES);
    const FileStatus held = config.SaveRemainingTime(true, 0, 598);
    ASSERT_FALSE(held);
    EXPECT_EQ(held.Error().kind, FileErrorKind::Denied);
    EXPECT_EQ(config.DescribeFailure(held), std::strerror(EACCES));
    EXPECT_EQ(platform.Calls(Step::Replace), kBusyFileAttempts);
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(folder.FileNames(), std::vector<std::string>{"Config.ini"});

    // A reader that shares nothing: the file cannot even be read.
    platform.Fail(Step::Read, FileErrorKind::Busy, EBUSY);
    platform.Fail(Step::Replace, FileErrorKind::Busy, EBUSY, 0);
    EXPECT_FALSE(config.SaveSoundSettings());
    EXPECT_EQ(platform.Calls(Step::Replace), kBusyFileAttempts);  // nothing to replace with

    platform.Fail(Step::Read, FileErrorKind::Busy, EBUSY, 0);
    EXPECT_TRUE(config.SaveRemainingTime(true, 0, 599));
    EXPECT_EQ(ReadBytes(path), kNew);
}

// No right to create a file beside Config.ini: the file is written in place. A first
// write there (no file yet) cannot be helped, and an error other than a refused creation
// (a full disk) never risks the old file.
TEST_F(FileReplaceTest, UncreatableTemporaryFileFallsBackToWritingInPlace) {
    platform.Fail(Step::CreateNew, FileErrorKind::Denied, EACCES);
    EXPECT_TRUE(store.Write("Normal", "timeFree", "00:09:59"));
    EXPECT_EQ(ReadBytes(path), kNew);
    EXPECT_EQ(platform.Calls(Step::WriteInPlace), 1);

    const FileStatus first = IniStore(folder.File("New.ini"), platform).Write("s", "k", "v");
    EXPECT_FALSE(first);
    EXPECT_EQ(first.Error().code, static_cast<uint32_t>(EACCES));

    platform.Fail(Step::CreateNew, FileErrorKind::Other, ENOSPC);
    EXPECT_FALSE(store.Write("Normal", "timeFree", "00:09:58"));
    EXPECT_EQ(ReadBytes(path), kNew);
    EXPECT_EQ(platform.Calls(Step::WriteInPlace), 1);
    EXPECT_EQ(folder.FileNames(), std::vector<std::string>{"Config.ini"});
}

// What the dialogs show: the program's own reason where the system gave no code.
TEST_F(FileReplaceTest, ValueTheFileCannotHoldIsAFailureWithAReason) {
    AppState state;
    ConfigFile config(state, store, nullptr);
    const FileStatus bad = store.Write("Normal", "SoundFile", "a\r\nb");
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.Error().kind, FileErrorKind::BadValue);
    EXPECT_EQ(config.DescribeFailure(bad), "设置中含有无法写入文件的字符。");
    EXPECT_EQ(ReadBytes(path), kOld);
}

// Start-up reads the file once however many presentations it lists, and a file held for
// a moment at start-up is waited for rather than taken for a missing one.
TEST_F(FileReplaceTest, LoadSettingsReadsTheFileOnce) {
    AppState written;
    ConfigFile writer(written, store, nullptr);
    ASSERT_TRUE(writer.SaveAllSettings());
    std::vector<IniEdit> list = {{"PPTFiles", "pptFiles", "100"}};
    for (int n = 1; n <= 100; ++n) {
        const std::string k = std::to_string(n);
        for (const char* key : {"timeCnt", "timeWarning", "timeFree"}) {
            list.push_back({"PPTFiles", key + k, "00:20:00"});
        }
        list.push_back({"PPTFiles", "flush" + k, "True"});
        list.push_back({"PPTFiles", "close" + k, "False"});
        list.push_back({"PPTFiles", "file" + k, "talk" + k});
    }
    ASSERT_TRUE(store.Apply(list));

    platform.Fail(Step::Read, FileErrorKind::Busy, EBUSY, 1);
    const int readsBefore = platform.Calls(Step::Read);
    AppState loaded;
    int messages = 0;
    ConfigFile(loaded, store, [&](const std::string&) { ++messages; }).LoadSettings();
    EXPECT_EQ(messages, 0);
    EXPECT_EQ(loaded.General.PresentationCount, 100);
    EXPECT_EQ(loaded.Presentations.At(100)->File, "talk100");
    EXPECT_EQ(platform.Calls(Step::Read) - readsBefore, 2);  // the held attempt, then one read
}

// Start-up's self-repair in a folder it cannot write: the messages say that the repair
// was not written, naming the file and the reason, and the file is left as it was.
TEST_F(FileReplaceTest, StartUpRepairThatCannotBeWrittenSaysSo) {
    // A resume time that does not read.
    const std::string broken = "[Normal]\r\ntimeFree=1:00\r\n";
    WriteBytes(path, broken);
    platform.Fail(Step::Replace, FileErrorKind::Denied, EACCES);
    AppState state;
    std::vector<std::string> messages;
    ConfigFile(state, store, [&](const std::string& m) { messages.push_back(m); }).LoadSettings();
    EXPECT_EQ(messages, std::vector<std::string>{SettingsNotResetMessage(
                            path, DescribeFileError(platform, {FileErrorKind::Denied, EACCES}))});
    EXPECT_NE(messages.front().find(path), std::string::npos);
    EXPECT_EQ(ReadBytes(path), broken);
    EXPECT_EQ(state.Style, DefaultStyle());  // the program goes on with the defaults

    // Readable settings with a broken presentation list, whose removal cannot be written.
    AppState written;
    ResetSettings(written);
    ConfigFile writer(written, store, nullptr);
    platform.Fail(Step::Replace, FileErrorKind::Denied, EACCES, 0);
    ASSERT_TRUE(writer.SaveAllSettings());
    ASSERT_TRUE(store.Write(kSectionPresentations, "pptFiles", "abc"));
    const std::string before = ReadBytes(path);
    platform.Fail(Step::Replace, FileErrorKind::Busy, EBUSY);
    messages.clear();
    ConfigFile(state, store, [&](const std::string& m) { messages.push_back(m); }).LoadSettings();
    EXPECT_EQ(messages, std::vector<std::string>{TimingsNotResetMessage(
                            path, DescribeFileError(platform, {FileErrorKind::Busy, EBUSY}))});
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(state.General.PresentationCount, 0);
}

}  // namespace
}  // namespace quorrin
