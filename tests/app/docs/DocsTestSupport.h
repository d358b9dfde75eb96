#pragma once
// Small helpers shared by the document tests.

#include <QByteArray>
#include <QList>
#include <QString>
#include <ostream>

// Byte texts print as text in failure messages.
inline void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    *os << '"' << bytes.toStdString() << '"';
}

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
