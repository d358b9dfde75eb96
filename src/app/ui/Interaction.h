#pragma once
// Every point where a window waits for a person goes through this interface:
// the message window, the problem balloon, the progress window, file and
// folder dialogs, input boxes, opening a document, printing. The program
// installs the real windows; tests install a scripted one.

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace valdora::ui {

// Buttons of the message window, as a bit set.
enum Buttons : int { Da = 1, Nu = 2, Ok = 4, Renunt = 8, DaNu = 3 };
// Results of the message window.
enum Result : int { ResultOk = 1, ResultRenunt = 2, ResultDa = 6, ResultNu = 7 };
// Kinds of the message window.
enum Kind : int { Warning = 0, Error = 1, Information = 2, Confirmation = 3 };

class Interaction {
public:
    virtual ~Interaction() = default;

    // Modal; returns 6 DA, 7 NU, 2 RENUNT (also Escape), 1 OK; 2 without buttons.
    virtual int message(const QString &title, const QString &text, int buttons, int kind) = 0;
    // The balloon "Problema !" beside a control; never blocks.
    virtual void problem(const QString &text, QWidget *control) = 0;

    // Progress of long work.
    virtual void progressStart(const QString &description, int maximum, bool withStop) = 0;
    virtual void progressStep() = 0;
    virtual void progressSet(int position) = 0;
    virtual void progressFinish() = 0;
    virtual bool stopRequested() = 0;

    virtual std::optional<QString> chooseFolder(const QString &prompt, const QString &startFolder) = 0;
    virtual std::optional<QString> openFileName(const QString &title, const QString &filter, const QString &start) = 0;
    virtual std::optional<QString> saveFileName(const QString &title, const QString &filter, const QString &start) = 0;
    virtual std::optional<QString> inputBox(const QString &title, const QString &prompt, const QString &initial) = 0;
    // Opens a file with the program the system associates with it.
    virtual bool openDocument(const QString &path) = 0;
    // Prints a document (PDF or text) on the default printer, asking when needed.
    virtual bool print(const QString &path) = 0;
};

Interaction &interaction();
void setInteraction(Interaction *i); // nullptr restores the windows

// Convenience for the common messages.
inline int message(const QString &title, const QString &text, int buttons, int kind)
{
    return interaction().message(title, text, buttons, kind);
}
inline void problem(const QString &text, QWidget *control) { interaction().problem(text, control); }

// Progress that finishes itself when it goes out of scope.
class ProgressScope {
public:
    ProgressScope(const QString &description, int maximum, bool withStop = false)
    {
        interaction().progressStart(description, maximum, withStop);
    }
    ~ProgressScope() { interaction().progressFinish(); }
    void step() { interaction().progressStep(); }
    bool stopped() { return interaction().stopRequested(); }
};

} // namespace valdora::ui
