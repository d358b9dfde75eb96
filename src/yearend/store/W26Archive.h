#pragma once
// The backup archive (.w26), byte for byte the layout older installations
// read and write. All integers are 32-bit signed little-endian:
//
//   count
//   count times: name length, name (code page 1250, no folder, no
//                terminator), uncompressed size, the file as one zlib stream
//                (RFC 1950, default level); the next entry follows the end
//                of the stream
//
// Reading is defensive: any count, length or size out of range, a name that
// is not a bare file name, a stream that is damaged, ends early or gives
// another size than announced, a name given twice, or bytes after the last
// entry make the whole archive refused.

#include "app/core/Error.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace valdora::yearend {

class ArchiveError : public Error {
public:
    using Error::Error;
};

struct ArchiveEntry {
    QString name;
    qint64 size = 0;
};

// Called with the number of entries done so far.
using EntryProgress = std::function<void(int done)>;

// Writes the given files of `folder` (bare names, in this order) into
// archivePath. The archive appears under its name only once it is whole (an
// existing one is replaced then). Throws ArchiveError naming what failed.
std::vector<ArchiveEntry> writeArchive(const QString &archivePath, const QString &folder, const QStringList &names,
                                       const EntryProgress &progress = {});

// The count an archive announces, for a progress bar; -1 when it cannot be read
// or is out of range.
int archiveCount(const QString &archivePath);

// Unpacks the archive into `folder` (which should be empty). Throws
// ArchiveError on the first defect; files already written stay for the
// caller to remove with the folder.
std::vector<ArchiveEntry> unpackArchive(const QString &archivePath, const QString &folder,
                                        const EntryProgress &progress = {});

} // namespace valdora::yearend
