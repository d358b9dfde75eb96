#pragma once
// Names around the backup archives: the dialogs' filter, the automatic
// backups' "ddMMyyyy_n.w26", the folders a backup may not be saved into and
// the file names an archive may hold.

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

namespace valdora::yearend {

// "Arhiva Valdora 2026 (*.w26)"
QString archiveFilter();
// "Arhiva Valdora 2026"
QString archiveDescription();

// "ddMMyyyy_n.w26" with the smallest n from 0 that `taken` refuses.
QString automaticBackupName(QDate day, const std::function<bool(const QString &name)> &taken);

// The folder text as the old program compared it: separators unified, no
// trailing separator, upper case.
QString comparableFolder(const QString &folder);
// True when `folder` is one of `forbidden` (the database folder, the local data folder).
bool isForbiddenBackupFolder(const QString &folder, const QStringList &forbidden);

// A bare file name that is safe to create in a folder: not empty, no folder
// part, not "." or "..", no character a file system refuses, no trailing dot
// or blank, no device name.
bool isPlainFileName(const QString &name);

} // namespace valdora::yearend
