#pragma once
// Backup and restore with their messages, for the main window and the remote
// copy: the window "Salvare - Restaurare", the automatic backup after
// closing, making an archive and restoring one.

#include <QString>
#include <functional>

namespace valdora {
struct AppContext;
}

namespace valdora::yearend {

// The remote copy, when the build has it; each hook is optional. Without
// `send` the question "Copie la Distanta" is not asked; without `open` the
// window's third button is disabled.
struct RemoteCopy {
    // Sends an archive to the server.
    std::function<void(const QString &archivePath)> send;
    // Opens the remote copy with no file given; true when it restored a
    // database (the program must then end).
    std::function<bool()> open;
};

// Shows TForm21 modally. True when a database was restored: the main window
// must then close without its closing questions and the program end.
bool showBackupWindow(AppContext &ctx, const RemoteCopy &remote = {});

// The automatic backup asked for at closing: on the computer that holds the
// database only, into the folder CALESALVARI (created when missing) as
// "ddMMyyyy_n.w26". Reports a failure with "\rEroare la salvare!". True when
// a backup was written.
bool runAutomaticBackup(AppContext &ctx, const RemoteCopy &remote = {});

// Makes the archive of the database with the progress window. A snapshot that
// cannot be made is reported ("Salvare" / "Nu pot scrie pe harddisk!!", with a
// leading "\r" when `byHand`); any other failure is returned in `why` for the
// caller to report. True when the archive is whole.
bool archiveDatabase(AppContext &ctx, const QString &archivePath, QString *why = nullptr, bool byHand = false);

// Restores an archive with the progress window and the messages: the database
// is replaced only when the archive and its tables are sound, the replaced
// files go to DataBAK, and a failure while replacing puts them back. The
// database connection of `ctx` is closed meanwhile and opened again after.
// True when restored.
bool restoreDatabase(AppContext &ctx, const QString &archivePath);

} // namespace valdora::yearend
