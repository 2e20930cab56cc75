#pragma once
// Makes every file write of this process beyond a size fail, as a full disk would (EFBIG
// instead of ENOSPC, through the same failure path). Restored when the object goes.

#include <csignal>

#include <sys/resource.h>

class File_Size_Limit {
public:
    explicit File_Size_Limit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &Saved);
        Old_Handler = std::signal(SIGXFSZ, SIG_IGN);  // otherwise the signal ends the process
        rlimit limit = Saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~File_Size_Limit()
    {
        setrlimit(RLIMIT_FSIZE, &Saved);
        std::signal(SIGXFSZ, Old_Handler);
    }
    File_Size_Limit(const File_Size_Limit&) = delete;
    File_Size_Limit& operator=(const File_Size_Limit&) = delete;

private:
    rlimit Saved{};
    void (*Old_Handler)(int) = nullptr;
};
