#pragma once
// Unique names in the temporary folder, so several runs and several open
// documents never collide.

#include <QString>

namespace valdora {

class TempNames {
public:
    explicit TempNames(QString tempFolder) : folder_(std::move(tempFolder)) {}

    // The first of folder/prefix + n + extension (n = 0..100) that is free or can
    // be deleted; empty when all 101 are held.
    QString temporaryFile(const QString &prefix, const QString &extension) const;
    // folder/name + n (n = 0..49), emptied or created; empty when none can be had.
    QString temporarySubfolder(const QString &name) const;

private:
    QString folder_;
};

// Copies source to a new destination (replacing one that exists) and deletes the source.
bool moveFile(const QString &source, const QString &destination);
// Deletes the folder with everything in it.
bool removeFolder(const QString &path);

} // namespace valdora
