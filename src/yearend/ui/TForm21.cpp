#include "yearend/ui/TForm21.h"

#include "app/core/Edition.h"
#include "app/startup/AppContext.h"
#include "app/ui/Interaction.h"
#include "yearend/domain/BackupNames.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace valdora::yearend {
namespace {

QString canonicalOr(const QString &path)
{
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(QDir(path).absolutePath()) : c;
}

} // namespace

TForm21::TForm21(AppContext &ctx, RemoteCopy remote, QWidget *parent)
    : QDialog(parent), ctx_(ctx), remote_(std::move(remote))
{
    setObjectName(QStringLiteral("TForm21"));
    setWindowTitle(QStringLiteral("Salvare - Restaurare"));
    auto *layout = new QVBoxLayout(this);
    auto button = [this, layout](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setMinimumHeight(36);
        layout->addWidget(b);
        return b;
    };
    SalvBut = button("SalvBut", QStringLiteral("Salveaza baza de date"));
    RestBut = button("RestBut", QStringLiteral("Restaureaza baza de date"));
    DistBut = button("DistBut", QStringLiteral("Copie / Recupereaza date la Distanta"));
    DistBut->setEnabled(bool(remote_.open));
    connect(SalvBut, &QPushButton::clicked, this, &TForm21::SalvButClick);
    connect(RestBut, &QPushButton::clicked, this, &TForm21::RestButClick);
    connect(DistBut, &QPushButton::clicked, this, &TForm21::DistButClick);
    setMinimumWidth(320);
}

void TForm21::SalvButClick()
{
    const auto chosen = ui::interaction().saveFileName(QStringLiteral("Unde salvam arhiva ?"), archiveFilter(), QString());
    if (!chosen || chosen->trimmed().isEmpty())
        return;
    QString file = QDir::cleanPath(QDir(*chosen).absolutePath());
    if (QFileInfo(file).suffix().isEmpty())
        file += QString::fromLatin1(edition::BackupExtension);
    const QString folder = QFileInfo(file).absolutePath();
    const Folders &f = ctx_.folders();
    if (isForbiddenBackupFolder(folder, {f.database, f.localData}) ||
        isForbiddenBackupFolder(canonicalOr(folder), {canonicalOr(f.database), canonicalOr(f.localData)})) {
        ui::message(QStringLiteral("Salvare date"), QStringLiteral("\rNu puteti salva aici!"), ui::Ok, ui::Error);
        return;
    }
    if (QFileInfo::exists(file) &&
        ui::message(QStringLiteral("Atentionare"),
                    QStringLiteral("\rVreti sa inlocuiti salvarea ") + QDir::toNativeSeparators(file) + u'?', ui::DaNu,
                    ui::Warning) != ui::ResultDa)
        return;

    hide();
    QString why;
    const bool ok = archiveDatabase(ctx_, file, &why, true);
    close();
    if (!ok) {
        // A snapshot that could not be made has been reported already.
        if (!why.isEmpty())
            ui::message(QStringLiteral("Salvare"), QStringLiteral("\rSalvare esuata!\r") + why, ui::Ok, ui::Error);
        return;
    }
    ui::message(QStringLiteral("Informatie"), QStringLiteral("\rSalvare incheiata cu succes !"), ui::Ok, ui::Information);
    if (remote_.send &&
        ui::message(QStringLiteral("Copie la Distanta"), QStringLiteral("\rDoriti sa transmiteti salvarea si pe Server?"),
                    ui::DaNu, ui::Confirmation) == ui::ResultDa)
        remote_.send(file);
}

void TForm21::RestButClick()
{
    if (ui::message(QStringLiteral("Incarcare date"),
                    QStringLiteral("Prin preluarea datelor dintr-o salvare anterioara,\rse sterg datele curente si sunt "
                                   "inlocuite cu cele din salvare!\rContinuam operatiunea?"),
                    ui::DaNu, ui::Warning) != ui::ResultDa)
        return;
    const auto chosen = ui::interaction().openFileName(
        QStringLiteral("Indicati salvarea precedenta Valdora ") + QString::fromLatin1(edition::FiscalYearText),
        archiveFilter(), QString());
    if (!chosen || chosen->trimmed().isEmpty())
        return;
    hide();
    restored_ = restoreDatabase(ctx_, *chosen);
    close();
}

void TForm21::DistButClick()
{
    if (!remote_.open)
        return;
    hide();
    restored_ = remote_.open() || restored_;
    close();
}

} // namespace valdora::yearend
