#include "collections/domain/ReceiptDocument.h"

#include "app/core/Text.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>

namespace valdora::collections {
namespace {

const Currency Zero;
const QString EditTitle = QStringLiteral("Detalii / Modificari");
const QString NoteSeries = QStringLiteral(" - ");

bool sameGroup(QStringView a, QStringView b) { return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0; }

QString lei(Currency c) { return c.toString(0); }

bool lessByGroup(const ChitanteLine &a, const ChitanteLine &b)
{
    return std::tie(a.GRUPA, a.DENUM, a.TIP) < std::tie(b.GRUPA, b.DENUM, b.TIP);
}

bool lessBySaveOrder(const ChitanteLine &a, const ChitanteLine &b)
{
    return std::tie(a.DENUM, a.GRUPA, a.TIP) < std::tie(b.DENUM, b.GRUPA, b.TIP);
}

bool sameDocumentLine(const ChitanteLine &a, const ChitanteLine &b)
{
    return std::tie(a.GRUPA, a.DOCJUS, a.SERIA, a.NR, a.DENUM, a.CODCLAS, a.TIP)
           == std::tie(b.GRUPA, b.DOCJUS, b.SERIA, b.NR, b.DENUM, b.CODCLAS, b.TIP);
}

void addAmounts(ChitanteLine &into, const ChitanteLine &from)
{
    into.RESTANTA += from.RESTANTA;
    into.MAJOREST += from.MAJOREST;
    into.DEPOZIT += from.DEPOZIT;
    into.CURENT += from.CURENT;
    into.MAJOR += from.MAJOR;
    into.REDUCERE += from.REDUCERE;
    into.TOTAL += from.TOTAL;
}

QString transferSeries(DocumentEntry entry, const PreparationInputs &inputs)
{
    switch (entry) {
    case DocumentEntry::Virament: return QStringLiteral("O.P.");
    case DocumentEntry::CardBancar: return QStringLiteral("CARD BANCA");
    case DocumentEntry::Online: return inputs.onlineSeries;
    default: return {};
    }
}

bool isTransfer(DocumentEntry e)
{
    return e == DocumentEntry::Virament || e == DocumentEntry::CardBancar || e == DocumentEntry::Online;
}

} // namespace

ReceiptDocument::Prepared ReceiptDocument::prepare(const PaymentAllocation &allocation,
                                                   const PreparationInputs &inputs)
{
    Prepared p;
    ReceiptDocument &d = p.document;
    d.allocation_ = allocation;
    d.inputs_ = inputs;

    std::vector<ChitanteLine> lines = allocation.lines;
    std::stable_sort(lines.begin(), lines.end(), lessByGroup);
    for (ChitanteLine &l : lines) {
        if (l.TIP == u"C") {
            l.DOCJUS = QStringLiteral("CHITANTA");
            l.SERIA = inputs.userSeries;
            l.NR = inputs.proposedReceiptNumber;
        } else {
            l.DOCJUS = l.TIP == u"N" ? QStringLiteral("N.C.") : QStringLiteral("O.P.");
            l.SERIA.clear();
            l.NR = 0;
        }
        l.CODCLAS = d.codeOf(l.GRUPA, allocation.naturalPerson);
        l.TOTAL = l.partsTotal();
    }
    // A payment or an order shows one line per group and document; a note keeps every part.
    if (allocation.kind != DocumentKind::CompensationNote) {
        std::vector<ChitanteLine> merged;
        for (const ChitanteLine &l : lines) {
            auto it = std::find_if(merged.begin(), merged.end(),
                                   [&](const ChitanteLine &m) { return sameDocumentLine(m, l); });
            if (it == merged.end())
                merged.push_back(l);
            else
                addAmounts(*it, l);
        }
        lines = std::move(merged);
    }
    d.lines_ = lines;

    const auto first = std::min_element(lines.begin(), lines.end(), lessBySaveOrder);
    if (first == lines.end() || first->GRUPA.trimmed().isEmpty())
        p.refusal = Refusal{QStringLiteral("Operare"),
                            QStringLiteral("Nu ati facut nici o operatiune!\rNu aveti ce opera..."), {}};
    return p;
}

QString ReceiptDocument::codeOf(const QString &grupa, bool naturalPersonCode) const
{
    for (const auto &c : inputs_.codes)
        if (sameGroup(c.GRUPA, grupa))
            return (naturalPersonCode ? c.CODCLF : c.CODCLJ).trimmed();
    return {};
}

std::vector<DocumentEntry> ReceiptDocument::entries() const
{
    switch (allocation_.kind) {
    case DocumentKind::Payment:
        return {DocumentEntry::Chitanta, DocumentEntry::Virament, DocumentEntry::CardBancar, DocumentEntry::Online};
    case DocumentKind::CompensationNote: return {DocumentEntry::NotaContabila};
    case DocumentKind::PaymentOrder: return {DocumentEntry::OrdinDePlata};
    }
    return {};
}

QString ReceiptDocument::caption(DocumentEntry entry) const
{
    switch (entry) {
    case DocumentEntry::Chitanta: return QStringLiteral("CHITANTA");
    case DocumentEntry::Virament: return QStringLiteral("VIRAMENT");
    case DocumentEntry::CardBancar: return QStringLiteral("CARD BANCAR");
    case DocumentEntry::Online: return inputs_.onlineSeries;
    case DocumentEntry::NotaContabila: return QStringLiteral("Nota contabila");
    case DocumentEntry::OrdinDePlata: return QStringLiteral("Ordin de plata");
    }
    return {};
}

qint64 ReceiptDocument::proposedNumber(DocumentEntry entry) const
{
    return entry == DocumentEntry::Chitanta ? inputs_.proposedReceiptNumber : 0;
}

void ReceiptDocument::refillClassificationCodes(const std::vector<ClassificationCode> &codes)
{
    inputs_.codes = codes;
    for (ChitanteLine &l : lines_)
        l.CODCLAS = codeOf(l.GRUPA, allocation_.naturalPerson);
}

std::optional<Refusal> ReceiptDocument::canEditLine(std::size_t index) const
{
    if (lines_.empty() || index >= lines_.size())
        return Refusal{EditTitle, QStringLiteral("Nu aveti ce modifica!"), {}};
    const ChitanteLine &l = lines_[index];
    // Only a main tax has the balance the edit recomputes.
    const bool hasBalance = std::any_of(allocation_.soldCalc.begin(), allocation_.soldCalc.end(),
                                        [&](const SoldCalcChange &c) { return sameGroup(c.GRUPA, l.GRUPA); });
    if (groupIndex(l.GRUPA.trimmed()) > 4 || !hasBalance || codeOf(l.GRUPA, true).isEmpty())
        return Refusal{EditTitle,
                       QStringLiteral("De aici puteti modifica numai impozitele!\r"
                                      "Pentru alte taxe si amenzi, folositi butonul \"Modificare taxa / amenda\"\r"
                                      "sau verificati daca ati trecut conturile la impozite !"),
                       {}};
    return std::nullopt;
}

std::optional<Refusal> ReceiptDocument::editLine(std::size_t index, const LineAmounts &typed)
{
    if (auto refusal = canEditLine(index))
        return refusal;
    ChitanteLine edited = lines_[index];
    edited.RESTANTA = typed.RESTANTA.truncLei();
    edited.MAJOREST = typed.MAJOREST.truncLei();
    edited.DEPOZIT = typed.DEPOZIT.truncLei();
    edited.CURENT = typed.CURENT.truncLei();
    edited.MAJOR = typed.MAJOR.truncLei();
    edited.REDUCERE = typed.REDUCERE.truncLei();
    const Currency sum = edited.partsTotal();
    if (sum != edited.TOTAL)
        return Refusal{EditTitle,
                       QStringLiteral("Suma totala incasata trebuie sa fie ") + lei(edited.TOTAL)
                           + QStringLiteral("!\rAcum aveti suma ") + lei(sum)
                           + QStringLiteral(". Mai studiati problema..."),
                       {}};

    const auto change = std::find_if(allocation_.soldCalc.begin(), allocation_.soldCalc.end(),
                                     [&](const SoldCalcChange &c) { return sameGroup(c.GRUPA, edited.GRUPA); });

    // The group's balance again from the values before the operation and every line
    // of the group as it now stands, signs kept: a credit moved out lowers the credit.
    std::vector<ChitanteLine> lines = lines_;
    lines[index] = edited;
    SoldCalcValues after = change->before;
    for (const ChitanteLine &l : lines) {
        if (!sameGroup(l.GRUPA, edited.GRUPA))
            continue;
        after.REST -= l.CURENT;
        after.DATOR -= l.RESTANTA;
        after.DEPOZ += l.DEPOZIT;
        after.MAJOR -= l.MAJOREST;
    }
    if (after.DEPOZ < Zero)
        return Refusal{EditTitle,
                       QStringLiteral("Plusul de la ") + edited.GRUPA.trimmed()
                           + QStringLiteral(" nu poate deveni negativ!"),
                       {}};
    lines_ = std::move(lines);
    change->after = after;
    return std::nullopt;
}

std::optional<Refusal> ReceiptDocument::checkOperare(const OperareFields &fields, const OperareContext &context) const
{
    const auto offered = entries();
    if (std::find(offered.begin(), offered.end(), fields.entry) == offered.end())
        throw std::invalid_argument("The kind list does not offer this entry for the document");

    const int year = fields.dinData.year();
    if (context.closedYear && *context.closedYear >= year)
        return Refusal{QStringLiteral("Memorare chitanta"),
                       QStringLiteral("Anul ") + QString::number(year)
                           + QStringLiteral(" este inchis!\rNu mai puteti lucra in el! Adios..."),
                       {}};
    if (fields.NR == 0 && fields.entry == offered.front())
        return Refusal{{}, QStringLiteral("Numar incorect!"), QStringLiteral("NumarC")};
    if (cleanSpaces(fields.payer).isEmpty())
        return Refusal{{}, QStringLiteral("Nu ati scris Platitorul!"), QStringLiteral("PlatitorE")};
    for (const ChitanteLine &l : lines_)
        if (l.CODCLAS.trimmed().isEmpty())
            return Refusal{QStringLiteral("Operare"),
                           QStringLiteral("Nu aveti Contul la ") + l.GRUPA.trimmed()
                               + QStringLiteral("!\rApasati pe butonul Coduri clasificare si adaugati-l!"),
                           {}};
    if (fields.entry == DocumentEntry::Chitanta && context.receiptOwner) {
        if (const auto role = context.receiptOwner(inputs_.userSeries, fields.NR))
            return Refusal{QStringLiteral("Verificare de dubluri"),
                           QStringLiteral("Mai exista chitanta aceasta la  ROL ") + role->trimmed()
                               + QStringLiteral(" !\rContactati Operatorul de ROL sau Administratorul sa va "
                                                "modifice numarul chitantei!"),
                           {}};
    }
    return std::nullopt;
}

ReceiptDocument::Finalized ReceiptDocument::finalize(const OperareFields &fields, const OperareContext &context) const
{
    Finalized f;
    if (auto refusal = checkOperare(fields, context)) {
        f.refusal = refusal;
        return f;
    }
    PaymentSavePlan &plan = f.plan;
    plan.kind = allocation_.kind;
    plan.DATAI = fields.dinData;
    plan.PLATNUME = cleanSpaces(fields.payer);
    plan.soldCalc = allocation_.soldCalc;
    plan.datorii = allocation_.datorii;
    plan.debit = allocation_.debit;
    plan.lines = lines_;

    if (fields.entry == DocumentEntry::Chitanta) {
        plan.TIP = QStringLiteral("C");
        plan.needsReceiptNumber = true;
        for (ChitanteLine &l : plan.lines) {
            l.DOCJUS = QStringLiteral("CHITANTA");
            l.SERIA = inputs_.userSeries;
            l.NR = 0; // taken from the user's counter when saving
        }
    } else if (isTransfer(fields.entry)) {
        plan.TIP = QStringLiteral("V");
        for (ChitanteLine &l : plan.lines) {
            l.DOCJUS = QStringLiteral("VIRAMENT");
            l.NR = fields.NR;
            l.SERIA = transferSeries(fields.entry, inputs_);
            l.TIP = plan.TIP;
        }
    } else {
        plan.TIP = kindLetter(allocation_.kind);
        for (ChitanteLine &l : plan.lines) {
            l.SERIA = NoteSeries;
            if (l.NR == 0)
                l.NR = fields.NR;
        }
    }
    if (allocation_.noPenalty)
        for (ChitanteLine &l : plan.lines)
            l.MAJOREST = l.MAJOR = Zero;
    std::stable_sort(plan.lines.begin(), plan.lines.end(), lessBySaveOrder);

    // Never save a document whose lines do not add up to what was operated.
    Currency total;
    bool balanced = true;
    for (const ChitanteLine &l : plan.lines) {
        balanced = balanced && l.partsTotal() == l.TOTAL;
        total += l.TOTAL;
    }
    if (!balanced || total != allocation_.entered) {
        f.refusal = Refusal{QStringLiteral("Memorare chitanta"),
                            QStringLiteral("Suma repartizata nu este egala cu suma operata!\rNu am operat nimic."),
                            {}};
        f.plan = PaymentSavePlan{};
        return f;
    }
    plan.printed = plan.TIP == u"C"
                   || (plan.TIP == u"V" && !plan.lines.empty() && plan.lines.front().SERIA == u"CARD BANCA");
    return f;
}

void PaymentSavePlan::assignReceiptNumber(qint64 NR)
{
    if (!needsReceiptNumber)
        throw std::logic_error("Only a cash receipt takes a receipt number");
    for (ChitanteLine &l : lines)
        l.NR = NR;
    numberAssigned_ = true;
}

qint64 PaymentSavePlan::number() const { return lines.empty() ? 0 : lines.front().NR; }

QString PaymentSavePlan::logText() const
{
    return QStringLiteral("Operat ") + (TIP == u"C" ? QStringLiteral("Chitanta") : TIP) + QStringLiteral(" nr.")
           + QString::number(number());
}

std::vector<ChitanteRow> PaymentSavePlan::chitanteRows(const ChitanteHeader &header) const
{
    if (needsReceiptNumber && !numberAssigned_)
        throw std::logic_error("The receipt number is taken before the lines are written");
    std::vector<ChitanteRow> rows;
    rows.reserve(lines.size());
    for (const ChitanteLine &l : lines) {
        ChitanteRow r;
        r.IDCHIT = header.IDCHIT;
        r.IDGOS = header.IDGOS;
        r.IDANUL = header.IDANUL;
        r.SERIA = l.SERIA;
        r.NR = l.NR;
        r.DATAI = DATAI;
        r.SATUL = header.SATUL;
        r.ROL = header.ROL;
        r.GRUPA = l.GRUPA;
        r.DENUM = l.DENUM;
        r.CODCLAS = l.CODCLAS;
        r.NUMEP = header.NUMEP;
        r.CNP = header.CNP;
        r.STRADA = header.STRADA;
        r.ADRESA = header.ADRESA;
        r.TIPF = header.TIPF;
        r.PLATNUME = PLATNUME;
        r.INCANUME = header.INCANUME;
        r.LEGITIMA = header.LEGITIMA;
        r.RESTANTA = l.RESTANTA;
        r.MAJOREST = l.MAJOREST;
        r.DEPOZIT = l.DEPOZIT;
        r.CURENT = l.CURENT;
        r.MAJOR = l.MAJOR;
        r.REDUCERE = l.REDUCERE;
        r.TOTAL = l.TOTAL;
        r.TIP = l.TIP;
        rows.push_back(r);
    }
    return rows;
}

} // namespace valdora::collections
