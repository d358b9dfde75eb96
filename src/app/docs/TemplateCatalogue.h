#pragma once
// Every template the program carries: the editable ones, written once into the
// database folder and read from there (so an office's edits reach every later
// document), and the built-in ones, written afresh into the temporary folder
// at every use.

#include <QString>
#include <QStringList>
#include <vector>

namespace valdora::docs {

enum class TemplateKind { Rtf, Excel, Pdf };

struct EditableTemplate {
    QString resource;
    QString type;          // resource type: "MODEL" or "XLS"
    TemplateKind kind;
    QString file;          // name in the database folder
    QStringList deleteBefore; // older files deleted before this one is written
    QStringList deleteAfter;  // older files deleted once this one is written
    QString document;
};

struct BuiltInTemplate {
    QString resource;      // resource type "MODEL"
    TemplateKind kind;
    QString document;
};

// In the order they are written out.
const std::vector<EditableTemplate> &editableTemplates();
const std::vector<BuiltInTemplate> &builtInTemplates();
// The editable template written to `file` (case-insensitive), or nullptr.
const EditableTemplate *editableTemplateForFile(const QString &file);

// Writes every editable template missing from the database folder, applying the
// deletions of its row. An existing file is never overwritten, so edited
// templates survive program updates. Workbook templates are skipped while the
// program carries no workbook for them. A failed write throws valdora::Error.
// Returns the files written.
QStringList WriteTemplates(const QString &databaseFolder);

// Writes a built-in template to a unique file of the temporary folder (named
// from the resource) and returns its path. Throws valdora::Error when no name
// is free or the write fails.
QString writeBuiltInTemplate(const QString &resource, const QString &tempFolder);

} // namespace valdora::docs
