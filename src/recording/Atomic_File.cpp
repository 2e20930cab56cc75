#include "recording/Atomic_File.h"

#include <atomic>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <string_view>
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

const std::string_view Temporary_Suffix = ".part";

std::string Temporary_Name(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "." + name + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) +
           std::string(Temporary_Suffix);
}

// The folder a path's file lies in, as spelled in the path ("." for a bare name).
std::string Folder_Of(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Removes `entry` of a folder when it is one of our temporary files, stale at `now`.
void Remove_If_Stale(const std::filesystem::path& entry, std::time_t now)
{
    if (!Is_Temporary_Name(entry.filename().string()))
        return;
    struct stat info {};
    if (::lstat(entry.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return;
    if (now - info.st_mtime > Stale_Temporary_Age.count())
        ::unlink(entry.c_str());
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
    const std::string folder = Folder_Of(path);
    if (Stale_Sweeps().Due(folder, Sweep_Schedule::Clock::now()))
        Remove_Stale_Temporaries(folder);
    return identity;
}

bool Is_Temporary_Name(const std::string& file_name)
{
    // "." name "." digits "-" digits ".part", read from the end.
    std::string_view rest(file_name);
    if (rest.size() < 1 + Temporary_Suffix.size() || rest.front() != '.' || !rest.ends_with(Temporary_Suffix))
        return false;
    rest.remove_suffix(Temporary_Suffix.size());
    const auto take_digits = [&rest] {
        std::size_t digits = 0;
        while (digits < rest.size() && rest[rest.size() - 1 - digits] >= '0' && rest[rest.size() - 1 - digits] <= '9')
            ++digits;
        rest.remove_suffix(digits);
        return digits > 0;
    };
    if (!take_digits() || !rest.ends_with('-'))
        return false;
    rest.remove_suffix(1);
    if (!take_digits() || !rest.ends_with('.'))
        return false;
    rest.remove_suffix(1);
    return rest.size() >= 2;  // the leading "." and a name
}

void Remove_Stale_Temporaries(const std::string& folder)
{
    try {
        const std::time_t now = std::time(nullptr);
        std::error_code error;
        std::filesystem::directory_iterator entries(folder, error);
        for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error))
            Remove_If_Stale(entries->path(), now);
    } catch (...) {
        // Cleaning is best effort: nothing that goes wrong here may fail the write.
    }
}

bool Sweep_Schedule::Due(const std::string& folder, Clock::time_point now)
{
    // Folders are few (one per camera and day); past a handful the entries whose interval is over
    // are dropped, which changes nothing: such a folder is due anyway.
    constexpr std::size_t Prune_Above = 64;
    const std::lock_guard<std::mutex> lock(mutex_);
    if (last_sweep_.size() > Prune_Above)
        std::erase_if(last_sweep_, [now](const auto& entry) { return now - entry.second >= Interval; });
    const auto [entry, inserted] = last_sweep_.try_emplace(folder, now);
    if (inserted)
        return true;
    if (now - entry->second < Interval)
        return false;
    entry->second = now;
    return true;
}

Sweep_Schedule& Stale_Sweeps()
{
    static Sweep_Schedule schedule;
    return schedule;
}

std::optional<File_Identity> Identity_Of(const std::string& path)
{
    struct stat info {};
    if (path.find('\0') != std::string::npos || ::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return Identity(info);
}
