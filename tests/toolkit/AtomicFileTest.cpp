#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <set>

#include "support/TempAppDir.h"
#include "toolkit/AtomicFile.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> Listing(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

mode_t ModeOf(const std::string& path)
{
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// Makes every write past `bytes` fail as on a full disk, for the lifetime of the object.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

} // namespace

TEST(AtomicFile, CreatesAndReplacesLeavingNothingBehind)
{
    TempAppDir dir(false);
    const std::string path = dir.File("List.htm");
    const std::string binary("\xD6\xD0\0\r\n\xFF", 6);

    ASSERT_TRUE(WriteFileAtomically(path, "old"));
    EXPECT_EQ(ModeOf(path), 0644u);
    chmod(path.c_str(), 0600);
    ASSERT_TRUE(WriteFileAtomically(path, binary));

    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, binary);
    EXPECT_EQ(ModeOf(path), 0600u);  // a replaced file keeps its permissions
    EXPECT_EQ(Listing(dir.Path()), std::set<std::string>{"List.htm"});

    ASSERT_TRUE(WriteFileAtomically(path, ""));
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, "");
}

TEST(AtomicFile, FailureKeepsTheOldFileAndRemovesTheTemporaryOne)
{
    TempAppDir dir(false);
    WriteFileBytes(dir.File("plain"), "a file where a folder should be");
    fs::create_directory(dir.File("folder"));
    WriteFileBytes(dir.File("folder/inside"), "kept");

    const std::string targets[] = {
        dir.File("missing/x.ini"),  // the folder does not exist
        dir.File("plain/x.ini"),    // the folder is a file
        dir.File("folder"),         // written, but cannot be renamed over a folder
        dir.File("folder/"),
    };
    for (const auto& target : targets) {
        std::string error;
        EXPECT_FALSE(WriteFileAtomically(target, "new", &error)) << target;
        EXPECT_FALSE(error.empty()) << target;
        EXPECT_EQ(Listing(dir.Path()), (std::set<std::string>{"plain", "folder"})) << target;
        EXPECT_EQ(Listing(dir.File("folder")), std::set<std::string>{"inside"}) << target;
    }
    EXPECT_EQ(ReadFileBytes(dir.File("plain")), "a file where a folder should be");
}

TEST(AtomicFile, FullDiskKeepsTheOldContent)
{
    TempAppDir dir(false);
    const std::string path = dir.File("chapter.htm");
    ASSERT_TRUE(WriteFileAtomically(path, "old content"));

    std::string error;
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(WriteFileAtomically(path, std::string(1 << 20, 'x'), &error));
    }
    EXPECT_NE(error.find("chapter.htm"), std::string::npos) << error;
    EXPECT_EQ(ReadFileBytes(path), "old content");
    EXPECT_EQ(Listing(dir.Path()), std::set<std::string>{"chapter.htm"});
}

TEST(AtomicFile, ReadingMissingOrUnreadableFilesFails)
{
    TempAppDir dir(false);
    std::string bytes = "stale";
    EXPECT_FALSE(ReadFileBytes(dir.File("missing"), bytes));
    EXPECT_EQ(bytes, "");
    bytes = "stale";
    EXPECT_FALSE(ReadFileBytes(dir.Path(), bytes));  // a folder
    EXPECT_EQ(bytes, "");
}
