#include "model/safe_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <new>
#include <random>
#include <vector>

#include "model/large_pages.h"

namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd(fd) {}
    ~FileDescriptor() {
        if (fd >= 0) ::close(fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            if (fd >= 0) ::close(fd);
            fd = other.fd;
            other.fd = -1;
        }
        return *this;
    }
    int Get() const { return fd; }
    // Closing reports late write errors (network file systems report them here).
    bool Close() {
        const int result = ::close(fd);
        fd = -1;
        return result == 0;
    }

  private:
    int fd;
};

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows a chain of symbolic links to the path of the file it finally names, which
// need not exist yet. False for a loop or an unreadable link.
bool ResolveLinks(std::string path, std::string& resolved) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            resolved = path;
            return true;
        }
        std::vector<char> buffer(PATH_MAX + 1);
        const ssize_t length = ::readlink(path.c_str(), buffer.data(), PATH_MAX);
        if (length <= 0) return false;
        std::string target(buffer.data(), static_cast<std::size_t>(length));
        path = target[0] == '/' ? target : DirectoryOf(path) + "/" + target;
    }
    return false;
}

bool WriteAll(int fd, std::string_view data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t written = ::write(fd, data.data() + done, data.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// Reads the rest of an open regular file of at most maxBytes, as ReadWholeFile does.
bool ReadOpenFile(int fd, std::string& out, std::size_t maxBytes) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) return false;
    try {
        std::string content;
        content.reserve(static_cast<std::size_t>(info.st_size));
        AdviseLargePages(content.data(), content.capacity());
        content.resize(static_cast<std::size_t>(info.st_size));
        std::size_t filled = 0;
        while (filled < content.size()) {
            const ssize_t got = ::read(fd, &content[filled], content.size() - filled);
            if (got < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            if (got == 0) break;  // the file shrank since fstat
            filled += static_cast<std::size_t>(got);
        }
        content.resize(filled);
        // The file may have grown since fstat: read on, within the limit, through a small
        // buffer, so that the usual end of file costs no second copy of the whole file.
        char chunk[4096];
        for (;;) {
            const ssize_t got = ::read(fd, chunk, sizeof chunk);
            if (got < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            if (got == 0) break;
            if (static_cast<std::size_t>(got) > maxBytes - content.size()) return false;
            content.append(chunk, static_cast<std::size_t>(got));
        }
        out.swap(content);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// The errors by which a kernel or file system says it makes no unnamed files; a save
// then falls back to a named temporary file.
bool RefusesUnnamedFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// Our temporary files: `.NAME.zentu-XXXXXX` holds a complete new version; where the
// folder refuses unnamed files, `.NAME.zentu-part-XXXXXX` is one still being written.
// Names of our own, so that files of rsync or an editor are never taken for ours.
constexpr std::string_view kTempTag = ".zentu-";
constexpr std::string_view kPartTag = "part-";
constexpr std::size_t kRandomLetters = 6;

// Gives a free name made from `pattern` (its last six characters replaced by random
// letters) through `place`, which is false with errno EEXIST for a name that is taken.
bool PlaceUnderFreeName(const std::string& pattern, std::string& name,
                        const std::function<bool(const std::string& candidate)>& place) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = pattern;
        for (std::size_t i = candidate.size() - kRandomLetters; i < candidate.size(); ++i) {
            candidate[i] = kLetters[letter(random)];
        }
        if (place(candidate)) {
            name = candidate;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

// Gives the unnamed file `fd` a free name made from `pattern`.
bool LinkUnnamed(int fd, const std::string& pattern, std::string& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return PlaceUnderFreeName(pattern, name, [&](const std::string& candidate) {
        int linked =
            ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW);
        // Without /proc, the kernel links the descriptor itself, where it lets us.
        if (linked != 0 && errno == ENOENT) {
            linked = ::linkat(fd, "", AT_FDCWD, candidate.c_str(), AT_EMPTY_PATH);
        }
        return linked == 0;
    });
}

// Renames `from` to `to` unless `to` exists (errno EEXIST then).
bool RenameNoReplace(int folder, const std::string& from, const std::string& to) {
    if (::renameat2(folder, from.c_str(), folder, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without the flag: a hard link cannot replace either.
    if (::linkat(folder, from.c_str(), folder, to.c_str(), 0) != 0) return false;
    ::unlinkat(folder, from.c_str(), 0);
    return true;
}

// "set.que" -> "set.recovered-20261208-093000.que": the time is the killed save's, so
// that several copies sort as they were made.
std::string RecoveredName(const std::string& base, std::time_t when, int clash) {
    const std::size_t dot = base.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > 0;
    const std::string stem = hasExtension ? base.substr(0, dot) : base;
    const std::string extension = hasExtension ? base.substr(dot) : std::string();
    std::tm local{};
    ::localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string name = stem + ".recovered-" + stamp;
    if (clash > 0) name += "-" + std::to_string(clash + 1);
    return name + extension;
}

// Turns the copies that killed saves of `base` left in `directory` into recovered files.
// A copy a live save holds is locked and left alone; a part-written one (only made where
// unnamed files are refused) never replaced anything, and goes.
void RecoverLeftovers(const std::string& directory, const std::string& base,
                      std::vector<std::string>* recovered) {
    DIR* listing = ::opendir(directory.c_str());
    if (listing == nullptr) return;
    const int folder = ::dirfd(listing);
    const std::string prefix = "." + base + std::string(kTempTag);
    std::vector<std::string> leftovers;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name(entry->d_name);
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0) {
            leftovers.emplace_back(name);
        }
    }
    for (const std::string& name : leftovers) {
        const std::string_view rest = std::string_view(name).substr(prefix.size());
        const bool part = rest.size() == kPartTag.size() + kRandomLetters &&
                          rest.compare(0, kPartTag.size(), kPartTag) == 0;
        if (rest.size() != kRandomLetters && !part) continue;
        FileDescriptor copy(
            ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info {};
        if (copy.Get() < 0 || ::fstat(copy.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
            ::flock(copy.Get(), LOCK_EX | LOCK_NB) != 0) {
            continue;
        }
        if (part) {
            ::unlinkat(folder, name.c_str(), 0);
            continue;
        }
        for (int clash = 0; clash < 1000; ++clash) {
            const std::string target = RecoveredName(base, info.st_mtime, clash);
            if (RenameNoReplace(folder, name, target)) {
                if (recovered != nullptr) recovered->push_back(directory + "/" + target);
                break;
            }
            if (errno != EEXIST) break;
        }
    }
    ::closedir(listing);
}

// Replaces the content of `fd` by `data`: written from the start, cut to its length, synced.
bool Overwrite(int fd, std::string_view data) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, data) &&
           ::ftruncate(fd, static_cast<off_t>(data.size())) == 0 && ::fsync(fd) == 0;
}

// For a file the user may write in a folder where no temporary file can be made: the
// file is written in place. Both contents are whole in memory before the first byte
// goes out, so that a failure on the way can put the old bytes back.
bool WriteInPlace(const std::string& target,
                  const std::function<bool(const ContentSink& sink)>& produce) {
    try {
        FileDescriptor file(::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW));
        std::string old;
        if (file.Get() < 0 ||
            !ReadOpenFile(file.Get(), old, std::numeric_limits<std::size_t>::max())) {
            return false;
        }
        std::string content;
        const bool made = produce([&content](std::string_view piece) {
            content.append(piece);
            return true;
        });
        if (!made) return false;
        if (Overwrite(file.Get(), content)) return true;
        static_cast<void>(Overwrite(file.Get(), old));
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes) {
    if (path.empty()) return false;
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    return file.Get() >= 0 && ReadOpenFile(file.Get(), out, maxBytes);
}

bool WriteFileAtomically(const std::string& path, std::string_view data,
                         std::vector<std::string>* recovered) {
    return WriteFileAtomically(
        path, [data](const ContentSink& sink) { return sink(data); }, recovered);
}

bool WriteFileAtomically(const std::string& path,
                         const std::function<bool(const ContentSink& sink)>& produce,
                         std::vector<std::string>* recovered) {
    std::string target;
    if (path.empty() || !ResolveLinks(path, target)) return false;
    const std::string directory = DirectoryOf(target);
    RecoverLeftovers(directory, BaseNameOf(target), recovered);

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists) {
        if (!S_ISREG(existing.st_mode)) return false;
        // A file without any write permission stays untouched, even for root.
        if (::access(target.c_str(), W_OK) != 0 || (existing.st_mode & 0222) == 0) return false;
    } else if (errno != ENOENT) {
        return false;
    }

    const std::string namePattern =
        directory + "/." + BaseNameOf(target) + std::string(kTempTag) + "XXXXXX";
    // The new content goes into a file without a name, so that a save killed on the way
    // leaves nothing behind; it gets a name only once it is whole.
    FileDescriptor temp(::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    std::string tempPath;
    bool partWritten = false;
    if (temp.Get() < 0) {
        if (!RefusesUnnamedFiles(errno)) return exists && WriteInPlace(target, produce);
        std::string partName = namePattern;
        partName.insert(partName.size() - kRandomLetters, kPartTag);
        partName.push_back('\0');
        FileDescriptor named(::mkostemp(partName.data(), O_CLOEXEC));
        if (named.Get() < 0) return exists && WriteInPlace(target, produce);
        temp = std::move(named);
        tempPath = partName.c_str();
        partWritten = true;
    }
    // Held until the file has replaced the target: a later save takes only the copies
    // that nobody holds for its own. The lock belongs to the open file, so this second
    // descriptor keeps it after the first is closed.
    FileDescriptor lock(::fcntl(temp.Get(), F_DUPFD_CLOEXEC, 0));
    const int fd = temp.Get();
    bool ok = lock.Get() >= 0 && ::flock(fd, LOCK_EX) == 0;

    const mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~CurrentUmask());
    ok = ok && produce([fd](std::string_view piece) { return WriteAll(fd, piece); }) &&
         ::fchmod(fd, mode) == 0;
    if (ok && exists) {
        // Keeping the owner only works for root; anyone else keeps their own file anyway.
        static_cast<void>(!::fchown(fd, existing.st_uid, existing.st_gid));
    }
    ok = ok && ::fsync(fd) == 0;
    if (ok && tempPath.empty()) ok = LinkUnnamed(fd, namePattern, tempPath);
    if (ok && partWritten) {
        // Whole now: it takes the name of a complete copy.
        const std::string partPath = tempPath;
        ok = PlaceUnderFreeName(namePattern, tempPath, [&](const std::string& candidate) {
            return RenameNoReplace(AT_FDCWD, partPath, candidate);
        });
    }
    ok = temp.Close() && ok;
    ok = ok && ::rename(tempPath.c_str(), target.c_str()) == 0;
    if (!ok) {
        if (!tempPath.empty()) ::unlink(tempPath.c_str());
        return false;
    }
    FileDescriptor folder(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) ::fsync(folder.Get());
    return true;
}
