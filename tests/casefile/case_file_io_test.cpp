#include "case_support.h"

#include "casefile/case_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hygrovane::casefile {
namespace {

std::string Path(const QTemporaryDir& dir, const char* name) {
    return dir.filePath(name).toStdString();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
              static_cast<qint64>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
}

bool IsCharacterDevice(const char* path) {
    struct stat info {};
    return stat(path, &info) == 0 && S_ISCHR(info.st_mode);
}

TEST(LoadCaseFields, ReadsAFileWithLfEndings) {
    QTemporaryDir dir;
    const std::string path = Path(dir, "case");
    WriteBytes(path, "Hygrovane 1.1\nHW\n  British");
    std::vector<std::string> fields;
    EXPECT_TRUE(LoadCaseFields(path, fields).ok);
    EXPECT_EQ(fields, (std::vector<std::string>{"Hygrovane 1.1", "HW", "British"}));
}

TEST(LoadCaseFields, RefusesWhatIsNoCaseFileAndNamesIt) {
    QTemporaryDir dir;
    struct Row {
        const char* name;
        std::function<std::string()> prepare; // returns the path to open
        const char* reason;
    };
    const Row rows[] = {
        {"missing file", [&] { return Path(dir, "missing"); }, "does not exist"},
        {"folder", [&] { return dir.path().toStdString(); }, "folder"},
        {"binary file",
         [&] {
             WriteBytes(Path(dir, "binary"), std::string("Hygrovane 1.1\r\nIA\0PWS\r\n", 24));
             return Path(dir, "binary");
         },
         "not a text file"},
        {"10 MB file",
         [&] {
             WriteBytes(Path(dir, "large"), std::string(10'000'000, 'x'));
             return Path(dir, "large");
         },
         "larger than 64 KiB"},
        {"endless device", [] { return std::string("/dev/zero"); }, "not a regular file"},
        {"no permission",
         [&] {
             WriteBytes(Path(dir, "secret"), "Hygrovane 1.1\r\n");
             chmod(Path(dir, "secret").c_str(), 0);
             return Path(dir, "secret");
         },
         "ermission"},
    };
    for (const Row& row : rows) {
        if (std::string(row.name) == "no permission" && geteuid() == 0) {
            continue; // root reads any file
        }
        const std::string path = row.prepare();
        std::vector<std::string> fields = {"untouched"};
        const FileResult result = LoadCaseFields(path, fields);
        EXPECT_FALSE(result.ok) << row.name;
        EXPECT_NE(result.message.find(path), std::string::npos) << row.name << result.message;
        EXPECT_NE(result.message.find(row.reason), std::string::npos) << row.name << result.message;
        EXPECT_EQ(fields, std::vector<std::string>{"untouched"}) << row.name;
    }
}

TEST(SaveCase, ReplacesAnExistingFileCompletely) {
    QTemporaryDir dir;
    const std::string path = Path(dir, "case");
    WriteBytes(path, std::string(5000, 'x'));
    const FormAmbient form = testing::StartupForm();
    EXPECT_TRUE(SaveCase(form, path).ok);
    EXPECT_EQ(ReadBytes(path), CaseFileText(form));
}

// Limits the size of files this process may write, as a full disk would.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        // Nothing may be printed while the limit holds: stdout may be a file.
        std::fflush(stdout);
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

TEST(SaveCase, FailureReportsAndLeavesTheExistingFileUntouched) {
    QTemporaryDir dir;
    const std::string existing = Path(dir, "existing");
    const std::string oldBytes = "old case\r\n";
    WriteBytes(existing, oldBytes);
    WriteBytes(Path(dir, "file.txt"), "a file, not a folder");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("readonly"));
    WriteBytes(Path(dir, "readonly/case"), oldBytes);
    chmod(Path(dir, "readonly").c_str(), 0555);
    const FormAmbient form = testing::StartupForm();

    struct Row {
        const char* name;
        std::string path;
        std::function<FileResult()> save;
    };
    const Row rows[] = {
        {"path under a regular file", Path(dir, "file.txt/case"), {}},
        {"missing folder", Path(dir, "missing/case"), {}},
        {"onto a folder", Path(dir, "folder"), {}},
        {"full disk", existing,
         [&] {
             FileSizeLimit limit(16);
             return SaveCase(form, existing);
         }},
        {"read-only folder", Path(dir, "readonly/case"), {}},
    };
    for (const Row& row : rows) {
        if (std::string(row.name) == "read-only folder" && geteuid() == 0) {
            continue; // root writes into any folder
        }
        const FileResult result = row.save ? row.save() : SaveCase(form, row.path);
        EXPECT_FALSE(result.ok) << row.name;
        EXPECT_NE(result.message.find(row.path), std::string::npos) << row.name << result.message;
    }
    EXPECT_EQ(ReadBytes(existing), oldBytes);
    EXPECT_EQ(ReadBytes(Path(dir, "readonly/case")), oldBytes);
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST(SaveCase, RefusesADeviceInsteadOfReplacingIt) {
    if (!IsCharacterDevice("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    EXPECT_FALSE(SaveCase(testing::StartupForm(), "/dev/full").ok);
    EXPECT_TRUE(IsCharacterDevice("/dev/full"));
}

} // namespace
} // namespace hygrovane::casefile
