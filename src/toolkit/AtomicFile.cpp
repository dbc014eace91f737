#include "toolkit/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

bool Fail(std::string* error, const std::string& what, int code)
{
    if (error)
        *error = what + ": " + std::strerror(code);
    return false;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, const std::string& bytes)
{
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

// So that the rename itself survives a power cut; a folder that refuses is no reason to fail.
void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error)
{
    if (path.empty() || path.back() == '/')
        return Fail(error, "cannot write \"" + path + "\"", EISDIR);

    const std::string folder = FolderOf(path);
    // Hidden and without the target's extension, so no folder scan takes it for a real file;
    // the name is cut so that a long target name still leaves room for the suffix.
    std::string temp = folder + "/." + NameOf(path).substr(0, 100) + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return Fail(error, "cannot create a temporary file in \"" + folder + "\"", errno);

    auto abandon = [&](const std::string& what, int code) {
        ::close(fd);
        ::unlink(temp.c_str());
        return Fail(error, what, code);
    };

    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (::fchmod(fd, mode) != 0)
        return abandon("cannot set the permissions of \"" + temp + "\"", errno);
    if (!WriteAll(fd, bytes))
        return abandon("cannot write \"" + temp + "\"", errno);
    if (::fsync(fd) != 0)
        return abandon("cannot flush \"" + temp + "\" to the disk", errno);
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(temp.c_str());
        return Fail(error, "cannot close \"" + temp + "\"", code);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int code = errno;
        ::unlink(temp.c_str());
        return Fail(error, "cannot replace \"" + path + "\"", code);
    }
    SyncFolder(folder);
    return true;
}

bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            bytes.clear();
            return false;
        }
        bytes.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return true;
}
