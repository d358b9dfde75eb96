#include "register/store/BuildingConstants.h"

#include "admin/domain/AdminControls.h"

namespace valdora::roles {

BuildingTaxConstants buildingTaxConstants(const admin::AdminValues &v, int fiscalYear)
{
    BuildingTaxConstants k;
    k.CotaCRPF = v.number(QStringLiteral("CotaCRPF"));
    k.CotaCNPF = v.number(QStringLiteral("CotaCNPF"));
    k.CotaCRPJ = v.number(QStringLiteral("CotaCRPJ"));
    k.CotaCNPJ = v.number(QStringLiteral("CotaCNPJ"));
    k.MajHCL = v.number(QStringLiteral("MajHCL"));
    k.RataInfE = v.number(QStringLiteral("RataInfE"));
    k.RataInfPFR = v.checked(QStringLiteral("RataInfPFR"));
    k.RataInfPFN = v.checked(QStringLiteral("RataInfPFN"));
    k.RataInfPJ = v.checked(QStringLiteral("RataInfPJ"));
    // The administration keeps whole years; a fraction typed before saving is cut.
    k.EvalPJAni = int(v.number(QStringLiteral("EvalPJAni")).truncLei().wholeLei());
    k.inflation = InflationHistory{};
    for (const admin::InflationYear &y : admin::inflationHistory()) {
        const int age = fiscalYear - y.year;
        if (age >= 0 && age < InflationHistory::Years)
            k.inflation.Inf[size_t(age)] = Currency::parse(QString::fromLatin1(y.percent)).value_or(Currency());
    }
    return k;
}

QString defaultZone(const admin::AdminValues &v)
{
    const QString z = v.text(QStringLiteral("ComboBox2")).trimmed().toUpper();
    return admin::zones().contains(z) ? z : QStringLiteral("A");
}

int defaultRank(const admin::AdminValues &v)
{
    const int at = int(admin::ranks().indexOf(v.text(QStringLiteral("ComboBox3")).trimmed().toUpper()));
    return at < 0 ? 0 : at;
}

} // namespace valdora::roles
