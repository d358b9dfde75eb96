#pragma once
// Reads a dBase table file record by record.
//
// Tolerant of what other tools write: a missing end-of-file marker, a record
// count in the header one off from the records present, lower-case or padded
// field names, a language-driver byte of another code page (the text is then
// decoded with that code page), fields of unknown types (reported, read as
// null). Strict about what would lose data: a file cut short, a record length
// that does not match the fields, a header that does not parse, a value that
// cannot be read; each is a DbfError whose message names the file (and the
// record and field when there is one).

#include "app/db/DbfFormat.h"

#include <QFile>
#include <QStringList>
#include <QVariantList>
#include <memory>

class QStringDecoder;

namespace valdora::dbf {

class DbfReader {
public:
    // Opens the file and checks its header against its size; throws DbfError.
    explicit DbfReader(const QString &path);
    ~DbfReader();
    DbfReader(const DbfReader &) = delete;
    DbfReader &operator=(const DbfReader &) = delete;

    const QString &path() const { return path_; }
    const Header &header() const { return header_; }
    const std::vector<Field> &fields() const { return fields_; }
    // Index of a field by name, without regard to case; -1 when missing.
    int fieldIndex(const QString &name) const;
    // Records present in the file (deleted ones included).
    qint64 recordCount() const { return present_; }
    const QByteArray &codePage() const { return codePage_; }
    // What was tolerated, for a report ("no end-of-file marker", ...).
    const QStringList &warnings() const { return warnings_; }
    // "NOTE (M)" for every field whose type is not read.
    QStringList unsupportedFields() const;

    // Reads the next record; false after the last one. Throws DbfError naming
    // the record and the field when a value cannot be read.
    bool next(Record &record);
    // 1-based number of the record last returned by next().
    qint64 recordNumber() const { return position_; }

private:
    [[noreturn]] void fail(const QString &what) const;
    [[noreturn]] void failAt(const Field &f, const QString &what) const;
    QVariant valueOf(const Field &f, const char *data);
    void fillBuffer();

    QString path_;
    QFile file_;
    Header header_;
    std::vector<Field> fields_;
    std::vector<int> offsets_;
    qint64 present_ = 0;
    qint64 position_ = 0;
    QByteArray codePage_;
    std::unique_ptr<QStringDecoder> decoder_;
    QStringList warnings_;
    QByteArray buffer_;
    qint64 bufferFirst_ = 0; // record index of buffer_[0]
    qint64 bufferCount_ = 0;
};

// A whole table in memory (small tables, tests).
struct Table {
    Header header;
    std::vector<Field> fields;
    std::vector<Record> records;
    QStringList warnings;
    QByteArray codePage;
};
Table readTable(const QString &path);

// A number as dBase writes it ("  12.50", "-3", "1.5E+3"); nullopt when it is
// not one or does not fit in a Currency. Digits past the fourth decimal are
// rounded half away from zero.
std::optional<Currency> parseNumber(QByteArrayView text);

} // namespace valdora::dbf
