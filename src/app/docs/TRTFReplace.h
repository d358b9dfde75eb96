#pragma once
// TRTFReplace copies an RTF template into an output document and replaces its
// placeholders ("[NUMEP]", "[No1]", ...) by registered values. Templates are read
// as lines of code page 1250 bytes; a placeholder is found only when it stands
// whole on one line. The body of a template begins at its first "\pard";
// everything before it (fonts, styles, page settings) is the header.
//
// One instance serves every document of a form: set RTFSursa/RTFDest, Prepare,
// AddValue for every placeholder, WriteBody (or FillFrom), Finish, Show. The
// output file is closed between operations.

#include "app/docs/PdfConversion.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>
#include <functional>

class QFile;

namespace valdora::docs {

// A value as it goes into the document: code page 1250 ("ș"/"ț" as cedilla
// letters), braces as parentheses, "\" doubled and every byte from 0x80 up as
// "\'hh", so no value can break the RTF around it.
QByteArray escapeRtfValue(QStringView value);

class TRTFReplace {
public:
    // Opens a document with the program associated with its type (the window
    // layer passes ui::interaction().openDocument).
    using Opener = std::function<bool(const QString &path)>;

    explicit TRTFReplace(Opener opener = {});

    QString RTFSursa; // the template to read
    QString RTFDest;  // the output document; after SaveAsPdf, the PDF
    PdfOptions pdfOptions;

    void setOpener(Opener opener) { opener_ = std::move(opener); }

    // RTFDest := the first of prefix + "0.rtf" .. prefix + "99.rtf" that is free
    // or can be deleted (a document open in a word processor is skipped).
    // False, RTFDest unchanged, when all 100 are held.
    bool PickDest(const QString &prefix);
    // Creates RTFDest with the template's header; empties the lists. False when
    // the template is missing or empty or the output cannot be written.
    bool Prepare();
    // Registers a placeholder and its value (escaped here). An empty placeholder is ignored.
    void AddValue(const QString &placeholder, const QString &value);
    // Registers RTF markup built by the program (a table, say) inserted as it is:
    // no escaping and no capitals. Build any text inside it with escapeRtfValue.
    void AddRtf(const QString &placeholder, const QByteArray &rtf);
    // Appends `copies` filled copies of the body (separated by "\page"); empties the lists.
    void WriteBody(int copies = 1);
    // Appends " \par \page "; empties the lists.
    void NewPage();
    // Closes the document ("}"); empties the lists.
    void Finish();
    // Rewrites RTFDest as the whole template in one pass: lines up to the first
    // that holds `start` (exact case) unchanged, the rest with every placeholder
    // replaced by its value as registered. Empties the lists.
    void FillFrom(const QString &start);
    // Opens RTFDest when it names an existing file; false otherwise (nothing reported).
    bool Show() const;
    // Converts RTFDest to a PDF beside it through LibreOffice; on success the
    // RTF is deleted and RTFDest becomes the PDF. False (RTF kept) otherwise.
    bool SaveAsPdf();
    void ClearValues();

    const QList<QByteArray> &placeholders() const { return placeholders_; }
    const QList<QByteArray> &values() const { return values_; }
    int repeatCursor() const { return cursor_; }

private:
    QList<QByteArray> readTemplate() const;
    QByteArray fillLine(QByteArray line);
    QByteArray fillOnce(const QByteArray &line) const;
    void writeFilled(QFile &out, const QByteArray &line);
    void append(const QByteArray &line);

    Opener opener_;
    QList<QByteArray> placeholders_;
    QList<QByteArray> values_;
    QList<bool> raw_;
    int cursor_ = -1;
    bool bodyOpen_ = true; // false after Prepare of a template without "\pard"
};

} // namespace valdora::docs
