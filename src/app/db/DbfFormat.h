#pragma once
// The dBase III/IV table file (.dbf): the exchange format of the old
// installations, of backups and of the agricultural register.
//
// Layout: a 32-byte header (version, date of the last update, record count,
// header length, record length, byte 28 = production index present, byte 29 =
// language driver), one 32-byte descriptor per field, 0x0D, then the records
// (a deletion flag ' ' or '*' followed by the fields as text) and 0x1A.
//
// Values as the reader gives them and the writer takes them:
//   C  QString (trailing blanks dropped; blank -> "")
//   N  Currency (blank -> null); F the same
//   D  QDate (blank -> null)
//   L  bool (blank or '?' -> null)
// Fields of other types (memo and the like) are reported as unsupported and
// read as null; the writer refuses them.

#include "app/core/Error.h"
#include "app/db/Rows.h" // Currency as a QVariant

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVariantList>
#include <vector>

namespace valdora::dbf {

class DbfError : public Error {
public:
    using Error::Error;
};

struct Field {
    QString name;
    char type = 'C';
    int length = 0;
    int decimals = 0;

    static Field character(const QString &name, int length) { return {name, 'C', length, 0}; }
    static Field numeric(const QString &name, int length, int decimals = 0) { return {name, 'N', length, decimals}; }
    static Field date(const QString &name) { return {name, 'D', 8, 0}; }
    static Field logical(const QString &name) { return {name, 'L', 1, 0}; }

    // C, N, F, D and L are read and written; anything else is only reported.
    bool supported() const;
    bool operator==(const Field &) const = default;
};

struct Record {
    bool deleted = false;
    QVariantList values; // one per field, in field order
};

struct Header {
    quint8 version = 0x03;
    QDate lastUpdate;
    quint32 recordCount = 0;
    quint16 headerLength = 0;
    quint16 recordLength = 0;
    bool productionIndex = false; // byte 28
    quint8 languageDriver = 0;    // byte 29
};

inline constexpr int HeaderSize = 32;
inline constexpr int DescriptorSize = 32;
inline constexpr char HeaderTerminator = 0x0D;
inline constexpr char EndOfFile = 0x1A;
inline constexpr int ProductionIndexByte = 28;
inline constexpr int LanguageDriverByte = 29;
// The language driver of code page 1250, written into every file made here.
inline constexpr quint8 LanguageDriverCp1250 = 0xC8;
inline constexpr int MaxFields = 255;

// The code page a language-driver byte names; code page 1250 for 0 and for
// a byte no table knows.
QByteArray codePageOf(quint8 languageDriver);

// Writes 0 into byte 28 of the table file and deletes the .mdx of the same
// name. Does nothing when the file cannot be opened or is too short to be a
// table (a stray file must not grow).
void dropProductionIndex(const QString &tablePath);

} // namespace valdora::dbf
