#!/usr/bin/env python3
"""Writes the RTF document templates of this folder.

    python3 make_templates.py [folder]

Each template holds the placeholders its document registers; the program fills
them (one placeholder whole on one line of the file). The offices edit the
written copies in their database folder, so a change made here reaches an
office only through a new file name or a restore of the template.
"""

import os
import sys

from rtfwriter import Doc

PROCEDURA = "Legea nr. 207/2015 privind Codul de procedură fiscală, cu modificările şi completările ulterioare"
COD_FISCAL = "Legea nr. 227/2015 privind Codul fiscal, cu modificările şi completările ulterioare"
# the same after "prevederilor", "în condiţiile"
PROCEDURII = "Legii" + PROCEDURA[len("Legea"):]
CODULUI = "Legii" + COD_FISCAL[len("Legea"):]
MAJORARI = ("Pentru sumele neachitate la termenele de plată se datorează, în continuare, accesorii (majorări de "
            "întârziere) de 1% pentru fiecare lună sau fracţiune de lună, calculate începând cu ziua imediat "
            "următoare termenului de scadenţă şi până la data stingerii sumei datorate, inclusiv, potrivit "
            "art. 183 din " + PROCEDURA + ".")


def authority(d, left, right=(), size=9):
    """The issuing office at the top left, its number and date at the top right."""
    d.boxes(["\n".join(left), "\n".join(right)], widths=[110, None], size=size, align="lr")


def signatures(d, cells, size=9, sb=True):
    if sb:
        d.gap(10)
    d.boxes(cells, size=size, align="c" * len(cells))


def numbered_rows(count, pattern, first_column=True):
    rows = []
    for i in range(1, count + 1):
        cells = [c.format(i=i) for c in pattern]
        rows.append(([str(i)] if first_column else []) + cells)
    return rows


# ---------------------------------------------------------------------------
def chitanta():
    d = Doc(size=8, margins=(10, 10, 12, 12))
    for copy in (1, 2):
        d.boxes(["**[JudC1]**\n**[LocC1]**\n[CuiC1]\nLocalitatea: **[LocCL1]**",
                 "**CHITANŢĂ**   Seria **[SeriaC1]**  nr. **[NrC1]**\nPENTRU CREANŢE ALE BUGETELOR LOCALE\n"
                 "Exemplarul %d" % copy],
                widths=[100, None], size=9, align="lr")
        d.p("ELEMENTE DE IDENTIFICARE", b=True, sa=20)
        d.table([38, 52, 46, None],
                [["CONTRIBUABIL: **[TipF1]**", "NR.DE ROL NOMINAL UNIC: **[ROLC1]**",
                  "Cod numeric personal:\n**[CNPC1]**", "Cod unic de înregistrare:\n**[CUI1]**"],
                 ["Nume şi prenume / Denumire:", "**[NumeT1]**", "Adresa:", "[AdresaT1]"]],
                size=8)
        d.table([30, None], [["PLĂTITOR:", "**[Platitor1]**"]], size=8)
        d.p("SUMELE ÎNCASATE  – lei –", align="r", b=True, sa=20)
        rows = [["DENUMIREA CREANŢEI", "CODUL\ndin clasificaţia bugetară", "Curente", "Restante", "Majorări",
                 "Bonificaţie", "TOTAL"]]
        for i in range(1, 9):
            rows.append(["[i1%d]" % i, "[C1%d]" % i, "[Cur1%d]" % i, "[Res1%d]" % i, "[Dob1%d]" % i,
                         "[Bon1%d]" % i, "[Tot1%d]" % i])
        rows.append(["TOTAL", "", "[TCur1]", "[TRes1]", "[TDob1]", "[TBon1]", "[TTot1]"])
        d.table([None, 34, 17, 17, 17, 17, 19], rows, size=8, align="llrrrrr", header=1, bold_rows=(9,))
        d.boxes(["DATA ÎNCASĂRII : **[DataInc1]**",
                 "LEGITIMAŢIA **[Leg1]**\nA ÎNCASATORULUI  ==>  **[IncA1]**", "SEMNĂTURA,\n\n"],
                widths=[50, 80, None], size=8, align="llc")
        d.p("~~Datele dvs. personale sunt prelucrate conform Regulamentului European UE 679/2016.~~", size=7,
            align="c", sa=0)
        if copy == 1:
            d.p("- " * 70, align="c", size=7, sb=120, sa=160)
    return d


# ---------------------------------------------------------------------------
def certificat(juridica):
    d = Doc(size=9, margins=(12, 12, 18, 13))
    authority(d, ["ROMÂNIA", "JUDEŢUL **[Judet]**", "**[Primaria]**", "Cod de identificare fiscală: [CUI]",
                  "Compartimentul de specialitate – impozite şi taxe locale"],
              ["Nr. **[CERTNR]** din **[CERTDATA]**", "", "Ca urmare a cererii", "nr. [CERENR] din [CEREDATA]"])
    d.p("CERTIFICAT DE ATESTARE FISCALĂ", align="c", size=13, b=True, sb=120, sa=0)
    d.p("pentru %s, privind impozitele şi taxele locale şi alte venituri ale bugetului local"
        % ("persoane juridice" if juridica else "persoane fizice"), align="c", sa=160)
    if juridica:
        d.p("În temeiul prevederilor %s, se certifică faptul că [DL] **[NUMEP]**, cod de identificare fiscală "
            "**[CNP]**, cu sediul în [Adresa], reprezentată prin delegat legitimat cu [CITIP] seria [CISERIA] "
            "nr. [CINR], figurează înscrisă în evidenţele fiscale ale [Primaria], [Comuna], cu rolul nominal unic "
            "nr. **[ROL]**, având în proprietate următoarele bunuri impozabile, situate în [SupPoz]:" % PROCEDURII,
            align="j", sa=80)
    else:
        d.p("În temeiul prevederilor %s, se certifică faptul că [DL] **[NUMEP]**, cod numeric personal "
            "**[CNP]**, legitimat(ă) cu [CITIP] seria [CISERIA] nr. [CINR], cu domiciliul în [Adresa], figurează "
            "înscris(ă) în evidenţele fiscale ale [Primaria], [Comuna], cu rolul nominal unic nr. **[ROL]**, având "
            "în proprietate următoarele bunuri impozabile, situate în [SupPoz]:" % PROCEDURII,
            align="j", sa=80)
    d.p("**I. Clădiri:** [Sup]", align="j", sa=60)
    d.p("**II. Terenuri:** [Cap2B]", align="j", sa=60)
    d.p("**III. Mijloace de transport:** [Auto]", align="j", sa=100)
    d.p("**IV. Obligaţii de plată** către bugetul local, datorate şi neachitate la data eliberării "
        "prezentului certificat (lei):", align="j", sa=40)
    rows = [["Nr. crt.", "Denumirea impozitului / taxei", "Curente", "Rămăşiţe", "Majorări de întârziere",
             "Total"]]
    rows += numbered_rows(15, [".Den{i}.", ".C{i}.", ".R{i}.", ".M{i}.", ".T{i}."])
    rows.append(["", "TOTAL", "", "", "", "[TOTAL]"])
    d.table([11, None, 22, 22, 24, 24], rows, size=8, align="clrrrr", header=1, bold_rows=(16,))
    d.p("Prezentul certificat de atestare fiscală serveşte la: **[Serveste]**.", align="j", sa=40)
    d.p("Taxa pentru eliberarea certificatului, în sumă de [TAXA] lei, a fost achitată cu chitanţa "
        "nr. [CHITNR] din [CHITDATA].", align="j", sa=40)
    d.p("Certificatul de atestare fiscală atestă obligaţiile de plată existente în evidenţa fiscală a "
        "organului fiscal local la data eliberării.", align="j", sa=0)
    signatures(d, ["PRIMAR,\n**[Primar]**\n\nL.S.", "Întocmit,\n**[Utilizator]**"])
    return d


# ---------------------------------------------------------------------------
def titlu_header(d):
    authority(d, ["ROMÂNIA", "JUDEŢUL **[JUDET]**", "Unitatea administrativ-teritorială **[COMUNA]**",
                  "Cod de identificare fiscală: [CUI]", "Compartimentul de specialitate – impozite şi taxe locale"],
              ["Nr. **[NR]** din **[DATA]**"])


def debitor(d):
    d.table([45, None], [["Debitor:", "**[NUMEP]**"],
                         ["Cod numeric personal / CIF:", "[CNP]"],
                         ["Domiciliul fiscal:", "[Sat], [Adresa]"],
                         ["Rol nominal unic:", "[ROL]"]], border=False, size=9, pad=0.5)


def titlu():
    d = Doc(size=9, margins=(12, 12, 15, 13))
    # page 1: the somation
    titlu_header(d)
    d.p("SOMAŢIE", align="c", size=14, b=True, sb=160, sa=0)
    d.p("nr. [NR] din [DATA]", align="c", sa=120)
    debitor(d)
    d.p("În temeiul art. 230 din %s, vă somăm ca, în termen de **15 zile** de la primirea prezentei somaţii, "
        "să achitaţi obligaţiile fiscale înscrise în titlul executoriu nr. [NR] din [DATA], anexat, emis de "
        "organul fiscal local al unităţii administrativ-teritoriale [Comuna], în sumă totală de **[TT] lei**, "
        "reprezentând:" % PROCEDURA, align="j", sb=80, sa=60)
    rows = [["Nr. crt.", "Denumirea creanţei fiscale", "Rămăşiţe", "Debit curent", "Accesorii", "Total (lei)"]]
    rows += numbered_rows(12, ["[No{i}]", "[Rm{i}]", "[Dc{i}]", "[Ac{i}]", "[To{i}]"])
    rows.append(["", "TOTAL", "[TR]", "[TC]", "[TA]", "[TT]"])
    d.table([11, None, 23, 23, 23, 25], rows, size=8, align="clrrrr", header=1, bold_rows=(13,))
    d.p(MAJORARI, align="j", sa=60)
    d.p("Dacă în termenul de 15 zile nu veţi achita sumele datorate, se va proceda la continuarea măsurilor "
        "de executare silită asupra veniturilor, disponibilităţilor băneşti şi bunurilor dumneavoastră, "
        "potrivit legii. Cheltuielile de executare silită sunt în sarcina debitorului.", align="j", sa=60)
    d.p("Plata se poate face la casieria organului fiscal local sau prin virament în conturile bugetare "
        "înscrise în titlul executoriu anexat.", align="j", sa=0)
    signatures(d, ["Conducătorul organului fiscal local,\n**[Contabil]**\n\nL.S.", "Întocmit,\n**[INTOCMIT]**"])
    d.gap(8)
    d.p("Am primit somaţia şi titlul executoriu:  data ................................   "
        "semnătura debitorului ................................", size=8, sa=0)
    d.page()
    # page 2: the enforcement title
    titlu_header(d)
    d.p("TITLU EXECUTORIU", align="c", size=14, b=True, sb=160, sa=0)
    d.p("nr. [NR] din [DATA]", align="c", sa=120)
    d.p("În temeiul art. 226 din %s, se emite prezentul titlu executoriu împotriva debitorului:" % PROCEDURA,
        align="j", sa=40)
    debitor(d)
    d.p("pentru următoarele obligaţii fiscale datorate bugetului local al unităţii administrativ-teritoriale "
        "[Comuna], ajunse la scadenţă şi neachitate:", align="j", sb=40, sa=60)
    rows = [["Nr. crt.", "Denumirea creanţei fiscale", "Documentul prin care s-a stabilit creanţa",
             "Debit", "Accesorii", "Total", "Cont bugetar (IBAN)"]]
    rows += numbered_rows(20, ["[Na{i}]", "[Nat{i}]", "[D{i}]", "[A{i}]", "[T{i}]", "[Ib{i}]"])
    rows.append(["", "TOTAL", "", "[TD]", "[TA]", "[TT]", ""])
    d.table([9, None, 36, 16, 16, 17, 44], rows, size=7, align="cllrrrl", header=1, bold_rows=(21,))
    d.p(MAJORARI, align="j", sa=60)
    d.p("Debitorul are obligaţia să achite sumele de mai sus în termen de 15 zile de la comunicarea somaţiei. "
        "Prezentul titlu executoriu constituie temei pentru executarea silită a debitorului. Împotriva "
        "titlului executoriu şi a executării silite cel interesat poate face contestaţie la executare, la "
        "instanţa judecătorească competentă, în condiţiile legii.", align="j", sa=0)
    signatures(d, ["Conducătorul organului fiscal local,\n**[Contabil]**\n\nL.S.", "Întocmit,\n**[INTOCMIT]**"])
    return d


# ---------------------------------------------------------------------------
def poprire(banca):
    d = Doc(size=9, margins=(12, 12, 15, 13))
    authority(d, ["ROMÂNIA", "JUDEŢUL **[JUDET]**", "Unitatea administrativ-teritorială **[COMUNA]**",
                  "Cod de identificare fiscală: [CUI]", "Compartimentul de specialitate – impozite şi taxe locale"],
              ["Nr. ................ din ................"])
    d.table([30, None], [["Către:", "**[NumeTert]**"], ["Sediul:", "[SediuTert]"]], border=False, size=9,
            pad=0.5)
    d.p("ADRESĂ DE ÎNFIINŢARE A POPRIRII", align="c", size=13, b=True, sb=120, sa=0)
    d.p("asupra disponibilităţilor băneşti" if banca else "asupra veniturilor debitorului", align="c", b=True,
        sa=120)
    if banca:
        what = ("asupra disponibilităţilor băneşti, în lei şi în valută, existente şi viitoare, din conturile "
                "deschise la unitatea dumneavoastră de debitorul")
    else:
        what = ("asupra veniturilor băneşti pe care le datoraţi, în calitate de angajator sau plătitor de "
                "venituri, debitorului")
    d.p("În temeiul art. 236 din %s, vă comunicăm că s-a înfiinţat poprirea %s **[NUMEP]**, cod numeric "
        "personal / CIF [CNP], cu domiciliul fiscal în [Sat], [Adresa], rol nominal unic [ROL], până la "
        "concurenţa sumei de **[TT] lei**, reprezentând obligaţii fiscale înscrise în titlul executoriu "
        "nr. **[NR]** din [DATA], după cum urmează:" % (PROCEDURA, what), align="j", sa=60)
    rows = [["Nr. crt.", "Denumirea creanţei fiscale", "Documentul prin care s-a stabilit creanţa",
             "Debit", "Accesorii", "Total", "Cont bugetar (IBAN)"]]
    rows += numbered_rows(20, ["[Na{i}]", "[Nat{i}]", "[D{i}]", "[A{i}]", "[T{i}]", "[Ib{i}]"])
    rows.append(["", "TOTAL", "", "[TD]", "[TA]", "[TT]", ""])
    d.table([9, None, 36, 16, 16, 17, 44], rows, size=7, align="cllrrrl", header=1, bold_rows=(21,))
    d.p(MAJORARI, align="j", sa=60)
    if banca:
        d.p("Potrivit legii, vă revine obligaţia ca, de la data primirii prezentei, să indisponibilizaţi sumele "
            "existente şi cele viitoare provenite din încasările zilnice în conturile debitorului, până la "
            "concurenţa sumei înscrise mai sus, şi să le viraţi în conturile bugetare indicate, cu menţionarea "
            "numărului titlului executoriu. Terţul poprit care nu respectă obligaţiile ce îi revin răspunde "
            "solidar cu debitorul, în condiţiile legii.", align="j", sa=0)
    else:
        d.p("Potrivit legii, vă revine obligaţia ca, de la data primirii prezentei, să reţineţi din veniturile "
            "cuvenite debitorului sumele datorate, în limitele prevăzute de lege, şi să le viraţi lunar în "
            "conturile bugetare indicate, cu menţionarea numărului titlului executoriu, până la stingerea "
            "integrală a obligaţiilor. Terţul poprit care nu respectă obligaţiile ce îi revin răspunde solidar "
            "cu debitorul, în condiţiile legii.", align="j", sa=0)
    signatures(d, ["Primar,\n**[PRIMAR]**\n\nL.S.", "Conducătorul compartimentului de specialitate,\n**[Contabil]**",
                   "Întocmit,\n**[INTOCMIT]**"])
    d.page()
    # the notice to the debtor
    authority(d, ["ROMÂNIA", "JUDEŢUL **[JUDET]**", "Unitatea administrativ-teritorială **[COMUNA]**",
                  "Cod de identificare fiscală: [CUI]", "Compartimentul de specialitate – impozite şi taxe locale"],
              ["Nr. ................ din [Data]"])
    d.p("COMUNICARE", align="c", size=13, b=True, sb=160, sa=0)
    d.p("privind înfiinţarea popririi", align="c", b=True, sa=120)
    debitor(d)
    if banca:
        what = "asupra disponibilităţilor băneşti din conturile dumneavoastră deschise la"
    else:
        what = "asupra veniturilor băneşti care vă sunt datorate de"
    d.p("În temeiul art. 236 din %s, vă aducem la cunoştinţă că, pe baza titlului executoriu nr. [NRT], s-a "
        "înfiinţat poprirea %s **[NumeTert]**, [SediuTert], pentru stingerea următoarelor obligaţii fiscale "
        "datorate bugetului local al unităţii administrativ-teritoriale [Comuna]:" % (PROCEDURA, what),
        align="j", sb=80, sa=60)
    rows = [["Nr. crt.", "Denumirea creanţei fiscale", "Titlul executoriu (nr./data)", "Suma (lei)",
             "Cont bugetar (IBAN)"]]
    rows += numbered_rows(15, ["[Gr{i}]", "[Tnrd{i}]", "[Csd{i}]", "[Contv{i}]"])
    rows.append(["", "TOTAL", "", "[TT]", ""])
    d.table([9, None, 36, 22, 50], rows, size=8, align="cllrl", header=1, bold_rows=(16,))
    d.p(MAJORARI, align="j", sa=60)
    d.p("Poprirea se ridică după stingerea integrală a obligaţiilor fiscale înscrise în titlul executoriu. "
        "Plata se poate face la casieria organului fiscal local sau prin virament în conturile bugetare de "
        "mai sus.", align="j", sa=0)
    signatures(d, ["Conducătorul organului fiscal local,\n**[Contabil]**\n\nL.S.", "Întocmit,\n**[INTOCMIT]**"])
    return d


# ---------------------------------------------------------------------------
def sistare():
    d = Doc(size=10, margins=(15, 15, 20, 15))
    authority(d, ["ROMÂNIA", "JUDEŢUL **[Judet]**", "**[Primaria]**", "Cod de identificare fiscală: [CUI]",
                  "Compartimentul de specialitate – impozite şi taxe locale"],
              ["Nr. ................ din [AZI]"], size=10)
    d.p("DECIZIE", align="c", size=14, b=True, sb=400, sa=0)
    d.p("privind sistarea urmăririi şi ridicarea măsurilor de executare silită", align="c", b=True, sa=300)
    d.p("Având în vedere că debitorul **[NUMEP]**, cod numeric personal / CIF [CNP], cu domiciliul fiscal în "
        "[Sat], [Adresa], înregistrat în evidenţele fiscale ale [Primaria] cu rolul nominal unic nr. [ROL], "
        "şi-a achitat obligaţiile fiscale pentru care s-a început executarea silită,", align="j", fi=10, sa=120)
    d.p("în temeiul prevederilor %s, referitoare la încetarea executării silite şi la ridicarea măsurilor "
        "de executare," % PROCEDURII, align="j", fi=10, sa=200)
    d.p("se dispune:", align="c", b=True, sa=200)
    d.p("**Art. 1.** Se sistează urmărirea debitorului **[NUMEP]** pentru obligaţiile fiscale datorate bugetului "
        "local al unităţii administrativ-teritoriale [Comuna].", align="j", fi=10, sa=120)
    d.p("**Art. 2.** Se ridică măsurile de executare silită dispuse, inclusiv popririle înfiinţate asupra "
        "disponibilităţilor băneşti şi asupra veniturilor debitorului; terţii popriţi încetează reţinerile "
        "şi viramentele de la data primirii prezentei.", align="j", fi=10, sa=120)
    d.p("**Art. 3.** Prezenta decizie se comunică debitorului şi, după caz, terţilor popriţi.", align="j",
        fi=10, sa=0)
    signatures(d, ["PRIMAR,\n**[Primar]**\n\nL.S.", "Conducătorul compartimentului de specialitate,\n**[Contabil]**",
                   "Întocmit,\n**[Intocmit]**"], size=10)
    return d


# ---------------------------------------------------------------------------
def angajament():
    d = Doc(size=9, margins=(10, 10, 18, 15))
    for copy in (1, 2):
        authority(d, ["ROMÂNIA", "JUDEŢUL **[Judet]**", "**[Primaria]**", "Cod de identificare fiscală: [CUI]"],
                  ["Nr. ................ din [AZI]", "", "Exemplarul %d" % copy])
        d.p("ANGAJAMENT DE PLATĂ", align="c", size=13, b=True, sb=120, sa=120)
        d.p("Subsemnatul(a) / Contribuabilul **[NUMEP]**, cod numeric personal / CIF [CNP], cu domiciliul "
            "fiscal în [Sat], [Adresa], înregistrat(ă) în evidenţele fiscale ale [Primaria] cu rolul nominal "
            "unic nr. [ROL], mă angajez să achit obligaţiile fiscale restante datorate bugetului local al "
            "unităţii administrativ-teritoriale [Comuna], în sumă totală de **[TOTAL] lei**, astfel:",
            align="j", fi=10, sa=80)
        d.table([None, 45, 45], [["Tranşa", "Suma (lei)", "Termen de plată"],
                                 ["1", "", ""], ["2", "", ""], ["3", "", ""]], size=9, align="ccc", header=1,
                height=5.5)
        d.p("Am luat la cunoştinţă că pentru sumele achitate după termenul de scadenţă se datorează majorări "
            "de întârziere de 1%% pentru fiecare lună sau fracţiune de lună, potrivit art. 183 din %s, şi că "
            "nerespectarea prezentului angajament atrage continuarea executării silite, în condiţiile legii."
            % PROCEDURA, align="j", fi=10, sa=0)
        signatures(d, ["Data: [AZI]\n\nContribuabil,\n.................................",
                       "Am primit,\nreprezentantul organului fiscal local\n................................."])
        if copy == 1:
            d.p("- " * 70, align="c", size=7, sb=200, sa=200)
    return d


# ---------------------------------------------------------------------------
def aviz():
    d = Doc(size=10, margins=(15, 15, 20, 15))
    authority(d, ["ROMÂNIA", "JUDEŢUL **[Judet]**", "**[Uat]**", "Cod de identificare fiscală: [CUI]",
                  "Compartimentul de specialitate – impozite şi taxe locale"],
              ["Nr. ................ din ................"], size=10)
    d.table([35, None], [["Către:", "**[NUMEP]**"], ["CNP / CIF:", "[CNP]"],
                         ["Domiciliul fiscal:", "[Sat], [Adresa], [Comuna]"]], border=False, size=10, pad=0.5)
    d.p("AVIZ DE INSPECŢIE FISCALĂ", align="c", size=14, b=True, sb=300, sa=300)
    d.p("În temeiul art. 122 din %s, vă înştiinţăm că organul fiscal local al unităţii "
        "administrativ-teritoriale [Uat] va efectua o inspecţie fiscală privind impozitele şi taxele locale "
        "datorate de dumneavoastră." % PROCEDURA, align="j", fi=10, sa=120)
    d.table([75, None], [
        ["Data începerii inspecţiei fiscale:", ""],
        ["Perioada supusă inspecţiei fiscale:", ""],
        ["Obligaţiile fiscale supuse inspecţiei:",
         "impozitul / taxa pe clădiri, impozitul / taxa pe teren, impozitul pe mijloacele de transport, alte "
         "taxe locale"],
        ["Locul desfăşurării inspecţiei:", ""],
    ], size=10, height=8)
    d.p("Aveţi dreptul să solicitaţi, pentru motive justificate, amânarea datei de începere a inspecţiei "
        "fiscale, în condiţiile legii. Vă rugăm să puneţi la dispoziţia echipei de inspecţie documentele "
        "privind bunurile impozabile deţinute (acte de proprietate, autorizaţii de construire, procese-verbale "
        "de recepţie, rapoarte de evaluare, documente privind mijloacele de transport) şi orice alte "
        "informaţii necesare stabilirii situaţiei fiscale.", align="j", fi=10, sb=120, sa=0)
    signatures(d, ["Conducătorul organului fiscal local,\n\n.................................\n\nL.S.",
                   "Întocmit,\n\n................................."], size=10)
    return d


# ---------------------------------------------------------------------------
def confirmare():
    d = Doc(size=10, margins=(15, 15, 20, 15))
    d.p("MODEL 2006 ITL - 025", align="r", size=8, sa=60)
    authority(d, ["ROMÂNIA", "JUDEŢUL [JUDET]", "**[LOCALITATEA]**", "Cod de identificare fiscală: [CF]",
                  "Compartimentul de specialitate – impozite şi taxe locale"],
              ["Nr. **[NRCONF]** din **[DATACONF]**"], size=10)
    d.table([30, None], [["Către:", "**[NUMEDEST]**"], ["Localitatea:", "[LOCDEST]"], ["Adresa:", "[AdrDest]"]],
            border=False, size=10, pad=0.5)
    d.p("CONFIRMARE DE PRIMIRE A DEBITELOR", align="c", size=13, b=True, sb=300, sa=300)
    d.p("Prin prezenta vă confirmăm primirea adresei dumneavoastră nr. **[AdrNr]** din **[AdrData]**, "
        "însoţită de borderoul de debite nr. **[BordNr]** din **[BorData]**, prin care ne-aţi transmis spre "
        "încasare debitul datorat de următorul debitor:", align="j", fi=10, sa=120)
    d.table([55, None], [
        ["Numele şi prenumele / Denumirea:", "**[NUMEP]**"],
        ["Localitatea:", "[SATUL]"],
        ["Adresa:", "[Adresa]"],
        ["Rol nominal unic:", "[ROL]"],
        ["Natura debitului:", "[NatCL]"],
        ["Cod de clasificaţie bugetară:", "[CODCL]"],
        ["Suma (lei):", "**[SUMA]**"],
    ], size=10, height=6.5)
    d.p("Debitul în sumă de **[SUMA] lei** (adică [sumatext] lei) a fost preluat în evidenţa fiscală a "
        "unităţii administrativ-teritoriale [LOCALITATEA] şi va fi urmărit în vederea încasării, în condiţiile %s."
        % PROCEDURII, align="j",
        fi=10, sb=160, sa=0)
    signatures(d, ["Conducătorul compartimentului de specialitate,\n\n.................................\n\nL.S.",
                   "Întocmit,\n\n................................."], size=10)
    return d


# ---------------------------------------------------------------------------
def decizie(juridica):
    slots = 12 if juridica else 30
    size = 8 if not juridica else 9
    d = Doc(size=size, margins=(10, 10, 15, 12))
    authority(d, ["ROMÂNIA", "JUDEŢUL **[JUDET]**", "**[Comuna]**", "Cod de identificare fiscală: [CUI]",
                  "Adresa: [AdresaP]"],
              ["Nr. **[NrAct]** din **[Data]**"], size=8)
    d.p("DECIZIE DE IMPUNERE", align="c", size=13, b=True, sb=60, sa=0)
    d.p("pentru stabilirea impozitelor şi taxelor locale datorate de %s pentru anul **[ANUL]**"
        % ("persoanele juridice" if juridica else "persoanele fizice"), align="c", b=True, sa=80)
    d.p("În temeiul prevederilor %s, Titlul IX „Impozite şi taxe locale”, şi ale %s, organul fiscal local "
        "al unităţii administrativ-teritoriale [COMUNA] a stabilit următoarele obligaţii de plată pentru:"
        % (CODULUI, PROCEDURII), align="j", sa=40)
    d.table([40, None, 30, 25], [
        ["Contribuabil:" if not juridica else "Denumire:", "**[NUMEP]**",
         "Cod numeric personal:" if not juridica else "Cod de identificare fiscală:", "[CNP]"],
        ["Domiciliul fiscal:" if not juridica else "Sediul:", "[SATUL], [Adresa]", "Rol nominal unic:", "[ROL]"],
        ["Scutire / reducere acordată:", "[SCUT] %", "Total de plată (lei):", "**[TOT]**"],
    ], border=False, size=size, pad=0.4)
    rows = [["Nr. crt.", "Denumirea impozitului / taxei", "Suma (lei)", "Termen de plată",
             "Cont bugetar (IBAN)"]]
    rows += numbered_rows(slots, ["[Cat{i}]", "[S{i}]", "[T{i}]", "[C{i}]"])
    rows.append(["", "TOTAL", "[TOT]", "", ""])
    d.table([9, None, 18, 20, 48], rows, size=size, align="clrcl", header=1, bold_rows=(slots + 1,), pad=0.6)
    d.p("Impozitele pe clădiri, pe teren şi pe mijloacele de transport se plătesc anual, în două rate egale, "
        "până la 31 martie şi 30 septembrie inclusiv; impozitul anual de până la 50 lei inclusiv se plăteşte "
        "integral până la primul termen de plată. Pentru plata cu anticipaţie, până la 31 martie, a "
        "impozitului datorat pentru întregul an se acordă bonificaţia stabilită prin hotărârea consiliului "
        "local.", align="j", sa=30)
    d.p("Pentru sumele neachitate la termenele de plată înscrise mai sus se datorează majorări de întârziere "
        "de 1% pentru fiecare lună sau fracţiune de lună, calculate începând cu ziua imediat următoare "
        "termenului de scadenţă şi până la data stingerii sumei datorate, inclusiv.", align="j", sa=30)
    d.p("Împotriva prezentei decizii se poate formula contestaţie, în termen de 45 de zile de la comunicare, "
        "la organul fiscal local emitent, potrivit art. 268 şi art. 270 din Legea nr. 207/2015.", align="j",
        sa=0)
    signatures(d, ["Conducătorul organului fiscal local,\n**[Contabil]**\n\nL.S.",
                   "Am primit un exemplar,\ncontribuabil / reprezentant\n................................."],
               size=size, sb=False)
    return d


# ---------------------------------------------------------------------------
def vehicul_antet(d):
    authority(d, ["ROMÂNIA", "JUDEŢUL **[Judet]**", "**[Uat]**", "Cod de identificare fiscală: [CUI]",
                  "Compartimentul de specialitate – impozite şi taxe locale"],
              ["Nr. **[NR]** din **[DATA]**", "Dosar fiscal nr. [NRDOS]"], size=9)


def vehicul_rows(intrare):
    rows = [["Marca:", "**[MARCA]**"],
            ["Combustibil:", "[COMBUS]"],
            ["Serie caroserie (şasiu):", "[SERIE]"],
            ["Serie motor:", "[SERIEM]"]]
    if intrare:
        rows.append(["Anul fabricaţiei:", "[ANULF]"])
    rows += [["Capacitate cilindrică (cmc):", "[CAPACIT]"],
             ["Masa totală maximă autorizată (t):", "[TONAJ]"],
             ["Data dobândirii:", "[DATADOB]"]]
    if intrare:
        rows.append(["Actul de dobândire:", "[ActD] nr. [NRACTD]"])
    return rows


def pv_intrare():
    d = Doc(size=10, margins=(15, 15, 20, 15))
    vehicul_antet(d)
    d.p("PROCES-VERBAL", align="c", size=14, b=True, sb=300, sa=0)
    d.p("de luare în evidenţă a mijlocului de transport", align="c", b=True, sa=240)
    d.p("Încheiat astăzi, [DATA], la sediul organului fiscal local al unităţii administrativ-teritoriale [Uat], "
        "localitatea [Localitatea], "
        "judeţul [Judet], cu ocazia luării în evidenţă a mijlocului de transport declarat de contribuabilul "
        "**[NUMEP]**, cod numeric personal / CIF [CNP], cu domiciliul fiscal în [Satul], [Adresa], înregistrat "
        "cu rolul nominal unic nr. [ROL].", align="j", fi=10, sa=120)
    d.p("Potrivit art. 471 din %s, persoana care dobândeşte un mijloc de transport are obligaţia să îl "
        "declare organului fiscal local în a cărui rază teritorială îşi are domiciliul, sediul sau punctul de "
        "lucru, în termen de 30 de zile de la data dobândirii." % COD_FISCAL, align="j", fi=10, sa=120)
    d.p("Datele mijlocului de transport:", b=True, sa=60)
    d.table([75, None], vehicul_rows(True), size=10, height=6.5)
    d.p("Impozitul pe mijlocul de transport se datorează începând cu data de 1 ianuarie a anului următor "
        "celui în care a fost dobândit. Prezentul proces-verbal s-a încheiat în două exemplare, dintre care "
        "unul se înmânează contribuabilului.", align="j", fi=10, sb=160, sa=0)
    signatures(d, ["Contribuabil,\n**[NUMEP]**\n\n.................................",
                   "Reprezentantul organului fiscal local,\n\n\n................................."], size=10)
    return d


def iesire_rows():
    return [["Data înstrăinării / radierii:", "**[DATAINSTR]**"],
            ["Actul de înstrăinare:", "[ActV] nr. [NRACTV]"],
            ["Certificat de radiere:", "nr. [CERTRAD] din [CERTRADD]"],
            ["Noul proprietar:", "**[NUMENOU]**"],
            ["Domiciliul / sediul noului proprietar:", "judeţul [JudNou], localitatea [LocNou], [AdrNou]"]]


def pv_iesire():
    d = Doc(size=10, margins=(15, 15, 20, 15))
    vehicul_antet(d)
    d.p("PROCES-VERBAL", align="c", size=14, b=True, sb=240, sa=0)
    d.p("de scoatere din evidenţă a mijlocului de transport", align="c", b=True, sa=200)
    d.p("Încheiat astăzi, [DATA], la sediul organului fiscal local al unităţii administrativ-teritoriale [Uat], "
        "localitatea [Localitatea], "
        "judeţul [Judet], cu ocazia scoaterii din evidenţă a mijlocului de transport aparţinând "
        "contribuabilului **[NUMEP]**, cod numeric personal / CIF [CNP], cu domiciliul fiscal în [Satul], "
        "[Adresa], înregistrat cu rolul nominal unic nr. [ROL].", align="j", fi=10, sa=120)
    d.p("Datele mijlocului de transport:", b=True, sa=60)
    d.table([75, None], vehicul_rows(False), size=10, height=6)
    d.p("Datele înstrăinării:", b=True, sb=120, sa=60)
    d.table([75, None], iesire_rows(), size=10, height=6)
    d.p("Potrivit art. 471 din %s, în cazul înstrăinării sau radierii mijlocului de transport impozitul "
        "încetează să se datoreze începând cu data de 1 ianuarie a anului următor. Prezentul proces-verbal "
        "s-a încheiat în două exemplare, dintre care unul se înmânează contribuabilului." % COD_FISCAL,
        align="j", fi=10, sb=160, sa=0)
    signatures(d, ["Contribuabil,\n**[NUMEP]**\n\n.................................",
                   "Reprezentantul organului fiscal local,\n\n\n................................."], size=10)
    return d


def itl016():
    d = Doc(size=10, margins=(15, 15, 20, 15))
    # The document is filled from its first line holding "ROM": nothing above it may hold a placeholder.
    d.boxes(["ROMÂNIA\nJUDEŢUL [JUDET]\n**[UAT]**\nCod de identificare fiscală: [CUI]",
             "Model ITL 016\n\nNr. de înregistrare ................\ndin [DATA]"], widths=[110, None], size=9,
            align="lr")
    d.p("DECLARAŢIE FISCALĂ", align="c", size=14, b=True, sb=240, sa=0)
    d.p("pentru scoaterea din evidenţă a mijloacelor de transport", align="c", b=True, sa=200)
    d.p("Subsemnatul(a) / Contribuabilul **[NUMEP]**, cod numeric personal / CIF [CNP], cu domiciliul fiscal în "
        "localitatea [SATUL], [ADRESA], rol nominal unic nr. [ROL], dosar fiscal nr. [NRDOS], declar că "
        "mijlocul de transport descris mai jos a ieşit din proprietatea mea şi solicit scoaterea lui, cu "
        "procesul-verbal nr. [NR], din evidenţa fiscală a unităţii administrativ-teritoriale [UAT], "
        "localitatea [LOCALITATEA].",
        align="j", fi=10, sa=120)
    rows = [["Marca:", "**[MARCA]**"], ["Combustibil:", "[COMBUS]"], ["Serie caroserie (şasiu):", "[SERIE]"],
            ["Serie motor:", "[SERIEM]"], ["Capacitate cilindrică (cmc):", "[CAPACIT]"],
            ["Masa totală maximă autorizată (t):", "[TONAJ]"], ["Data dobândirii:", "[DATADOB]"],
            ["Data înstrăinării / radierii:", "**[DATAINSTR]**"], ["Actul de înstrăinare:", "[ACTV] nr. [NRACTV]"],
            ["Certificat de radiere:", "nr. [CERTRAD] din [CERTRADD]"], ["Noul proprietar:", "**[NUMENOU]**"],
            ["Domiciliul / sediul noului proprietar:", "judeţul [JUDNOU], localitatea [LOCNOU], [ADRNOU]"]]
    d.table([75, None], rows, size=10, height=6)
    d.p("Anexez copii ale actului de înstrăinare şi, după caz, ale certificatului de radiere.", align="j",
        fi=10, sb=120, sa=60)
    d.p("Sub sancţiunile aplicate faptei de fals în declaraţii, certific că datele înscrise în acest formular "
        "sunt corecte şi complete.", align="j", fi=10, sa=0)
    signatures(d, ["Data: [DATA]\n\nSemnătura contribuabilului / reprezentantului\n"
                   ".................................",
                   "Am primit,\nreprezentantul organului fiscal local\n\n................................."],
               size=10)
    return d


TEMPLATES = {
    "Chitanta.rtf": chitanta,
    "CFiscal4.rtf": lambda: certificat(False),
    "CFiscalPJ.rtf": lambda: certificat(True),
    "Titlu.rtf": titlu,
    "PopBanca2.rtf": lambda: poprire(True),
    "PopAngaj2.rtf": lambda: poprire(False),
    "Sistare.rtf": sistare,
    "Angajament.rtf": angajament,
    "Aviz.rtf": aviz,
    "ConfirmareD.rtf": confirmare,
    "DeclImpPF.rtf": lambda: decizie(False),
    "DeclImpPJ.rtf": lambda: decizie(True),
    "PVAutoIn.rtf": pv_intrare,
    "PVAutoOut.rtf": pv_iesire,
    "ITL016.rtf": itl016,
}


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, make in TEMPLATES.items():
        make().save(os.path.join(folder, name))
        print(name)


if __name__ == "__main__":
    main()
