#include "app/core/FileLock.h"

#include "app/core/Error.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QThread>
#include <mutex>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace valdora {
namespace {
// fcntl locks belong to the process, so threads are kept apart here, and a
// lock taken again by its holder only counts up: closing a second descriptor
// of the same file would release the process's lock.
std::recursive_timed_mutex &processMutex()
{
    static std::recursive_timed_mutex m;
    return m;
}
QHash<QString, int> &heldDepth()
{
    static QHash<QString, int> h;
    return h;
}
} // namespace

struct FileLock::Impl {
#ifdef Q_OS_WIN
    HANDLE handle = INVALID_HANDLE_VALUE;
#else
    int fd = -1;
#endif
    bool haveMutex = false;
    bool nested = false;
    QString path;
};

FileLock::FileLock(const QString &lockPath, int timeoutMs) : impl_(std::make_unique<Impl>())
{
    const QString failure = QStringLiteral("Fisierul %1 este blocat de alt calculator. Reincercati.").arg(lockPath);
    QDeadlineTimer deadline(timeoutMs);
    if (!processMutex().try_lock_for(std::chrono::milliseconds(timeoutMs)))
        throw Error(failure);
    impl_->haveMutex = true;
    impl_->path = QFileInfo(lockPath).absoluteFilePath();
    if (heldDepth().value(impl_->path) > 0) {
        impl_->nested = true;
        ++heldDepth()[impl_->path];
        return;
    }
#ifdef Q_OS_WIN
    impl_->handle = CreateFileW(reinterpret_cast<LPCWSTR>(lockPath.utf16()), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (impl_->handle == INVALID_HANDLE_VALUE) {
        processMutex().unlock();
        throw Error(QStringLiteral("Nu se poate crea fisierul %1").arg(lockPath));
    }
    for (;;) {
        OVERLAPPED ov{};
        if (LockFileEx(impl_->handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &ov))
            break;
        if (deadline.hasExpired()) {
            CloseHandle(impl_->handle);
            processMutex().unlock();
            throw Error(failure);
        }
        QThread::msleep(2);
    }
#else
    impl_->fd = ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (impl_->fd < 0) {
        processMutex().unlock();
        throw Error(QStringLiteral("Nu se poate crea fisierul %1").arg(lockPath));
    }
    for (;;) {
        struct flock fl {};
        fl.l_type = F_WRLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = 0;
        fl.l_len = 1;
        if (::fcntl(impl_->fd, F_SETLK, &fl) == 0)
            break;
        if ((errno != EACCES && errno != EAGAIN && errno != EINTR) || deadline.hasExpired()) {
            ::close(impl_->fd);
            processMutex().unlock();
            throw Error(failure);
        }
        QThread::usleep(500);
    }
#endif
    heldDepth()[impl_->path] = 1;
}

FileLock::~FileLock()
{
    if (impl_->nested) {
        --heldDepth()[impl_->path];
        processMutex().unlock();
        return;
    }
    heldDepth().remove(impl_->path);
#ifdef Q_OS_WIN
    if (impl_->handle != INVALID_HANDLE_VALUE) {
        OVERLAPPED ov{};
        UnlockFileEx(impl_->handle, 0, 1, 0, &ov);
        CloseHandle(impl_->handle);
    }
#else
    if (impl_->fd >= 0)
        ::close(impl_->fd); // releases the lock
#endif
    if (impl_->haveMutex)
        processMutex().unlock();
}

} // namespace valdora
