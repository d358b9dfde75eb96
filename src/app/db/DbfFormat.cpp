#include "app/db/DbfFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace valdora::dbf {

bool Field::supported() const
{
    switch (type) {
    case 'C':
    case 'N':
    case 'F':
    case 'D':
    case 'L':
        return true;
    default:
        return false;
    }
}

QByteArray codePageOf(quint8 ld)
{
    switch (ld) {
    case 0x01: case 0x09: case 0x0B: case 0x0D: case 0x0F: case 0x11: case 0x15: case 0x18: case 0x19: case 0x1B:
        return "IBM437";
    case 0x02: case 0x0A: case 0x0E: case 0x10: case 0x12: case 0x14: case 0x16: case 0x1A: case 0x1D: case 0x25:
    case 0x37:
        return "IBM850";
    case 0x03: case 0x57: case 0x58: case 0x59:
        return "windows-1252";
    case 0x04: return "macintosh";
    case 0x08: case 0x17: case 0x66: return "IBM865";
    case 0x13: case 0x7B: return "Shift_JIS";
    case 0x1C: return "IBM863";
    case 0x1F: case 0x22: case 0x23: case 0x40: case 0x64: return "IBM852";
    case 0x24: return "IBM860";
    case 0x26: case 0x65: return "IBM866";
    case 0x4D: case 0x7A: return "GBK";
    case 0x4E: case 0x79: return "EUC-KR";
    case 0x4F: case 0x78: return "Big5";
    case 0x50: case 0x7C: return "windows-874";
    case 0x67: return "IBM861";
    case 0x6A: return "IBM737";
    case 0x6B: return "IBM857";
    case 0x7D: return "windows-1255";
    case 0x7E: return "windows-1256";
    case 0x96: return "x-mac-cyrillic";
    case 0x97: return "x-mac-centraleurroman";
    case 0x98: return "x-mac-greek";
    case 0xC9: return "windows-1251";
    case 0xCA: return "windows-1254";
    case 0xCB: return "windows-1253";
    case 0xCC: return "windows-1257";
    case 0xF0: return "UTF-8";
    default: return "windows-1250"; // 0xC8, none (0) and unknown bytes
    }
}

void dropProductionIndex(const QString &tablePath)
{
    {
        QFile f(tablePath);
        if (!f.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
            return;
        if (f.size() < HeaderSize)
            return;
        if (!f.seek(ProductionIndexByte))
            return;
        const char zero = 0;
        f.write(&zero, 1);
    }
    const QFileInfo info(tablePath);
    const QString index = info.completeBaseName() + QStringLiteral(".mdx");
    const QDir dir = info.absoluteDir();
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden))
        if (name.compare(index, Qt::CaseInsensitive) == 0)
            QFile::remove(dir.filePath(name));
}

} // namespace valdora::dbf
