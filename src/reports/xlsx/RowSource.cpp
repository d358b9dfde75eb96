#include "reports/xlsx/RowSource.h"

#include <stdexcept>

namespace valdora::xlsx {

void RowTable::addRow(QVariantList values)
{
    if (values.size() != fields_.size())
        throw std::invalid_argument("a row needs one value per field");
    rows_.push_back(std::move(values));
}

} // namespace valdora::xlsx
