#pragma once
// The rows a template is filled from: column names with their types and rows of
// values, in the order they must appear. The store layer turns a query into one;
// the engines never see SQL.

#include <QList>
#include <QString>
#include <QVariant>

namespace valdora::xlsx {

enum class FieldType {
    String,  // CHAR: written as text
    Number,  // DECIMAL, whole or not
    Date,    // written as its day number (days since 30.12.1899)
    Logical
};

struct Field {
    QString name;
    FieldType type = FieldType::String;
};

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual QList<Field> fields() const = 0;
    virtual int rowCount() const = 0;
    // Values: QString, integers, double, valdora::Currency, QDate, bool; a null
    // QVariant for a missing value.
    virtual QVariant value(int row, int field) const = 0;
};

// Rows held in memory.
class RowTable final : public RowSource {
public:
    RowTable() = default;
    explicit RowTable(QList<Field> fields) : fields_(std::move(fields)) {}

    // One value per field, in field order; throws std::invalid_argument otherwise.
    void addRow(QVariantList values);

    QList<Field> fields() const override { return fields_; }
    int rowCount() const override { return static_cast<int>(rows_.size()); }
    QVariant value(int row, int field) const override { return rows_.at(row).at(field); }

private:
    QList<Field> fields_;
    QList<QVariantList> rows_;
};

} // namespace valdora::xlsx
