#pragma once
// Writing a whole file so that its final name only ever holds complete contents. No Qt.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

// Which file a name leads to: equal identities are the same file, whatever the spelling of the
// path ("a//b", a folder reached twice, names a case-insensitive volume treats as one).
struct File_Identity {
    uint64_t Device = 0;
    uint64_t Inode = 0;
    bool operator==(const File_Identity&) const = default;
};

// Writes data[0..size) to path, replacing a file of that name. The bytes go to a hidden
// temporary file in the same folder (".<name>.<pid>-<n>.part", created exclusively with the
// usual permissions), are flushed to the disk, and the file is then renamed over path. On any
// failure (no permission, full disk, invalid path) the temporary file is removed, a file
// already under path is left as it was, and std::system_error is thrown.
// Only a crash leaves a temporary file behind: after a write, Remove_Stale_Temporaries runs on
// the folder when Stale_Sweeps says it is due (the first write into the folder in this run, then
// at most once a minute), so a folder of thousands of snapshots is not listed at every write.
// Returns the identity of the file now under path.
File_Identity Write_File_Atomically(const std::string& path, const void* data, std::size_t size);

// True for a name Write_File_Atomically gives its temporary files: "." name "." pid "-" n ".part"
// with a name of at least one character and pid and n in decimal digits.
bool Is_Temporary_Name(const std::string& file_name);

// A temporary file older than this is no write in progress (writes take milliseconds).
inline constexpr std::chrono::seconds Stale_Temporary_Age{60};

// Removes the regular files of folder whose name Is_Temporary_Name and whose last change lies
// more than Stale_Temporary_Age in the past, whichever process made them. Anything else is left
// alone; errors are ignored (a later sweep tries again).
void Remove_Stale_Temporaries(const std::string& folder);

// When each folder is due for Remove_Stale_Temporaries. Safe to share between threads.
class Sweep_Schedule {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds Interval{60};

    // True, and the sweep noted, when folder (as spelled) was never due before or its last sweep
    // was at least Interval before now.
    bool Due(const std::string& folder, Clock::time_point now);

private:
    std::mutex mutex_;
    std::unordered_map<std::string, Clock::time_point> last_sweep_;
};

// The schedule Write_File_Atomically follows.
Sweep_Schedule& Stale_Sweeps();

// Identity of the file path leads to (following links), or nothing when there is none.
std::optional<File_Identity> Identity_Of(const std::string& path);
