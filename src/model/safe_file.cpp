#include "model/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <random>
#include <vector>

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
        std::string content(static_cast<std::size_t>(info.st_size), '\0');
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

// Gives the unnamed file `fd` a free name made from `pattern` (its XXXXXX replaced).
bool LinkUnnamed(int fd, const std::string& pattern, std::string& name) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = pattern;
        for (std::size_t i = candidate.size() - 6; i < candidate.size(); ++i) {
            candidate[i] = kLetters[letter(random)];
        }
        int linked =
            ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW);
        // Without /proc, the kernel links the descriptor itself, where it lets us.
        if (linked != 0 && errno == ENOENT) {
            linked = ::linkat(fd, "", AT_FDCWD, candidate.c_str(), AT_EMPTY_PATH);
        }
        if (linked == 0) {
            name = candidate;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
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

bool WriteFileAtomically(const std::string& path, std::string_view data) {
    return WriteFileAtomically(path, [data](const ContentSink& sink) { return sink(data); });
}

bool WriteFileAtomically(const std::string& path,
                         const std::function<bool(const ContentSink& sink)>& produce) {
    std::string target;
    if (path.empty() || !ResolveLinks(path, target)) return false;

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists) {
        if (!S_ISREG(existing.st_mode)) return false;
        // A file without any write permission stays untouched, even for root.
        if (::access(target.c_str(), W_OK) != 0 || (existing.st_mode & 0222) == 0) return false;
    } else if (errno != ENOENT) {
        return false;
    }

    const std::string directory = DirectoryOf(target);
    const std::string namePattern = directory + "/." + BaseNameOf(target) + ".XXXXXX";
    // The new content goes into a file without a name, so that a save killed on the way
    // leaves nothing behind; it gets a name only once it is whole.
    FileDescriptor temp(::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    std::string tempPath;
    if (temp.Get() < 0) {
        if (!RefusesUnnamedFiles(errno)) return exists && WriteInPlace(target, produce);
        std::vector<char> tempName(namePattern.begin(), namePattern.end());
        tempName.push_back('\0');
        FileDescriptor named(::mkostemp(tempName.data(), O_CLOEXEC));
        if (named.Get() < 0) return exists && WriteInPlace(target, produce);
        temp = std::move(named);
        tempPath = tempName.data();
    }

    const mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~CurrentUmask());
    const int fd = temp.Get();
    bool ok = produce([fd](std::string_view piece) { return WriteAll(fd, piece); }) &&
              ::fchmod(fd, mode) == 0;
    if (ok && exists) {
        // Keeping the owner only works for root; anyone else keeps their own file anyway.
        static_cast<void>(!::fchown(fd, existing.st_uid, existing.st_gid));
    }
    ok = ok && ::fsync(fd) == 0;
    if (ok && tempPath.empty()) ok = LinkUnnamed(fd, namePattern, tempPath);
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
