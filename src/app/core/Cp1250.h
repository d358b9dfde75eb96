#pragma once
// Code page 1250, the encoding of the files the old programs exchange. It has
// no comma-below s/t, so those are written with the cedilla letters.

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace valdora {

// Comma-below s/t (U+0218..U+021B) become cedilla s/t (U+015E, U+015F, U+0162, U+0163).
QString toCedillaForm(QStringView text);
QByteArray encodeCp1250(QStringView text);
QString decodeCp1250(const QByteArray &bytes);
// True when both texts are equal once comma-below and cedilla letters are taken as one.
bool sameRomanianText(QStringView a, QStringView b, Qt::CaseSensitivity cs = Qt::CaseSensitive);

} // namespace valdora
