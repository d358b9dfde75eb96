#include "register/store/BuildingEntry.h"

#include "app/core/Text.h"

namespace valdora::roles {
namespace {

QString yesNo(bool on) { return on ? QStringLiteral("DA") : QStringLiteral("NU"); }
bool isYes(const QString &text) { return text.trimmed().compare(u"DA", Qt::CaseInsensitive) == 0; }

const QString wrongDate = QStringLiteral("Data incorecta!");
const QString wrongValue = QStringLiteral("Valoare incorecta!");
const QString wrongEvaluation = QStringLiteral("Data evaluarii este incorecta!");

} // namespace

BuildingUse effectiveUse(const BuildingForm &f)
{
    switch (f.classification) {
    case BuildingClass::Residential: return BuildingUse::Residential;
    case BuildingClass::NonResidential: return BuildingUse::NonResidential;
    case BuildingClass::Mixed: break;
    }
    return f.mixedPartResidential ? BuildingUse::Residential : BuildingUse::NonResidential;
}

BuildingPage buildingPage(OwnerType owner, BuildingUse use)
{
    const bool residential = use != BuildingUse::NonResidential;
    if (owner == OwnerType::Natural)
        return residential ? BuildingPage::NaturalResidential : BuildingPage::NaturalNonResidential;
    return residential ? BuildingPage::LegalResidential : BuildingPage::LegalNonResidential;
}

bool keepsApt8(BuildingPage page) { return page == BuildingPage::LegalResidential || page == BuildingPage::LegalNonResidential; }

BuildingForm newBuildingForm(QDate today, int fiscalYear, const QString &zone, int rank)
{
    BuildingForm f;
    f.zone = zone;
    f.rank = rank;
    f.acquisitionDate = QDate(fiscalYear, 1, 1);
    f.entryDate = today;
    f.saleDate = today;
    f.exitDate = today;
    return f;
}

BuildingForm formOf(const BuildingRecord &b, OwnerType owner, QDate today)
{
    BuildingForm f;
    const bool nonResidential = buildingUse(b.TIPC) == BuildingUse::NonResidential;
    if (b.mixed() || buildingUse(b.TIPC) == BuildingUse::Other) {
        f.classification = BuildingClass::Mixed;
        f.mixedPartResidential = !nonResidential;
        f.mixedId = b.mixed() ? b.IDMANUAL : 0;
    } else {
        f.classification = nonResidential ? BuildingClass::NonResidential : BuildingClass::Residential;
    }
    const BuildingPage page = buildingPage(owner, f);
    f.area = b.SUPRAFD;
    f.year = b.ANUL;
    f.material = b.CODMAT;
    f.destination = effectiveDestination(b.DESTINATIE);
    f.utilities = isYes(b.CUUTIL);
    f.zone = b.ZONA.trimmed().isEmpty() ? QStringLiteral("A") : b.ZONA.trimmed().toUpper();
    f.rank = b.RANG;
    f.inBlock = isYes(b.APT8);
    f.evaluationDate = b.DATAEVAL.isValid() ? b.DATAEVAL : notEvaluatedDate();
    f.value = page == BuildingPage::LegalResidential ? b.VALOAREJR : b.VALOAREN;
    f.agricultural = isYes(b.ACTAGR);
    f.notEvaluated =
        page == BuildingPage::NaturalNonResidential && f.evaluationDate == notEvaluatedDate() && b.VALOAREN.isZero();
    f.address = b.ADRESA;
    f.acquisitionDate = b.DATADOB;
    f.entryDate = b.DATAIN;
    f.entryRemark = b.OBSIN;
    f.sold = isRealDate(b.DATAVANZ) || isRealDate(b.DATAOUT);
    f.saleDate = isRealDate(b.DATAVANZ) ? b.DATAVANZ : today;
    f.exitDate = isRealDate(b.DATAOUT) ? b.DATAOUT : today;
    f.exitRemark = b.OBSOUT;
    return f;
}

std::optional<EntryProblem> firstEntryProblem(const BuildingForm &f, OwnerType owner, QDate today, int fiscalYear)
{
    const BuildingPage page = buildingPage(owner, f);
    const Currency one = Currency::fromLei(1);
    if (page == BuildingPage::NaturalResidential || page == BuildingPage::NaturalNonResidential) {
        if (f.area < one)
            return EntryProblem{EntryField::Area, QStringLiteral("Suprafata incorecta!")};
        if (f.year > fiscalYear || f.year < 1200)
            return EntryProblem{EntryField::Year, QStringLiteral("Anul este incorect!")};
    }
    if (page == BuildingPage::NaturalNonResidential && !f.notEvaluated) {
        if (!f.evaluationDate.isValid() || f.evaluationDate > today || f.evaluationDate < notEvaluatedDate())
            return EntryProblem{EntryField::EvaluationDate, wrongEvaluation};
        if (f.value < one)
            return EntryProblem{EntryField::Value, wrongValue};
    }
    if (page == BuildingPage::LegalResidential || page == BuildingPage::LegalNonResidential) {
        if (!f.evaluationDate.isValid() || f.evaluationDate > today)
            return EntryProblem{EntryField::EvaluationDate, wrongEvaluation};
        if (f.value < one)
            return EntryProblem{EntryField::Value, wrongValue};
    }
    if (!f.entryDate.isValid() || f.entryDate > today)
        return EntryProblem{EntryField::EntryDate, wrongValue};
    if (!f.acquisitionDate.isValid() || f.acquisitionDate > f.entryDate)
        return EntryProblem{EntryField::AcquisitionDate, wrongDate};
    if (f.sold) {
        if (!f.saleDate.isValid() || f.saleDate > today)
            return EntryProblem{EntryField::SaleDate, wrongDate};
        if (!f.exitDate.isValid() || f.exitDate < f.saleDate || f.exitDate < QDate(fiscalYear, 1, 1))
            return EntryProblem{EntryField::ExitDate, wrongDate};
    }
    return std::nullopt;
}

BuildingForm normalised(BuildingForm f)
{
    f.address = cleanSpaces(f.address);
    f.entryRemark = cleanSpaces(f.entryRemark);
    f.exitRemark = cleanSpaces(f.exitRemark);
    return f;
}

BuildingRecord storedBuilding(const BuildingForm &form, OwnerType owner, const QString &defaultZone, int defaultRank)
{
    const BuildingForm f = normalised(form);
    const BuildingUse use = effectiveUse(f);
    const BuildingPage page = buildingPage(owner, use);
    BuildingRecord b;
    const bool mixed = f.classification == BuildingClass::Mixed;
    b.MIXTA = mixed ? QStringLiteral("X") : QString();
    b.IDMANUAL = mixed ? f.mixedId : 0;
    b.TIPC = use == BuildingUse::NonResidential ? QStringLiteral("N") : QStringLiteral("R");
    b.DESTINATIE = f.destination;
    b.ADRESA = f.address;
    b.DATADOB = f.acquisitionDate;
    b.DATAIN = f.entryDate;
    b.OBSIN = f.entryRemark;
    if (f.sold) {
        b.DATAVANZ = f.saleDate;
        b.DATAOUT = f.exitDate;
        b.OBSOUT = f.exitRemark;
    } else {
        b.DATAVANZ = notLeftDate();
        b.DATAOUT = notLeftDate();
        b.OBSOUT.clear();
    }

    const bool natural = owner == OwnerType::Natural;
    if (natural) {
        b.APT8 = yesNo(f.inBlock);
        b.ZONA = f.zone;
        b.RANG = f.rank;
        b.SUPRAFD = f.area;
        b.ANUL = f.year;
        b.CODMAT = f.material;
        b.CUUTIL = yesNo(f.utilities);
    } else {
        b.APT8 = QStringLiteral("NU");
        b.ZONA = defaultZone;
        b.RANG = defaultRank;
        b.SUPRAFD = Currency();
        b.ANUL = 1500;
        b.CODMAT = 0;
        b.CUUTIL = QStringLiteral("NU");
    }
    switch (page) {
    case BuildingPage::NaturalResidential:
        b.ACTAGR = QStringLiteral("NU");
        b.DATAEVAL = notEvaluatedDate();
        b.VALOAREN = Currency();
        b.VALOAREJR = Currency();
        break;
    case BuildingPage::NaturalNonResidential:
        b.ACTAGR = yesNo(f.agricultural);
        b.DATAEVAL = f.notEvaluated ? notEvaluatedDate() : f.evaluationDate;
        b.VALOAREN = f.notEvaluated ? Currency() : f.value;
        b.VALOAREJR = Currency();
        break;
    case BuildingPage::LegalResidential:
        b.ACTAGR = QStringLiteral("NU");
        b.DATAEVAL = f.evaluationDate;
        b.VALOAREN = Currency();
        b.VALOAREJR = f.value;
        break;
    case BuildingPage::LegalNonResidential:
        b.ACTAGR = yesNo(f.agricultural);
        b.DATAEVAL = f.evaluationDate;
        b.VALOAREN = f.value;
        b.VALOAREJR = Currency();
        break;
    }
    return b;
}

qint64 editedManualId(const BuildingForm &form, const BuildingRecord &stored)
{
    if (form.classification == BuildingClass::Mixed)
        return form.mixedId != 0 ? form.mixedId : stored.IDCLAD;
    return stored.mixed() || stored.IDMANUAL == 0 ? stored.IDCLAD : stored.IDMANUAL;
}

} // namespace valdora::roles
