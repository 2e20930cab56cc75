#include "Atomic_File.h"

#include <atomic>
#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Exclusive creation retries this many fresh names before giving up (only stale files of an
// earlier process with the same id can collide).
constexpr int Temporary_Name_Attempts = 100;

[[noreturn]] void Throw_Errno(int error, const std::string& what, const std::string& path)
{
    throw std::system_error(error, std::generic_category(), what + " " + path);
}

std::string Temporary_Name(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "." + name + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".part";
}

File_Identity Identity(const struct stat& info)
{
    return {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

// Owns the temporary file until it has been renamed into place.
class Temporary_File {
public:
    explicit Temporary_File(const std::string& final_path)
    {
        for (int attempt = 0; attempt < Temporary_Name_Attempts; ++attempt) {
            Path = Temporary_Name(final_path);
            Fd = ::open(Path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (Fd >= 0)
                return;
            if (errno != EEXIST)
                Throw_Errno(errno, "cannot create", Path);
        }
        Throw_Errno(EEXIST, "no free temporary name for", final_path);
    }

    ~Temporary_File()
    {
        if (Fd >= 0)
            ::close(Fd);
        if (!Renamed)
            ::unlink(Path.c_str());
    }

    Temporary_File(const Temporary_File&) = delete;
    Temporary_File& operator=(const Temporary_File&) = delete;

    void Write_All(const unsigned char* bytes, std::size_t size)
    {
        while (size > 0) {
            const ssize_t written = ::write(Fd, bytes, size);
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                Throw_Errno(errno, "cannot write", Path);
            }
            bytes += written;
            size -= static_cast<std::size_t>(written);
        }
    }

    // Contents on the disk before the rename, so that even after a system crash the final
    // name never holds a file whose data had not been written yet.
    File_Identity Flush_And_Close()
    {
        if (::fdatasync(Fd) != 0)
            Throw_Errno(errno, "cannot flush", Path);
        struct stat info {};
        if (::fstat(Fd, &info) != 0)
            Throw_Errno(errno, "cannot inspect", Path);
        const int fd = Fd;
        Fd = -1;
        if (::close(fd) != 0)  // a network file system may report a failed write only here
            Throw_Errno(errno, "cannot close", Path);
        return Identity(info);
    }

    void Rename_To(const std::string& final_path)
    {
        if (::rename(Path.c_str(), final_path.c_str()) != 0)
            Throw_Errno(errno, "cannot rename to", final_path);
        Renamed = true;
    }

private:
    std::string Path;
    int Fd = -1;
    bool Renamed = false;
};

}  // namespace

File_Identity Write_File_Atomically(const std::string& path, const void* data, std::size_t size)
{
    // An embedded NUL would silently cut the path short in every system call.
    if (path.empty() || path.find('\0') != std::string::npos)
        Throw_Errno(EINVAL, "invalid file name", path);
    Temporary_File file(path);
    file.Write_All(static_cast<const unsigned char*>(data), size);
    const File_Identity identity = file.Flush_And_Close();
    file.Rename_To(path);
    return identity;
}

std::optional<File_Identity> Identity_Of(const std::string& path)
{
    struct stat info {};
    if (path.find('\0') != std::string::npos || ::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return Identity(info);
}
