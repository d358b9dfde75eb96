#pragma once
// File moves of the backup, restore and import, each either done whole or
// undone.

#include <QString>
#include <QStringList>

namespace valdora::yearend {

// Creates parent/prefix + n for the first n (0..999) whose folder does not
// exist yet, so two runs never share or remove one another's folder. Empty
// when none can be made.
QString freshSubfolder(const QString &parent, const QString &prefix);

// Copies `from` over `to`; `to` changes only once the copy is whole.
bool copyFileReplacing(const QString &from, const QString &to);

// Renames `from` to `to` (which must not exist), copying across file systems.
bool moveFileTo(const QString &from, const QString &to);

// Moves staging/<name> to target/<name> for every name of `placed`, and
// target/<name> out of the way for every name of `retired`. The files they
// replace are kept in `staging` until all moves are done; when one fails,
// every move made is undone and valdora::Error is thrown.
void swapInFiles(const QString &staging, const QString &target, const QStringList &placed, const QStringList &retired);

} // namespace valdora::yearend
