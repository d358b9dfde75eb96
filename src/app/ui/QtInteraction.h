#pragma once
#include "app/ui/Interaction.h"

namespace valdora::ui {

// The real windows: TErori, the balloon, TContor and the system's dialogs.
class QtInteraction final : public Interaction {
public:
    int message(const QString &title, const QString &text, int buttons, int kind) override;
    void problem(const QString &text, QWidget *control) override;
    void progressStart(const QString &description, int maximum, bool withStop) override;
    void progressStep() override;
    void progressSet(int position) override;
    void progressFinish() override;
    bool stopRequested() override;
    std::optional<QString> chooseFolder(const QString &prompt, const QString &startFolder) override;
    std::optional<QString> openFileName(const QString &title, const QString &filter, const QString &start) override;
    std::optional<QString> saveFileName(const QString &title, const QString &filter, const QString &start) override;
    std::optional<QString> inputBox(const QString &title, const QString &prompt, const QString &initial) override;
    bool openDocument(const QString &path) override;
    bool print(const QString &path) override;
};

} // namespace valdora::ui
