// Saving and loading question files on a real file system: permissions and owners, links,
// refused targets, a full disk, and paths that name no readable file.
#include <fcntl.h>
#include <grp.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "model/question_file.h"
#include "model/safe_file.h"
#include "model_test_support.h"

namespace {

namespace fs = std::filesystem;

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Put(const std::string& path, const std::string& bytes, mode_t mode) {
    std::ofstream(path, std::ios::binary) << bytes;
    ASSERT_EQ(::chmod(path.c_str(), mode), 0) << path;
}

struct stat StatOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info;
}

class SafeFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zentu_safe_file_XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        ASSERT_EQ(::mkdir(Path("folder").c_str(), 0755), 0);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    std::string Path(const std::string& name) const {
        return name.empty() || name[0] == '/' ? name : dir + "/" + name;
    }
    // Every name under the directory, links with what they name, so that a temporary file
    // left behind or a link replaced by a file shows.
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(dir)) {
            const std::string name = entry.path().lexically_relative(dir).string();
            names.insert(entry.is_symlink() ? name + " -> " + fs::read_symlink(entry).string()
                                            : name);
        }
        return names;
    }

    std::string dir;
};

TEST_F(SafeFileTest, SavesReplaceTheFileWholeOrNotAtAll) {
    const Question_Set small = SetOf({Record("2+2?\r\nThink.", "4", "", '\0')});
    Question_Set large;  // about 1 MB, which a save writes out in several pieces
    for (int i = 0; i < 5000; ++i) {
        large.Append(Record("Question " + std::to_string(i) + std::string(150, 'q') + "\r\nend",
                            std::string(40, 'a'), "", ',', "0000", 8));
    }
    const LogFont font = StartupDisplayFont();
    // A row saves to `path`; `target` is the file that gets the new bytes or keeps the old
    // ones when it is not `path`; `existing` is its mode before (0: there is none); `links`
    // are made first (name, what it names). With `room` the large set is saved onto a disk
    // that takes that many bytes.
    struct Case {
        std::string path, target;
        mode_t existing;
        std::vector<std::pair<std::string, std::string>> links;
        bool ok;
        rlim_t room = 0;
        mode_t umask = 022;
    } const cases[] = {
        // A new file gets the umask's mode, an old one keeps its own.
        {"a.que", "", 0, {}, true},
        {"b.que", "", 0755, {}, true, 0, 077},
        // Links are followed to the file they name and stay links; "/" stands for the directory.
        {"abs.lnk", "abs.que", 0640, {{"abs.lnk", "/abs.que"}}, true},
        {"c1", "chain", 0640, {{"c1", "sub/c2"}, {"sub/c2", "../chain"}}, true},
        {"dangling.lnk", "missing.que", 0, {{"dangling.lnk", "missing.que"}}, true},
        // No write bit at all: refused even for root, who could write it anyway.
        {"ro.que", "", 0444, {}, false},
        {"ro.lnk", "ro2.que", 0444, {{"ro.lnk", "ro2.que"}}, false},
        {"nowhere/f.que", "", 0, {}, false},
        {"loop1", "", 0, {{"loop1", "loop2"}, {"loop2", "loop1"}}, false},
        {"plain/f.que", "plain", 0644, {}, false},
        {"", "", 0, {}, false},
        // A full disk, at once or after the first pieces have gone out, leaves the old file
        // or none; with room, the pieces make the file as formatted whole.
        {"full.que", "", 0, {}, false, 4096},
        {"save.que", "", 0640, {}, false, 600 << 10},
        {"large.que", "", 0640, {}, true, RLIM_INFINITY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const std::string name = c.target.empty() ? c.path : c.target;
        const std::string target = Path(name);
        for (const auto& [link, names] : c.links) {
            fs::create_directories(fs::path(Path(link)).parent_path());
            const std::string to = names[0] == '/' ? dir + names : names;
            ASSERT_EQ(::symlink(to.c_str(), Path(link).c_str()), 0) << link;
        }
        if (c.existing != 0) {
            Put(target, "old", c.existing);
            // As root, a file of another owner keeps its owner.
            ASSERT_TRUE(::geteuid() != 0 || ::chown(target.c_str(), 4321, 4321) == 0);
        }
        const uid_t owner = StatOf(target).st_uid;
        const std::set<std::string> before = Entries();
        const Question_Set& set = c.room != 0 ? large : small;

        struct rlimit saved {};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        struct rlimit limited = saved;
        if (c.room != 0) limited.rlim_cur = c.room;
        const auto handler = ::signal(SIGXFSZ, SIG_IGN);  // writes past the limit fail with EFBIG
        const mode_t mask = ::umask(c.umask);
        ::setrlimit(RLIMIT_FSIZE, &limited);
        const bool ok = WriteQuestionFile(Path(c.path), set, 2, &font);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::umask(mask);
        ::signal(SIGXFSZ, handler);

        EXPECT_EQ(ok, c.ok);
        std::set<std::string> after = before;
        if (ok && c.existing == 0) after.insert(name);
        EXPECT_EQ(Entries(), after);
        const std::string old = c.existing != 0 ? "old" : "";
        EXPECT_TRUE(Contents(target) == (ok ? FormatQuestionFile(set, 2, &font) : old));
        const mode_t mode = c.existing != 0 ? c.existing : ok ? 0666 & ~c.umask : 0;
        EXPECT_EQ(StatOf(target).st_mode & 07777, mode);
        EXPECT_TRUE(c.existing == 0 || StatOf(target).st_uid == owner) << "owner lost";
    }
    Parsed read;
    read.outcome = ReadQuestionFile(Path("large.que"), read.set, read.font, read.fontRead);
    EXPECT_EQ(read, (Parsed{ReadOutcome::Loaded, large, font, true, {}}));
}

// Only regular files within the limit are read, whole and held once, also those that say
// they are empty; for anything else the set and the font stay as they were.
TEST_F(SafeFileTest, ReadsRegularFilesWithinTheLimitOnly) {
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0644), 0);
    std::ofstream(Path("huge.que")) << "1\r\n";  // sparse: over the limit, costing no disk
    ASSERT_EQ(::truncate(Path("huge.que").c_str(), off_t(kMaxQuestionFileBytes) + 1), 0);
    Put(Path("ten"), "0123456789", 0644);
    Put(Path("big"), std::string(300000, 'q'), 0644);
    const std::size_t kMax = kMaxQuestionFileBytes;
    // The kernel's own files say they are empty; they are read to their end all the same.
    const std::string proc = "/proc/self/cmdline";
    struct Case {
        std::string path;
        std::size_t limit;
        bool ok;
    } const cases[] = {
        {"missing", kMax, false},   {"folder", kMax, false},   {"fifo", kMax, false},
        {"/dev/null", kMax, false}, {"huge.que", kMax, false}, {"", kMax, false},
        {"ten", 10, true},          {"ten", 9, false},         {"big", kMax, true},
        {proc, kMax, true},         {proc, 4, false},
    };
    const Question_Set kept = SetOf({Record("kept", "a")});
    for (const Case& c : cases) {
        const std::string path = Path(c.path);
        std::string out = "previous";
        // A reader that blocks (a FIFO without a writer) must not hang the test run.
        auto reading =
            std::async(std::launch::async, [&] { return ReadWholeFile(path, out, c.limit); });
        if (reading.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
            const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) ::close(writer);
            FAIL() << path << ": reading blocked";
        }
        EXPECT_EQ(reading.get(), c.ok) << path << " " << c.limit;
        EXPECT_TRUE(out == (c.ok ? Contents(path) : "previous")) << path << " " << c.limit;
        EXPECT_LT(out.capacity(), out.size() + 4096) << path;
        if (c.ok || c.limit != kMax) continue;
        Parsed read{ReadOutcome::Loaded, kept, LogFont(), true, {}};
        read.outcome = ReadQuestionFile(path, read.set, read.font, read.fontRead);
        EXPECT_EQ(read, (Parsed{ReadOutcome::OpenFailed, kept, LogFont(), false, {}})) << path;
    }
}

// Makes this process's file system refuse unnamed files, as some do.
bool RefuseUnnamedFiles() {
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_openat, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, O_TMPFILE & ~O_DIRECTORY, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// A save killed while it writes leaves the old file whole and no other file: the children
// stop at pieces spread over the save and are killed there.
TEST_F(SafeFileTest, KilledSavesLeaveOnlyTheTargetWhole) {
    constexpr std::size_t kPiece = 128 << 10, kPieces = 48, kKills = 32;
    const std::string old(kPiece * kPieces, 'o'), fresh(kPiece * kPieces, 'n');
    const std::string target = Path("set.que");
    Put(target, old, 0644);
    for (std::size_t kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE(kill);
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            WriteFileAtomically(target, [&](const ContentSink& sink) {
                for (std::size_t i = 0; i < kPieces; ++i) {
                    if (i == kill * kPieces / kKills && ::write(ready[1], "k", 1) == 1) ::pause();
                    if (!sink(std::string_view(fresh).substr(i * kPiece, kPiece))) return false;
                }
                return true;
            });
            ::_exit(0);
        }
        ::close(ready[1]);
        char signalled = 0;
        EXPECT_EQ(::read(ready[0], &signalled, 1), 1) << "the save never got to its piece";
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ::close(ready[0]);
        EXPECT_EQ(Entries(), (std::set<std::string>{"folder", "set.que"}));
        EXPECT_TRUE(Contents(target) == old);
    }
}

// Where no temporary file can be made beside it, a file its user may write is written in
// place, and a failure on the way puts the old bytes back; where unnamed files are refused,
// a named one stands in. Root may write in any folder, so the saves run as another user.
TEST_F(SafeFileTest, SavesWhereTheFolderRefusesTemporaryFiles) {
    const bool root = ::geteuid() == 0;
    const uid_t user = root ? 65534 : ::geteuid();
    const gid_t group = root ? 65534 : ::getegid();
    ASSERT_EQ(::chmod(dir.c_str(), 0755), 0);
    const std::string fresh(1 << 20, 'n');
    const rlim_t kAll = RLIM_INFINITY;
    struct Case {
        std::string name;
        mode_t mode;
        bool folderWritable, refuseUnnamed;
        rlim_t room;
        bool producible, ok;
    } const cases[] = {
        {"in.que", 0644, false, false, kAll, true, true},
        {"full.que", 0644, false, false, 64 << 10, true, false},
        {"broken.que", 0644, false, false, kAll, false, false},
        {"unreadable.que", 0200, false, false, kAll, true, false},
        {"named.que", 0640, true, true, kAll, true, true},
        {"named-in.que", 0644, false, true, kAll, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = Path(c.name + ".d"), target = folder + "/" + c.name;
        ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
        Put(target, "old", c.mode);
        ASSERT_TRUE(!root || ::chown(folder.c_str(), c.folderWritable ? user : 0, 0) == 0);
        ASSERT_EQ(::chown(target.c_str(), user, group), 0);
        ASSERT_EQ(::chmod(folder.c_str(), c.folderWritable ? 0755 : 0555), 0);
        const ino_t inode = StatOf(target).st_ino;
        const pid_t child = ::fork();
        if (child == 0) {
            const struct rlimit room = {c.room, c.room};
            ::signal(SIGXFSZ, SIG_IGN);
            if ((root && (::setgroups(0, nullptr) || ::setgid(group) || ::setuid(user))) ||
                (c.refuseUnnamed && !RefuseUnnamedFiles()) || ::setrlimit(RLIMIT_FSIZE, &room)) {
                ::_exit(2);
            }
            ::_exit(WriteFileAtomically(target, [&](const ContentSink& sink) {
                return sink(std::string_view(fresh).substr(0, 1000)) && c.producible &&
                       sink(std::string_view(fresh).substr(1000));
            }));
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, int(c.ok)) << "2: no setup";
        EXPECT_TRUE(Contents(target) == (c.ok ? fresh : "old"));
        EXPECT_EQ(StatOf(target).st_mode & 07777, c.mode);
        EXPECT_EQ(StatOf(target).st_ino == inode, !c.folderWritable) << "written in place";
        const auto entries = fs::directory_iterator(folder);
        EXPECT_EQ(std::distance(begin(entries), end(entries)), 1);
    }
}

}  // namespace

// The next save turns the copies that killed saves left into recovered files, named by
// the killed save's time, never one over another, and says which; it leaves a copy a live
// save holds locked, another target's and names not ours, and drops a part-written copy.
TEST_F(SafeFileTest, NextSaveRecoversWhatKilledSavesLeft) {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    const std::string target = Path("set.que"), live = ".set.que.zentu-LIVE01";
    const timespec when[2] = {{1767323045, 0}, {1767323045, 0}};  // 2026-01-02 03:04:05
    for (const char* name : {".set.que.zentu-AAAAAA", ".set.que.zentu-BBBBBB", live.c_str(),
                             ".set.que.zentu-part-CCCCCC", ".set.que.DDDDDD",
                             ".other.que.zentu-EEEEEE", ".set.que.zentu-FFFFFFF"}) {
        Put(Path(name), name, 0600);
        ASSERT_EQ(::utimensat(AT_FDCWD, Path(name).c_str(), when, 0), 0);
    }
    int locked[2];
    ASSERT_EQ(::pipe(locked), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const int fd = ::open(Path(live).c_str(), O_RDONLY);
        if (::flock(fd, LOCK_EX) == 0 && ::write(locked[1], "l", 1) == 1) ::pause();
        ::_exit(1);
    }
    char byte = 0;
    ASSERT_EQ(::read(locked[0], &byte, 1), 1);
    const std::string stamp = "set.recovered-20260102-030405";
    std::vector<std::string> recovered[3];
    for (int save = 0; save < 3; ++save) {
        EXPECT_TRUE(WriteFileAtomically(target, "v" + std::to_string(save), &recovered[save]));
        if (save == 0) {  // the live save is killed: its copy is left to the next save
            ::kill(holder, SIGKILL);
            ::waitpid(holder, nullptr, 0);
        }
    }
    EXPECT_EQ(Entries(),
              (std::set<std::string>{"folder", "set.que", stamp + ".que", stamp + "-2.que",
                                     stamp + "-3.que", ".set.que.DDDDDD", ".other.que.zentu-EEEEEE",
                                     ".set.que.zentu-FFFFFFF"}));
    EXPECT_EQ(std::set<std::string>(recovered[0].begin(), recovered[0].end()),
              (std::set<std::string>{Path(stamp + ".que"), Path(stamp + "-2.que")}));
    EXPECT_EQ(
        (std::set<std::string>{Contents(Path(stamp + ".que")), Contents(Path(stamp + "-2.que"))}),
        (std::set<std::string>{".set.que.zentu-AAAAAA", ".set.que.zentu-BBBBBB"}));
    EXPECT_EQ(recovered[1], (std::vector<std::string>{Path(stamp + "-3.que")}));
    EXPECT_EQ(Contents(recovered[1].at(0)), live);
    EXPECT_TRUE(recovered[2].empty());
}

// Saves killed at random moments, half of them where unnamed files are refused: after one
// more save no temporary file is left, and every recovered file is byte for byte a version
// that was being saved. ZENTU_KILLS sets the number of kills (by hand: 1000).
TEST_F(SafeFileTest, RandomlyKilledSavesLeaveOnlyWholeVersions) {
    const int kills = std::getenv("ZENTU_KILLS") ? std::atoi(std::getenv("ZENTU_KILLS")) : 40;
    const auto version = [](int child, int save) {
        return "child " + std::to_string(child) + " save " + std::to_string(save) +
               std::string(48 << 10, char('a' + (child + save) % 26));
    };
    const std::string target = Path("set.que");
    std::mt19937 random(17);
    for (int kill = 0; kill < kills; ++kill) {
        const pid_t child = ::fork();
        if (child == 0) {
            if (kill % 2 == 1 && !RefuseUnnamedFiles()) ::_exit(2);
            for (int save = 0;; ++save) WriteFileAtomically(target, version(kill, save));
        }
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 4000)(random));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    ASSERT_TRUE(WriteFileAtomically(target, version(kills, 0)));
    std::size_t found = 0;  // the children's saves recover too
    for (const std::string& name : Entries()) {
        if (name == "folder" || name == "set.que") continue;
        ASSERT_EQ(name.rfind("set.recovered-", 0), 0u) << name;
        const std::string bytes = Contents(Path(name));
        int child = 0, save = 0;
        ASSERT_EQ(std::sscanf(bytes.c_str(), "child %d save %d", &child, &save), 2) << name;
        EXPECT_TRUE(bytes == version(child, save)) << name;
        ++found;
    }
    std::printf("%d kills left %zu recovered files\n", kills, found);
}
