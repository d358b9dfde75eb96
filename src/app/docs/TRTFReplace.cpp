#include "app/docs/TRTFReplace.h"

#include "app/core/Cp1250.h"
#include "app/core/Error.h"
#include "app/docs/DocumentFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace valdora::docs {
namespace {

const QByteArray Pard = QByteArrayLiteral("\\pard");
const QByteArray TenDots = QByteArrayLiteral("..........");
const QByteArray LineEnd = QByteArrayLiteral("\r\n");

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// Position of `needle` in `hay` from `from`, comparing the letters a-z without case.
qsizetype findNoCase(const QByteArray &hay, const QByteArray &needle, qsizetype from)
{
    const qsizetype n = needle.size();
    if (n == 0)
        return -1;
    for (qsizetype i = qMax<qsizetype>(from, 0); i + n <= hay.size(); ++i) {
        qsizetype j = 0;
        while (j < n && lowerAscii(hay[i + j]) == lowerAscii(needle[j]))
            ++j;
        if (j == n)
            return i;
    }
    return -1;
}

bool hasLowerAscii(const QByteArray &s)
{
    for (char c : s)
        if (c >= 'a' && c <= 'z')
            return true;
    return false;
}

QByteArray upperAscii(QByteArray s)
{
    for (char &c : s)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return s;
}

// Every brace counts, an escaped one too.
int braceBalance(const QByteArray &line)
{
    return int(line.count('{')) - int(line.count('}'));
}

// Lines split at CR LF, LF or a lone CR; a final line break ends the last line.
QList<QByteArray> splitLines(const QByteArray &data)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < data.size(); ++i) {
        const char c = data[i];
        if (c != '\n' && c != '\r')
            continue;
        lines.append(data.mid(start, i - start));
        if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < data.size())
        lines.append(data.mid(start));
    return lines;
}

bool sameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

[[noreturn]] void writeFailed(const QString &path)
{
    throw Error(QStringLiteral("Nu pot scrie fisierul ") + QDir::toNativeSeparators(path) + u'!');
}

void writeLine(QFile &out, const QByteArray &line)
{
    if (out.write(line) != line.size() || out.write(LineEnd) != LineEnd.size())
        writeFailed(out.fileName());
}

} // namespace

QByteArray escapeRtfValue(QStringView value)
{
    static const char hex[] = "0123456789abcdef";
    const QByteArray bytes = encodeCp1250(value);
    QByteArray out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b == '{')
            out += '(';
        else if (b == '}')
            out += ')';
        else if (b == '\\')
            out += "\\\\";
        else if (b >= 0x80) {
            out += "\\'";
            out += hex[b >> 4];
            out += hex[b & 0x0F];
        } else
            out += ch;
    }
    return out;
}

TRTFReplace::TRTFReplace(Opener opener) : opener_(std::move(opener)) {}

bool TRTFReplace::PickDest(const QString &prefix)
{
    for (int n = 0; n < 100; ++n) {
        const QString candidate = prefix + QString::number(n) + QStringLiteral(".rtf");
        if (removeDocument(candidate) != Removal::InUse) {
            RTFDest = candidate;
            return true;
        }
    }
    return false;
}

bool TRTFReplace::Prepare()
{
    ClearValues();
    bodyOpen_ = true;
    if (RTFSursa.isEmpty() || !QFileInfo(RTFSursa).isFile() || RTFDest.isEmpty() || sameFile(RTFSursa, RTFDest))
        return false;
    QFile in(RTFSursa);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = in.readAll();
    in.close();
    QFile out(RTFDest);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    if (data.isEmpty()) {
        out.close();
        QFile::remove(RTFDest);
        return false;
    }
    bodyOpen_ = false;
    try {
        for (const QByteArray &line : splitLines(data)) {
            const qsizetype at = line.indexOf(Pard);
            if (at < 0) {
                writeLine(out, line);
                continue;
            }
            const QByteArray before = line.left(at).trimmed();
            if (!before.isEmpty())
                writeLine(out, before);
            bodyOpen_ = true;
            break;
        }
    } catch (const Error &) {
        return false;
    }
    out.close();
    return out.error() == QFile::NoError;
}

void TRTFReplace::AddValue(const QString &placeholder, const QString &value)
{
    const QByteArray p = encodeCp1250(placeholder);
    if (p.isEmpty())
        return;
    placeholders_.append(p);
    values_.append(escapeRtfValue(value));
    raw_.append(false);
}

void TRTFReplace::AddRtf(const QString &placeholder, const QByteArray &rtf)
{
    const QByteArray p = encodeCp1250(placeholder);
    if (p.isEmpty())
        return;
    placeholders_.append(p);
    values_.append(rtf);
    raw_.append(true);
}

void TRTFReplace::ClearValues()
{
    placeholders_.clear();
    values_.clear();
    raw_.clear();
    cursor_ = -1;
}

QList<QByteArray> TRTFReplace::readTemplate() const
{
    QFile in(RTFSursa);
    if (RTFSursa.isEmpty() || !in.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Nu pot citi fisierul ") + QDir::toNativeSeparators(RTFSursa) + u'!');
    return splitLines(in.readAll());
}

// One pass over a line with the capitals rule, ten dots for empty values and
// the repeat cursor (a placeholder registered r times in a row repeats its line).
QByteArray TRTFReplace::fillLine(QByteArray line)
{
    bool found = false;
    const qsizetype m = placeholders_.size();
    qsizetype k = 0;
    while (k < m) {
        const QByteArray p = placeholders_[k];
        qsizetype i = findNoCase(line, p, 0);
        while (i >= 0) {
            found = true;
            if (cursor_ >= 0 && placeholders_[cursor_] == p)
                k = cursor_;
            QByteArray value = values_[k];
            const QByteArray spelled = line.mid(i, p.size());
            if (!raw_[k] && spelled.size() > 4 && !hasLowerAscii(spelled))
                value = upperAscii(value);
            if (value.isEmpty())
                value = TenDots;
            line.replace(i, p.size(), value);
            // Resume after the inserted value: a value holding its own
            // placeholder must not be filled again (and again).
            i = findNoCase(line, p, i + value.size());
            qsizetype r = 1;
            while (k + r < m && placeholders_[k + r] == p)
                ++r;
            if (r > 1) {
                cursor_ = int(k + 1);
                k = k + r - 1;
            } else if (cursor_ >= 0 && placeholders_[cursor_] == p) {
                cursor_ = -1;
            }
        }
        ++k;
    }
    if (!found)
        cursor_ = -1;
    return line;
}

void TRTFReplace::writeFilled(QFile &out, const QByteArray &line)
{
    writeLine(out, fillLine(line));
    // Each repetition takes the next value of the repeated placeholder; a pass
    // that does not move the cursor on (two placeholders repeated on one line)
    // would repeat forever, so it ends the repetition.
    for (qsizetype extra = 0; cursor_ >= 0 && extra < placeholders_.size(); ++extra) {
        const int before = cursor_;
        const QByteArray again = fillLine(line);
        if (cursor_ == before)
            break;
        writeLine(out, again);
    }
    cursor_ = -1;
}

void TRTFReplace::WriteBody(int copies)
{
    const QList<QByteArray> lines = readTemplate();
    QFile out(RTFDest);
    if (RTFDest.isEmpty() || !out.open(QIODevice::WriteOnly | QIODevice::Append))
        writeFailed(RTFDest);
    qsizetype first = 0;
    while (first < lines.size() && !lines[first].contains(Pard))
        ++first;
    // Without "\pard" there is no body: nothing is written.
    for (int copy = 1; first < lines.size() && copy <= copies; ++copy) {
        QByteArray current = lines[first].mid(lines[first].indexOf(Pard));
        if (copy > 1)
            writeLine(out, QByteArrayLiteral("\\page"));
        int depth = 1 + braceBalance(current);
        qsizetype at = first;
        while (at + 1 < lines.size() && depth != 0) {
            if (!current.isEmpty())
                writeFilled(out, current);
            current = lines[++at];
            depth += braceBalance(current);
        }
        // The line that closes the document: without its closing brace.
        QByteArray last = current.trimmed();
        last.chop(1);
        if (!last.isEmpty())
            writeLine(out, fillLine(last));
        cursor_ = -1;
    }
    out.close();
    if (out.error() != QFile::NoError)
        writeFailed(RTFDest);
    ClearValues();
}

void TRTFReplace::append(const QByteArray &line)
{
    QFile out(RTFDest);
    if (RTFDest.isEmpty() || !out.open(QIODevice::WriteOnly | QIODevice::Append))
        writeFailed(RTFDest);
    writeLine(out, line);
    out.close();
    if (out.error() != QFile::NoError)
        writeFailed(RTFDest);
}

void TRTFReplace::NewPage()
{
    append(QByteArrayLiteral(" \\par \\page "));
    ClearValues();
}

void TRTFReplace::Finish()
{
    // A template without a body was copied whole by Prepare, closing brace included.
    if (bodyOpen_)
        append(QByteArrayLiteral("}"));
    ClearValues();
}

// Every placeholder, in list order, replaced at every occurrence by its value as
// registered; text already inserted is never searched again.
QByteArray TRTFReplace::fillOnce(const QByteArray &line) const
{
    struct Piece {
        QByteArray text;
        bool inserted;
    };
    QList<Piece> pieces{{line, false}};
    for (qsizetype k = 0; k < placeholders_.size(); ++k) {
        const QByteArray &p = placeholders_[k];
        QList<Piece> next;
        for (const Piece &piece : pieces) {
            if (piece.inserted) {
                next.append(piece);
                continue;
            }
            qsizetype from = 0;
            for (qsizetype i = findNoCase(piece.text, p, 0); i >= 0; i = findNoCase(piece.text, p, from)) {
                if (i > from)
                    next.append({piece.text.mid(from, i - from), false});
                next.append({values_[k], true});
                from = i + p.size();
            }
            if (from < piece.text.size())
                next.append({piece.text.mid(from), false});
        }
        pieces = std::move(next);
    }
    QByteArray out;
    for (const Piece &piece : pieces)
        out += piece.text;
    return out;
}

void TRTFReplace::FillFrom(const QString &start)
{
    if (sameFile(RTFSursa, RTFDest))
        writeFailed(RTFDest);
    const QList<QByteArray> lines = readTemplate();
    QFile out(RTFDest);
    if (RTFDest.isEmpty() || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        writeFailed(RTFDest);
    const QByteArray startBytes = encodeCp1250(start);
    bool filling = false;
    for (const QByteArray &line : lines) {
        if (!filling && line.contains(startBytes))
            filling = true;
        writeLine(out, filling ? fillOnce(line) : line);
    }
    out.close();
    if (out.error() != QFile::NoError)
        writeFailed(RTFDest);
    ClearValues();
}

bool TRTFReplace::Show() const
{
    if (RTFDest.isEmpty() || !QFileInfo(RTFDest).isFile() || !opener_)
        return false;
    return opener_(RTFDest);
}

bool TRTFReplace::SaveAsPdf()
{
    if (RTFDest.isEmpty() || !QFileInfo(RTFDest).isFile())
        return false;
    const QFileInfo info(RTFDest);
    const QString pdf = info.path() + u'/' + info.completeBaseName() + QStringLiteral(".pdf");
    if (!convertToPdf(RTFDest, pdf, pdfOptions))
        return false;
    QFile::remove(RTFDest);
    RTFDest = pdf;
    return true;
}

} // namespace valdora::docs
