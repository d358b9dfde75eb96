#pragma once
// The main window's template and law-text entries: editing a template in place,
// restoring its initial version and showing a law text. They reach the person
// through a seam the window layer fills with ui::message and
// ui::interaction().openDocument, so this library needs no widgets.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace valdora::docs {

// Same numbers as the message window of the window layer.
namespace seam {
constexpr int ButtonsDaNu = 3;
constexpr int ButtonOk = 4;
constexpr int KindError = 1;
constexpr int KindInformation = 2;
constexpr int KindConfirmation = 3;
constexpr int ResultDa = 6;
} // namespace seam

struct DocumentSeam {
    // The message window: title, text, buttons, kind -> the button pressed.
    std::function<int(const QString &title, const QString &text, int buttons, int kind)> message;
    // Opens a file with the program associated with its type.
    std::function<bool(const QString &path)> open;
};

struct DocsPlace {
    QString database; // where the editable templates live
    QString temp;     // the run's temporary folder
};

// Opens database folder + file for editing in the office's own program; false
// (nothing shown) when the file is missing.
bool ModelEdit(const DocsPlace &place, const QString &file, const DocumentSeam &seam);

enum class RestoreOutcome { Declined, Restored, InUse };
// Asks, deletes the edited file and writes the initial template again (with any
// other missing one). A file open in another program is left as it is.
RestoreOutcome RefaModel(const DocsPlace &place, const QString &file, const DocumentSeam &seam);

// Shows a law text ("COD2016", "ANAF", "L239"): the office's own copy when the
// database folder holds <resource>.pdf, otherwise the text carried inside the
// program, written afresh to a temporary "Lege<n>.pdf". Returns the file shown.
QString LegeShow(const DocsPlace &place, const QString &resource, const DocumentSeam &seam);

// One entry of a menu: the sub-menu captions leading to it, its component name,
// its caption and what it does (empty: shown disabled).
struct MenuEntry {
    QStringList path;
    QString name;
    QString caption;
    std::function<void()> action;
};

// The entries of "Modele listare - Editare", paths relative to that sub-menu.
// Workbook templates stay disabled until the program carries them.
std::vector<MenuEntry> templateMenuEntries(const DocsPlace &place, const DocumentSeam &seam);
// The three entries of "Legislatie".
std::vector<MenuEntry> lawMenuEntries(const DocsPlace &place, const DocumentSeam &seam);

} // namespace valdora::docs
