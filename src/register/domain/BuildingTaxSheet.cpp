#include "register/domain/BuildingTaxSheet.h"

#include "app/core/Dates.h"

namespace valdora {
namespace {

QString n2(Currency v) { return v.toString(2); }
QString perM2(Currency v) { return v.isWholeLei() ? v.toString(0) : v.toString(2); }

QString inflationText(const BuildingTaxResult &r)
{
    return r.inflationDescription.isEmpty() ? n2(r.inflationPercent) + QStringLiteral(" %") : r.inflationDescription;
}

QString stars() { return QString(67, u'*'); }

} // namespace

QStringList buildingTaxSheet(const BuildingTaxSheetHeader &header, const BuildingTaxResult &r)
{
    const BuildingRow &b = r.building;
    const bool inflated = r.inflationPercent > Currency();
    QStringList s;
    s << QStringLiteral("FISA DE CALCUL CLADIRE") << QStringLiteral("***********************") << QString()
      << header.locality << QStringLiteral("ROL: ") + header.role + QStringLiteral(" - ") + header.name << QString();

    auto taxLines = [&]() {
        s << QString() << QStringLiteral("Calculul impozitului : ValoareImpozabila X Cota% =")
          << QStringLiteral(" = ") + n2(r.value) + QStringLiteral(" X ") + n2(r.ratePercent) + QStringLiteral(" / 100 = ")
                 + n2(r.rateTax) + QStringLiteral(" lei")
          << QString();
    };

    switch (r.branch) {
    case BuildingTaxBranch::NonResidentialLegal:
        if (r.surchargePercent > Currency())
            s << QStringLiteral("Majorare conf.H.C.L.   : ") + n2(r.surchargePercent) + QStringLiteral(" %");
        s << QStringLiteral("Tip persoana           : JURIDICA") << QStringLiteral("Tip cladire            : NEREZIDENTIALA")
          << QStringLiteral("Data evaluarii         = ") + formatDate(b.DATAEVAL)
          << QStringLiteral("Rata inflatiei         : ") + inflationText(r)
          << QStringLiteral("Valoare evaluata   = ") + n2(r.evaluatedValue) + QStringLiteral(" lei")
          << QStringLiteral(" corectata cu Rata inflatiei  = ") + n2(r.evaluatedValueIndexed) + QStringLiteral(" lei")
          << QStringLiteral("Cota stabilita prin H.C.L. = ") + n2(r.setRatePercent) + QStringLiteral(" %");
        if (r.evaluationExpired) {
            s << QStringLiteral("Cladire neevaluata in ultimii %1 ani.").arg(r.evaluationYears)
              << QStringLiteral("  - Cota devine cf.Art.460 alin(8) = 5%");
        } else {
            s << QStringLiteral("Cladire evaluata in ultimii %1 ani.").arg(r.evaluationYears);
            if (r.agriculturalRate)
                s << QStringLiteral("Se desfasoara activitati agricole :")
                  << QStringLiteral("  - Cota devine cf.Art.460 alin(3) = 0.4%");
        }
        taxLines();
        break;
    case BuildingTaxBranch::NonResidentialNatural:
        s << QStringLiteral("Tip persoana           : FIZICA") << QStringLiteral("Tip cladire            : NEREZIDENTIALA")
          << QStringLiteral("Data evaluarii     = ") + formatDate(b.DATAEVAL)
          << QStringLiteral("Rata inflatiei     = ") + inflationText(r)
          << QStringLiteral("Valoare evaluata   = ") + n2(r.evaluatedValue) + QStringLiteral(" lei")
          << QStringLiteral(" corectie cu Rata inflatiei = ") + n2(r.evaluatedValueIndexed) + QStringLiteral(" lei")
          << QStringLiteral("Cota stabilita prin H.C.L. = ") + n2(r.setRatePercent) + QStringLiteral(" %");
        if (r.evaluationExpired) {
            s << QStringLiteral("Cladire neevaluata in ultimii 5 ani.")
              << QStringLiteral("  - Cota devine cf.Art.458 alin(4) = 2%")
              << QStringLiteral("    si Valoarea impozabila se calculeaza cf.Art.457 :")
              << QStringLiteral("Suprafata X CoefArt457alin2 X (1+RataInflatiei/100) X CoefArt457alin6 =")
              << QStringLiteral(" = ") + n2(b.SUPRAFD) + QStringLiteral(" X ") + perM2(r.valuePerSquareMetre)
                     + QStringLiteral(" X (1+") + n2(r.inflationPercent) + QStringLiteral("/100) X ")
                     + n2(r.zoneCoefficient) + QStringLiteral(" = ") + n2(r.value) + QStringLiteral(" lei");
        } else {
            s << QStringLiteral("Cladire evaluata in ultimii 5 ani.");
        }
        taxLines();
        break;
    case BuildingTaxBranch::ResidentialLegal:
        s << QStringLiteral("Tip persoana           : JURIDICA") << QStringLiteral("Tip cladire            : REZIDENTIALA")
          << QStringLiteral("Valoare evaluata   = ") + n2(r.evaluatedValue) + QStringLiteral(" lei");
        if (inflated)
            s << QStringLiteral("Rata inflatiei         : ") + n2(r.inflationPercent) + QStringLiteral(" %");
        s << QStringLiteral("Valoare evaluata corectata cu Rata inflatiei  = ") + n2(r.value) + QStringLiteral(" lei")
          << QStringLiteral("Cota stabilita prin H.C.L. = ") + n2(r.setRatePercent) + QStringLiteral(" %")
          << QStringLiteral("Data evaluarii           = ") + formatDate(b.DATAEVAL)
          << QStringLiteral("Data expirarii evaluarii = ") + formatDate(r.evaluationExpiry);
        if (r.evaluationExpired)
            s << QStringLiteral(" - Evaluare expirata! Cota devine 5%  cf. Art.460 Alin.(8)");
        s << QStringLiteral("TaxaLux cf.L.239 pct.51 alin(a)  = ") + n2(r.luxuryPart)
          << QStringLiteral("Calculul impozitului : ValoareEvaluata X Cota + TaxaLux = ")
          << n2(r.value) + QStringLiteral(" X ") + n2(r.ratePercent) + QStringLiteral(" / 100 + ") + n2(r.luxuryPart)
                 + QStringLiteral(" = ") + n2(r.computedTax) + QStringLiteral(" lei")
          << QString();
        break;
    case BuildingTaxBranch::ResidentialNatural:
        s << QStringLiteral("Tip persoana           : FIZICA") << QStringLiteral("Tip cladire            : REZIDENTIALA");
        if (inflated)
            s << QStringLiteral("Rata inflatiei         : ") + n2(r.inflationPercent) + QStringLiteral(" %");
        s << QStringLiteral("Suprafata              : ") + n2(b.SUPRAFD) + QStringLiteral(" mp")
          << QStringLiteral("Destinatia cladirii    : ") + destinationCaption(r.destination)
          << QStringLiteral("Cod material           : ") + QString::number(b.CODMAT)
          << QStringLiteral("Cu toate utilitatile   : ")
                 + (b.CUUTIL.trimmed().compare(u"DA", Qt::CaseInsensitive) == 0 ? QStringLiteral("DA") : QStringLiteral("NU"))
          << QStringLiteral("Situata in Zona        : ") + r.zone
          << QStringLiteral("                Rangul    : ") + rankCaption(b.RANG) << QString()
          << QStringLiteral("Coeficient cf.L.239/2025 pct.28   = ") + perM2(r.valuePerSquareMetre);
        if (inflated)
            s << QStringLiteral("  corectat cu Rata inflatiei  = ") + n2(r.valuePerSquareMetreIndexed);
        s << QStringLiteral("Coeficient cf.Art.457 alin(6)    = ") + n2(r.zoneCoefficient)
          << QStringLiteral("TaxaLux cf.L.239 pct.51 alin(a)  = ") + n2(r.luxuryPart) << QString() << QString()
          << QStringLiteral("Calculul valorii impozabile : Suprafata X CoefArt457alin2 X (1+RataInflatiei/100) * CoefArt457alin6 =")
          << QStringLiteral(" = ") + n2(b.SUPRAFD) + QStringLiteral(" X ") + perM2(r.valuePerSquareMetre)
                 + QStringLiteral(" X (1+") + n2(r.inflationPercent) + QStringLiteral("/100) * ") + n2(r.zoneCoefficient)
                 + QStringLiteral(" = ") + n2(r.value) + QStringLiteral(" lei")
          << QString() << QStringLiteral("Cota stabilita prin H.C.L.       = ") + n2(r.setRatePercent) + QStringLiteral(" %")
          << QStringLiteral("IMPOZIT CALCULAT : ValoareImpozabila X CotaHCL + TaxaLux = ") + n2(r.value)
                 + QStringLiteral(" X ") + n2(r.ratePercent) + QStringLiteral(" / 100 + ") + n2(r.luxuryPart)
                 + QStringLiteral(" = ") + n2(r.computedTax) + QStringLiteral(" lei")
          << QString();
        break;
    case BuildingTaxBranch::NoRule:
        s << QStringLiteral("Tip cladire            : ") + useCaption(b.TIPC).toUpper() << QString();
        break;
    }

    if (r.enteredThisYear) {
        s << QString() << QStringLiteral("CONSTRUCTIA ESTE DOBANDITA IN ANUL CURENT.") << QStringLiteral("Valoare Impozit = 0")
          << stars();
        return s;
    }
    if (r.branch == BuildingTaxBranch::NonResidentialLegal && r.surchargePercent > Currency()) {
        const Currency factor = InflationIndex::fromPercent(r.surchargePercent).apply(Currency::fromLei(1));
        s << QStringLiteral("Se aplica Majorare cf.H.C.L. ") + n2(r.surchargePercent) + QStringLiteral(" %")
          << QStringLiteral("IMPOZIT : Impozit Calculat X ") + n2(factor) + QStringLiteral(" = ") + n2(r.computedTax);
    }
    s << QStringLiteral("IMPOZIT FINAL (stabilit prin rotunjire) = ") + n2(r.roundedTax) + QStringLiteral(" lei") << stars();
    return s;
}

} // namespace valdora
