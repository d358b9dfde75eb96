#include "admin/domain/AdminSaveCheck.h"

namespace valdora::admin {

std::vector<SaveCheckStep> saveChecks(const AdminValues &v)
{
    std::vector<SaveCheckStep> steps;
    struct Interval { const char *control; const char *low; const char *high; };
    const Interval rates[] = {{"CotaCRPF", "0.08", "0.2"}, {"CotaCNPF", "0.2", "1.3"},
                              {"CotaCRPJ", "0.08", "0.2"}, {"CotaCNPJ", "0.2", "1.3"}};
    const QString buildings = QStringLiteral("cladiri");
    for (const auto &r : rates) {
        const Currency x = v.number(QString::fromLatin1(r.control));
        const Currency lo = *Currency::parse(QString::fromLatin1(r.low));
        const Currency hi = *Currency::parse(QString::fromLatin1(r.high));
        if (x < lo || x > hi)
            steps.push_back({SaveCheckStep::Question, QString::fromLatin1(r.control), buildings,
                             QStringLiteral("\rCota ") + QString::fromLatin1(r.control) +
                                 QStringLiteral(" nu se incadreaza in intervalul legal ") + QString::fromLatin1(r.low) +
                                 QStringLiteral("% - ") + QString::fromLatin1(r.high) + QStringLiteral("% !") +
                                 QStringLiteral("\r") + QStringLiteral("Continuam asa?")});
    }
    if (v.number(QStringLiteral("EvalPJAni")).truncLei() < Currency::fromLei(1)) {
        steps.push_back({SaveCheckStep::Refusal, QStringLiteral("EvalPJAni"), buildings, QStringLiteral("Numar ani incorect!")});
        return steps;
    }
    struct Max { const char *control; int max; };
    const Max maxima[] = {{"MajHCL", 100}, {"CotaHCLA3", 100}, {"MajHCLA2", 100}, {"MajHCLA1", 100}, {"HiRed", 30}};
    for (const auto &m : maxima) {
        if (v.number(QString::fromLatin1(m.control)) > Currency::fromLei(m.max)) {
            const ControlDef *c = control(QString::fromLatin1(m.control));
            steps.push_back({SaveCheckStep::Refusal, QString::fromLatin1(m.control), c ? c->page : QString(),
                             QStringLiteral("Valoarea maxima este %1% !").arg(m.max)});
            break;
        }
    }
    return steps;
}

} // namespace valdora::admin
