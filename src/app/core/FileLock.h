#pragma once
// An exclusive lock between processes (and workstations on a shared folder),
// held on a lock file by the operating system: a crashed holder never leaves a
// stale lock behind. Also exclusive between threads of this process.

#include <QString>
#include <memory>

namespace valdora {

class FileLock {
public:
    // Waits up to timeoutMs for the lock; throws valdora::Error naming the file
    // when it cannot be had.
    explicit FileLock(const QString &lockPath, int timeoutMs = 15000);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace valdora
