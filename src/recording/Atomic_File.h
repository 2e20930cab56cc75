#pragma once
// Writing a whole file so that its final name only ever holds complete contents. No Qt.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

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
// Returns the identity of the file now under path.
File_Identity Write_File_Atomically(const std::string& path, const void* data, std::size_t size);

// Identity of the file path leads to (following links), or nothing when there is none.
std::optional<File_Identity> Identity_Of(const std::string& path);
