// Saving and loading question files on a real file system: permissions, links, refused
// targets, a full disk, and paths that name no readable file.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <set>
#include <string>

#include "model/question_file.h"
#include "model/safe_file.h"

namespace {

namespace fs = std::filesystem;

class SafeFileTest : public ::testing::Test {
  public:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zentu_safe_file_XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    std::string Path(const std::string& name) const { return dir + "/" + name; }

    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void Put(const std::string& path, const std::string& bytes, mode_t mode) {
        std::ofstream(path, std::ios::binary) << bytes;
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    }
    static mode_t ModeOf(const std::string& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : mode_t(-1);
    }
    static bool IsLink(const std::string& path) {
        struct stat info {};
        return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
    }
    // Every name under the temporary directory, so a leftover temporary file shows.
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(dir)) {
            names.insert(entry.path().lexically_relative(dir).string());
        }
        return names;
    }

    std::string dir;
};

class UmaskGuard {
  public:
    explicit UmaskGuard(mode_t mask) : previous(::umask(mask)) {}
    ~UmaskGuard() { ::umask(previous); }

  private:
    mode_t previous;
};

// A file size limit as a full disk would impose it: writes past it fail with EFBIG
// instead of the process being killed.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &previousLimit);
        previousHandler = ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = previousLimit;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previousLimit);
        ::signal(SIGXFSZ, previousHandler);
    }

  private:
    struct rlimit previousLimit {};
    sighandler_t previousHandler;
};

Question_Set SampleSet() {
    Zentu_Data record;
    record.question = "2+2?\r\nThink.";
    record.answer = "4";
    record.rightResponse = "Right";
    record.delimiter = '\0';
    record.answerMethod = AnswerMethod::Some;
    Question_Set set;
    set.Append(record);
    set.Append(record);
    return set;
}

LogFont SentinelFont() {
    LogFont font;
    font.weight = 123;
    font.faceName = "Sentinel";
    return font;
}

TEST_F(SafeFileTest, NewFilesGetTheUmasksPermissions) {
    for (mode_t mask : {022, 077, 002, 0, 0277}) {
        const std::string path = Path("new" + std::to_string(mask) + ".que");
        {
            UmaskGuard guard(mask);
            ASSERT_TRUE(WriteFileAtomically(path, "bytes")) << std::oct << mask;
        }
        EXPECT_EQ(ModeOf(path), 0666 & ~mask) << std::oct << mask;
        EXPECT_EQ(Contents(path), "bytes");
    }
}

TEST_F(SafeFileTest, ExistingFilesKeepTheirPermissions) {
    UmaskGuard guard(077);  // the old mode is kept, not the one the umask would give
    for (mode_t mode : {0640, 0600, 0666, 0755, 0200, 0604}) {
        const std::string path = Path("old" + std::to_string(mode) + ".que");
        Put(path, "old bytes that are longer than the new ones", mode);
        ASSERT_TRUE(WriteFileAtomically(path, "new")) << std::oct << mode;
        EXPECT_EQ(ModeOf(path), mode) << std::oct << mode;
        EXPECT_EQ(Contents(path), "new") << std::oct << mode;
    }
    EXPECT_EQ(Entries().size(), 6u) << "a temporary file was left behind";
}

TEST_F(SafeFileTest, SymbolicLinksAreFollowedToTheirFile) {
    ASSERT_EQ(::mkdir(Path("sub").c_str(), 0755), 0);
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links;  // link name, what it names
        std::string target;
    } const cases[] = {
        {"relative link", {{"rel.lnk", "rel.que"}}, "rel.que"},
        {"absolute link", {{"abs.lnk", Path("abs.que")}}, "abs.que"},
        {"chain of two links",
         {{"chain1.lnk", "chain2.lnk"}, {"chain2.lnk", "chain.que"}},
         "chain.que"},
        {"link into a subdirectory", {{"down.lnk", "sub/down.que"}}, "sub/down.que"},
        {"link in a subdirectory", {{"sub/up.lnk", "../up.que"}}, "up.que"},
    };
    for (const Case& c : cases) {
        Put(Path(c.target), "old", 0640);
        for (const auto& [link, names] : c.links) {
            ASSERT_EQ(::symlink(names.c_str(), Path(link).c_str()), 0) << c.name;
        }
        const std::string link = c.links.front().first;
        ASSERT_TRUE(WriteFileAtomically(Path(link), "new")) << c.name;
        for (const auto& [name, names] : c.links) {
            EXPECT_TRUE(IsLink(Path(name))) << c.name << ": " << name << " is no longer a link";
            EXPECT_EQ(fs::read_symlink(Path(name)).string(), names) << c.name;
        }
        EXPECT_EQ(Contents(Path(c.target)), "new") << c.name;
        EXPECT_EQ(ModeOf(Path(c.target)), 0640u) << c.name;
    }
    std::set<std::string> expected = {"sub"};
    for (const Case& c : cases) {
        expected.insert(c.target);
        for (const auto& link : c.links) expected.insert(link.first);
    }
    EXPECT_EQ(Entries(), expected);
}

TEST_F(SafeFileTest, DanglingLinkCreatesItsTarget) {
    UmaskGuard guard(022);
    ASSERT_EQ(::symlink("missing.que", Path("dangling.lnk").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(Path("dangling.lnk"), "created"));
    EXPECT_TRUE(IsLink(Path("dangling.lnk")));
    EXPECT_EQ(Contents(Path("missing.que")), "created");
    EXPECT_EQ(ModeOf(Path("missing.que")), 0644u);
    EXPECT_EQ(Entries(), (std::set<std::string>{"dangling.lnk", "missing.que"}));
}

TEST_F(SafeFileTest, RefusedTargetsAreLeftAsTheyWere) {
    const std::string old = "old contents";
    struct Case {
        const char* name;
        std::string path;
        void (*prepare)(SafeFileTest& test);
        std::string untouched;  // a file that must keep `old` and its mode, if any
        mode_t mode;
    } const cases[] = {
        // No write bit at all: refused even for root, which could write it anyway.
        {"read-only file", Path("ro.que"),
         [](SafeFileTest& t) { Put(t.Path("ro.que"), "old contents", 0444); }, Path("ro.que"),
         0444},
        {"owner read-only file", Path("r.que"),
         [](SafeFileTest& t) { Put(t.Path("r.que"), "old contents", 0400); }, Path("r.que"), 0400},
        {"read-only program file", Path("rx.que"),
         [](SafeFileTest& t) { Put(t.Path("rx.que"), "old contents", 0555); }, Path("rx.que"),
         0555},
        {"link to a read-only file", Path("ro.lnk"),
         [](SafeFileTest& t) {
             Put(t.Path("ro2.que"), "old contents", 0444);
             ASSERT_EQ(::symlink("ro2.que", t.Path("ro.lnk").c_str()), 0);
         },
         Path("ro2.que"), 0444},
        {"missing directory", Path("nowhere/file.que"), [](SafeFileTest&) {}, "", 0},
        {"directory as target", Path("folder"),
         [](SafeFileTest& t) { ASSERT_EQ(::mkdir(t.Path("folder").c_str(), 0755), 0); }, "", 0},
        {"link loop", Path("loop1"),
         [](SafeFileTest& t) {
             ASSERT_EQ(::symlink("loop2", t.Path("loop1").c_str()), 0);
             ASSERT_EQ(::symlink("loop1", t.Path("loop2").c_str()), 0);
         },
         "", 0},
        {"a file's name used as a directory", Path("plain/inside.que"),
         [](SafeFileTest& t) { Put(t.Path("plain"), "old contents", 0644); }, Path("plain"), 0644},
        {"empty path", "", [](SafeFileTest&) {}, "", 0},
    };
    for (const Case& c : cases) {
        c.prepare(*this);
        const std::set<std::string> before = Entries();
        EXPECT_FALSE(WriteFileAtomically(c.path, "new contents")) << c.name;
        EXPECT_FALSE(WriteQuestionFile(c.path, SampleSet(), 2, nullptr)) << c.name;
        EXPECT_EQ(Entries(), before) << c.name;
        if (!c.untouched.empty()) {
            EXPECT_EQ(Contents(c.untouched), old) << c.name;
            EXPECT_EQ(ModeOf(c.untouched), c.mode) << c.name;
        }
    }
    EXPECT_TRUE(fs::is_empty(Path("folder")));
}

// Questions enough for a file of about 1 MB, which a save writes out in several pieces.
Question_Set LargeSet() {
    Question_Set set;
    for (int i = 0; i < 5000; ++i) {
        Zentu_Data record;
        record.question = "Question " + std::to_string(i) + std::string(150, 'q') + "\r\nend";
        record.answer = std::string(40, 'a');
        record.answerMethod = AnswerMethod::AllInOrder;
        set.Append(record);
    }
    return set;
}

TEST_F(SafeFileTest, FullDiskFailsAndKeepsTheOldFile) {
    const std::string big(1 << 20, 'x');
    const Question_Set large = LargeSet();
    struct Case {
        const char* name;
        bool existing;
        int format;   // 0: the raw bytes of `big`; else a save of `large` in this format
        rlim_t room;  // bytes the "disk" takes before it is full
    } const cases[] = {
        {"replacing a file", true, 0, 4096},
        {"a new file", false, 0, 4096},
        // Full after the first pieces of a save have gone out.
        {"saving questions over a file", true, 2, 600 * 1024},
        {"saving questions in version 1.0", false, 1, 600 * 1024},
    };
    for (const Case& c : cases) {
        const std::string path = Path(std::string(c.existing ? "old " : "new ") + c.name);
        const auto write = [&] {
            return c.format == 0 ? WriteFileAtomically(path, big)
                                 : WriteQuestionFile(path, large, c.format, nullptr);
        };
        if (c.existing) Put(path, "old contents", 0640);
        const std::set<std::string> before = Entries();
        bool written = true;
        {
            FileSizeLimit limit(c.room);
            written = write();
        }
        EXPECT_FALSE(written) << c.name;
        EXPECT_EQ(Entries(), before) << c.name << ": a temporary file was left behind";
        if (c.existing) {
            EXPECT_EQ(Contents(path), "old contents") << c.name;
            EXPECT_EQ(ModeOf(path), 0640u) << c.name;
        }
        // With room again, the same write goes through.
        EXPECT_TRUE(write()) << c.name;
        EXPECT_TRUE(Contents(path) ==
                    (c.format == 0 ? big : FormatQuestionFile(large, c.format, nullptr)))
            << c.name;
    }
}

TEST_F(SafeFileTest, ContentMadeInPiecesIsWrittenWholeOrNotAtAll) {
    const std::string path = Path("pieces.que");
    Put(path, "old contents", 0600);
    EXPECT_TRUE(WriteFileAtomically(path, [](const ContentSink& sink) {
        return sink("first ") && sink("") && sink("second");
    }));
    EXPECT_EQ(Contents(path), "first second");
    // A producer that gives up half-way leaves the file as it was.
    EXPECT_FALSE(WriteFileAtomically(
        path, [](const ContentSink& sink) { return sink("partial") && false; }));
    EXPECT_EQ(Contents(path), "first second");
    EXPECT_EQ(ModeOf(path), 0600u);
    EXPECT_EQ(Entries(), std::set<std::string>{"pieces.que"});
}

// A save goes out in pieces; together they are the bytes of the file as formatted whole.
TEST_F(SafeFileTest, SavedQuestionsAreTheFormattedBytes) {
    const Question_Set large = LargeSet();
    const LogFont font = StartupDisplayFont();
    for (int format : {1, 2}) {
        const std::string path = Path("large" + std::to_string(format) + ".que");
        ASSERT_TRUE(WriteQuestionFile(path, large, format, &font));
        const std::string expected = FormatQuestionFile(large, format, &font);
        ASSERT_GT(expected.size(), std::size_t(3) << 18) << "several write pieces";
        EXPECT_TRUE(Contents(path) == expected) << "format " << format;
    }
}

TEST_F(SafeFileTest, WrittenFilesReadBack) {
    const LogFont font = StartupDisplayFont();
    for (int format : {1, 2}) {
        const std::string path = Path("round" + std::to_string(format) + ".que");
        ASSERT_TRUE(WriteQuestionFile(path, SampleSet(), format, &font));
        EXPECT_EQ(Contents(path), FormatQuestionFile(SampleSet(), format, &font));
        Question_Set set;
        LogFont readFont = SentinelFont();
        bool fontRead = false;
        EXPECT_EQ(ReadQuestionFile(path, set, readFont, fontRead), ReadOutcome::Loaded);
        EXPECT_EQ(set.Count(), 2u);
        EXPECT_EQ(set.At(2).question, SampleSet().At(2).question);
        EXPECT_EQ(fontRead, format == 2);
        EXPECT_EQ(readFont, format == 2 ? font : SentinelFont());
    }
}

TEST_F(SafeFileTest, ReadingWhatIsNoReadableFileChangesNothing) {
    ASSERT_EQ(::mkdir(Path("folder").c_str(), 0755), 0);
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0644), 0);
    {
        // Over the size limit, sparse so that it costs no disk.
        std::ofstream(Path("huge.que")) << "1\r\n";
        ASSERT_EQ(::truncate(Path("huge.que").c_str(), off_t(kMaxQuestionFileBytes) + 1), 0);
    }
    ASSERT_EQ(::symlink("folder", Path("folder.lnk").c_str()), 0);
    struct Case {
        const char* name;
        std::string path;
    } const cases[] = {
        {"missing file", Path("missing.que")},
        {"directory", Path("folder")},
        {"link to a directory", Path("folder.lnk")},
        {"FIFO", Path("fifo")},
        {"device", "/dev/null"},
        {"endless device", "/dev/zero"},
        {"file over 256 MiB", Path("huge.que")},
        {"empty path", ""},
    };
    for (const Case& c : cases) {
        Question_Set set = SampleSet();
        LogFont font = SentinelFont();
        bool fontRead = true;
        // A reader that blocks (a FIFO without a writer) must not hang the test run.
        auto reading = std::async(std::launch::async,
                                  [&] { return ReadQuestionFile(c.path, set, font, fontRead); });
        if (reading.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
            const int writer = ::open(c.path.c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) ::close(writer);
            FAIL() << c.name << ": reading blocked";
        }
        EXPECT_EQ(reading.get(), ReadOutcome::OpenFailed) << c.name;
        EXPECT_EQ(set, SampleSet()) << c.name;
        EXPECT_EQ(font, SentinelFont()) << c.name;
        EXPECT_FALSE(fontRead) << c.name;
    }
}

TEST_F(SafeFileTest, ReadWholeFileHonoursItsLimit) {
    Put(Path("ten"), "0123456789", 0644);
    struct Case {
        std::size_t limit;
        bool ok;
    } const cases[] = {{10, true}, {11, true}, {9, false}, {0, false}};
    for (const Case& c : cases) {
        std::string out = "previous";
        EXPECT_EQ(ReadWholeFile(Path("ten"), out, c.limit), c.ok) << c.limit;
        EXPECT_EQ(out, c.ok ? "0123456789" : "previous") << c.limit;
    }
}

// The whole file is held once: no buffer grown past it to look for more bytes.
TEST_F(SafeFileTest, ReadWholeFileHoldsTheFileOnce) {
    const std::string bytes(300000, 'q');
    Put(Path("big"), bytes, 0644);
    std::string out;
    ASSERT_TRUE(ReadWholeFile(Path("big"), out, kMaxQuestionFileBytes));
    EXPECT_EQ(out, bytes);
    EXPECT_LT(out.capacity(), bytes.size() + 4096);
}

// Files that say they are empty but are not (as the kernel's own files do) are read to
// their end all the same, within the limit.
TEST_F(SafeFileTest, ReadWholeFileReadsPastTheSizeItWasTold) {
    std::string out;
    ASSERT_TRUE(ReadWholeFile("/proc/self/status", out, kMaxQuestionFileBytes));
    EXPECT_NE(out.find("Name:"), std::string::npos);
    std::string limited = "previous";
    EXPECT_FALSE(ReadWholeFile("/proc/self/status", limited, 16));
    EXPECT_EQ(limited, "previous");
}

}  // namespace
