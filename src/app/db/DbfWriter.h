#pragma once
// Writes a dBase III table file: version 0x03, no production index (byte 28
// is 0), language driver 0xC8 (code page 1250), text blank-padded, numbers
// right-aligned in their width with their decimals, dates yyyyMMdd, the
// end-of-file marker. A value that does not fit its field (text too long, a
// number too wide or with more decimals than the field keeps, a character
// code page 1250 has no letter for) is refused with a DbfError naming the
// file, the record and the field: nothing is ever cut.
//
// The file appears under its name only when finish() succeeds; a writer
// destroyed before that leaves nothing behind.

#include "app/db/DbfFormat.h"

#include <QSaveFile>
#include <QVariantList>
#include <memory>

class QStringEncoder;

namespace valdora::dbf {

class DbfWriter {
public:
    // Checks the fields (names of 1 to 10 letters, digits or "_" starting with a
    // letter, each once; supported types; widths dBase accepts). lastUpdate goes
    // into the header; an invalid date means today.
    DbfWriter(const QString &path, std::vector<Field> fields, QDate lastUpdate = {});
    ~DbfWriter();
    DbfWriter(const DbfWriter &) = delete;
    DbfWriter &operator=(const DbfWriter &) = delete;

    // One value per field (a null QVariant writes a blank field).
    void append(const QVariantList &values, bool deleted = false);
    // Writes the record count and the end-of-file marker, then puts the file in place.
    void finish();

    qint64 count() const { return count_; }
    const std::vector<Field> &fields() const { return fields_; }

private:
    [[noreturn]] void fail(const QString &what) const;
    [[noreturn]] void failAt(const Field &f, const QString &what) const;
    QByteArray headerBytes() const;
    void encode(const Field &f, const QVariant &v, char *out);
    void flush();

    QString path_;
    std::vector<Field> fields_;
    QDate date_;
    int recordLength_ = 1;
    qint64 count_ = 0;
    QSaveFile file_;
    QByteArray pending_;
    std::unique_ptr<QStringEncoder> encoder_;
    bool finished_ = false;
};

// Writes a whole table at once.
void writeTable(const QString &path, const std::vector<Field> &fields, const std::vector<Record> &records,
                QDate lastUpdate = {});

// The text of a number in a field of that width and decimals, right-aligned;
// nullopt when it does not fit or would lose decimals.
std::optional<QByteArray> formatNumber(Currency value, int length, int decimals);

} // namespace valdora::dbf
