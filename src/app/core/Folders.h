#pragma once
// The folders of a run: the program folder (the executable's when it is
// writable, otherwise the user's application data folder), and under it the
// local data folder "Data", "Temp" and "TmpSQL". Paths never end with a separator.

#include <QString>

namespace valdora {

struct Folders {
    QString program;
    QString localData;
    QString database; // localData, or the server folder
    QString temp;
    QString tmpSql;

    // Folders under the given program folder; database = localData.
    static Folders under(const QString &programFolder);
    // The rule for the running executable.
    static QString programFolderOf(const QString &executableDir);

    // Creates localData, temp and tmpSql when missing; false when one cannot be made.
    bool create() const;
};

// The folders of this run, set once at start.
Folders &runFolders();

} // namespace valdora
