#include "platform/Private_Profile.h"

#include "platform/Profile_Text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Read_Result { Ok, Missing, Failed };

// Closes a descriptor when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Closes now; false when the close reports an error (a write may then be lost).
    bool Close()
    {
        if (fd_ < 0)
            return true;
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0;
    }

private:
    int fd_;
};

Read_Result Read_Content(const std::string& file, std::string& content)
{
    content.clear();
    Fd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.Valid())
        return errno == ENOENT || errno == ENOTDIR ? Read_Result::Missing : Read_Result::Failed;
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode))
        return Read_Result::Failed;
    if (static_cast<unsigned long long>(st.st_size) > Profile_Max_File_Size)
        return Read_Result::Failed;

    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Read_Result::Failed;
        }
        if (n == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(n));
        // The file may have grown since fstat.
        if (content.size() > Profile_Max_File_Size)
            return Read_Result::Failed;
    }
    return Read_Result::Ok;
}

bool Write_All(int fd, const std::string& content)
{
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The file a write must replace: the target of a symbolic link rather than the link itself.
std::string Resolved_Path(const std::string& file)
{
    char resolved[PATH_MAX];
    if (::realpath(file.c_str(), resolved))
        return resolved;
    return file;
}

std::string Folder_Of(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string Name_Of(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

enum class Replace_Result { Done, No_Temporary, Failed };

// Writes content to a temporary file beside path, then renames it over path.
Replace_Result Replace_Through_Temporary(const std::string& path, const std::string& content,
                                         const struct stat* existing)
{
    std::string temp = Folder_Of(path) + "/." + Name_Of(path) + ".XXXXXX";
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (!fd.Valid())
        return Replace_Result::No_Temporary;

    bool ok = true;
    if (existing) {
        // Keep the replaced file's mode, and its owner when we may.
        ok = ::fchmod(fd.Get(), existing->st_mode & 07777) == 0;
        if (ok && ::fchown(fd.Get(), existing->st_uid, existing->st_gid) != 0) {
            // Not permitted for another user's file: the file becomes ours, with the same mode.
        }
    } else {
        ok = ::fchmod(fd.Get(), 0600) == 0;
    }
    ok = ok && Write_All(fd.Get(), content);
    ok = fd.Close() && ok;
    if (!ok) {
        ::unlink(temp.c_str());
        return Replace_Result::Failed;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return Replace_Result::No_Temporary;
    }
    return Replace_Result::Done;
}

// Rewrites path in place (creating it with mode 0600 when missing).
bool Rewrite_In_Place(const std::string& path, const std::string& content)
{
    Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (!fd.Valid())
        return false;
    const bool written = Write_All(fd.Get(), content);
    return fd.Close() && written;
}

}  // namespace

Profile_Value Read_Private_Profile(const std::string& file, std::string_view section, std::string_view key)
{
    Profile_Value result;
    try {
        std::string content;
        switch (Read_Content(file, content)) {
        case Read_Result::Missing: result.status = Profile_Status::Missing; return result;
        case Read_Result::Failed: result.status = Profile_Status::Failed; return result;
        case Read_Result::Ok: break;
        }
        if (auto value = Profile_Find_Value(content, section, key)) {
            result.status = Profile_Status::Found;
            result.value = std::move(*value);
        } else {
            result.status = Profile_Status::Missing;
        }
        return result;
    } catch (...) {
        return Profile_Value{};
    }
}

std::string Get_Private_Profile_String(const std::string& file, std::string_view section, std::string_view key,
                                       std::string_view default_value)
{
    try {
        Profile_Value read = Read_Private_Profile(file, section, key);
        if (read.status == Profile_Status::Found)
            return std::move(read.value);
        // npos + 1 is 0: a default of blanks only gives "".
        return std::string(default_value.substr(0, default_value.find_last_not_of(Profile_Blanks) + 1));
    } catch (...) {
        return {};
    }
}

bool Profile_Has_Key(const std::string& file, std::string_view section, std::string_view key)
{
    return Read_Private_Profile(file, section, key).status == Profile_Status::Found;
}

bool Write_Private_Profile_String(const std::string& file, std::string_view section, std::string_view key,
                                  std::optional<std::string_view> value)
{
    try {
        if (file.empty() || !Profile_Is_Writable_Name(section, key))
            return false;
        if (value && !Profile_Is_Writable_Value(*value))
            return false;

        std::string content;
        const Read_Result read = Read_Content(file, content);
        if (read == Read_Result::Failed)
            return false;
        const bool exists = read == Read_Result::Ok;
        if (!exists && !value)
            return true;  // nothing to delete

        const std::string updated = Profile_Set_Value(content, section, key, value);
        if (exists && updated == content)
            return true;  // already holds that value

        const std::string path = exists ? Resolved_Path(file) : file;
        struct stat st {};
        if (exists) {
            // A read-only file stays as it is, even where its folder would let us replace it.
            if (::access(path.c_str(), W_OK) != 0 || ::stat(path.c_str(), &st) != 0)
                return false;
        }
        switch (Replace_Through_Temporary(path, updated, exists ? &st : nullptr)) {
        case Replace_Result::Done: return true;
        case Replace_Result::Failed: return false;
        case Replace_Result::No_Temporary: return Rewrite_In_Place(path, updated);
        }
        return false;
    } catch (...) {
        return false;
    }
}
