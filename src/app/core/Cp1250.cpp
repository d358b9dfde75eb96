#include "app/core/Cp1250.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace valdora {

QString toCedillaForm(QStringView text)
{
    QString s = text.toString();
    for (QChar &c : s) {
        switch (c.unicode()) {
        case 0x0218: c = QChar(0x015E); break; // Ș
        case 0x0219: c = QChar(0x015F); break; // ș
        case 0x021A: c = QChar(0x0162); break; // Ț
        case 0x021B: c = QChar(0x0163); break; // ț
        default: break;
        }
    }
    return s;
}

QByteArray encodeCp1250(QStringView text)
{
    QStringEncoder enc("windows-1250");
    return enc.encode(toCedillaForm(text));
}

QString decodeCp1250(const QByteArray &bytes)
{
    QStringDecoder dec("windows-1250");
    return dec.decode(bytes);
}

bool sameRomanianText(QStringView a, QStringView b, Qt::CaseSensitivity cs)
{
    return toCedillaForm(a).compare(toCedillaForm(b), cs) == 0;
}

} // namespace valdora
