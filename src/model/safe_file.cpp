#include "model/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
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

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes) {
    if (path.empty()) return false;
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0) return false;
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) return false;
    try {
        std::string content(static_cast<std::size_t>(info.st_size), '\0');
        std::size_t filled = 0;
        while (filled < content.size()) {
            const ssize_t got = ::read(file.Get(), &content[filled], content.size() - filled);
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
            const ssize_t got = ::read(file.Get(), chunk, sizeof chunk);
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

    std::string pattern = DirectoryOf(target) + "/." + BaseNameOf(target) + ".XXXXXX";
    std::vector<char> tempName(pattern.begin(), pattern.end());
    tempName.push_back('\0');
    FileDescriptor temp(::mkstemp(tempName.data()));
    if (temp.Get() < 0) return false;
    const std::string tempPath(tempName.data());

    const mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~CurrentUmask());
    const int fd = temp.Get();
    bool ok = produce([fd](std::string_view piece) { return WriteAll(fd, piece); }) &&
              ::fchmod(temp.Get(), mode) == 0;
    if (ok && exists) {
        // Keeping the owner only works for root; anyone else keeps their own file anyway.
        static_cast<void>(!::fchown(temp.Get(), existing.st_uid, existing.st_gid));
    }
    ok = ok && ::fsync(temp.Get()) == 0;
    ok = temp.Close() && ok;
    ok = ok && ::rename(tempPath.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(tempPath.c_str());
        return false;
    }
    FileDescriptor directory(::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY));
    if (directory.Get() >= 0) ::fsync(directory.Get());
    return true;
}
