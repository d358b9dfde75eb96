#!/usr/bin/env python3
"""Writes the law-text notes of this folder (COD2016, ANAF, L239): an RTF source
each, then the PDF made from it by LibreOffice.

    python3 make_law_texts.py

The official texts are not carried: each note names the act, its official
publication and where its consolidated text is published. An office that saves
the official PDF in its database folder as COD2016.pdf, ANAF.pdf or L239.pdf
sees that file instead of the note.
"""

import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "rtf"))

from rtfwriter import Doc  # noqa: E402

PORTAL = ("Textul consolidat (forma la zi, cu toate modificările şi completările) este publicat pe Portalul "
          "legislativ al Ministerului Justiţiei, **legislatie.just.ro**, unde se caută după tipul, numărul şi "
          "anul actului. Textul publicat iniţial poate fi consultat în colecţia Monitorului Oficial al "
          "României, **www.monitoruloficial.ro**.")


def note(title, subtitle, facts, body, file_name):
    d = Doc(size=11, margins=(25, 25, 25, 25), font="Times New Roman")
    d.p("Valdora 2026 – Legislaţie", align="r", size=9, sa=400)
    d.p(title, align="c", size=15, b=True, sa=120)
    d.p(subtitle, align="c", size=12, b=True, sa=360)
    d.table([55, None], facts, size=11, height=8, pad=1.5)
    d.gap(12)
    for para in body:
        d.p(para, align="j", sa=160)
    d.gap(12)
    d.p("**Textul oficial în program.** Salvaţi fişierul PDF al textului oficial în folderul bazei de date, "
        "sub numele **%s**: programul îl va deschide pe acela în locul acestei note." % file_name,
        align="j", sa=0)
    return d


def documents():
    yield "COD2016", note(
        "LEGEA nr. 227/2015", "privind Codul fiscal",
        [["Emitent:", "Parlamentul României"],
         ["Publicare:", "Monitorul Oficial al României, Partea I, nr. 688 din 10 septembrie 2015"],
         ["În vigoare:", "de la 1 ianuarie 2016, cu modificările şi completările ulterioare"],
         ["Impozite şi taxe locale:", "Titlul IX – „Impozite şi taxe locale”, art. 453–495"],
         ["Norme de aplicare:", "Hotărârea Guvernului nr. 1/2016 pentru aprobarea Normelor metodologice de "
                                "aplicare a Legii nr. 227/2015 privind Codul fiscal"]],
        ["Codul fiscal stabileşte impozitele şi taxele locale administrate de organul fiscal local: impozitul "
         "şi taxa pe clădiri, impozitul şi taxa pe teren, impozitul pe mijloacele de transport, taxele pentru "
         "eliberarea certificatelor, avizelor şi autorizaţiilor, taxa pentru folosirea mijloacelor de reclamă "
         "şi publicitate, impozitul pe spectacole, taxele speciale şi alte taxe locale, precum şi scutirile, "
         "termenele de plată (31 martie şi 30 septembrie) şi bonificaţia pentru plata anticipată.",
         PORTAL,
         "Procedura de administrare a acestor impozite şi taxe (declarare, stabilire, colectare, executare "
         "silită, accesorii) este reglementată de Legea nr. 207/2015 privind Codul de procedură fiscală, "
         "publicată în Monitorul Oficial al României, Partea I, nr. 547 din 23 iulie 2015."],
        "COD2016.pdf")
    yield "ANAF", note(
        "ADRESA MINISTERULUI FINANŢELOR (2021)",
        "privind reevaluarea clădirilor deţinute de persoanele juridice",
        [["Emitent:", "Ministerul Finanţelor"],
         ["Natura actului:", "adresă (îndrumare) către organele fiscale locale; nu este act normativ publicat "
                             "în Monitorul Oficial al României"],
         ["Temeiul legal:", "art. 460 din Legea nr. 227/2015 privind Codul fiscal – calculul impozitului şi "
                            "al taxei pe clădiri datorate de persoanele juridice"],
         ["Obţinerea textului:", "de la Ministerul Finanţelor (www.mfinante.gov.ro) sau prin direcţia "
                                 "generală regională a finanţelor publice"]],
        ["Adresa priveşte actualizarea valorii impozabile a clădirilor aflate în proprietatea persoanelor "
         "juridice pe baza unui raport de evaluare întocmit de un evaluator autorizat, precum şi cota de "
         "impozit aplicabilă atunci când valoarea impozabilă nu a fost actualizată în termenul prevăzut de "
         "Codul fiscal.",
         "Prevederile Codului fiscal la care se referă adresa se găsesc în textul consolidat al Legii "
         "nr. 227/2015, Titlul IX, publicat pe Portalul legislativ al Ministerului Justiţiei, "
         "**legislatie.just.ro**."],
        "ANAF.pdf")
    yield "L239", note(
        "LEGEA nr. 239 din 15 decembrie 2025",
        "privind stabilirea unor măsuri de redresare şi eficientizare a resurselor publice şi pentru "
        "modificarea şi completarea unor acte normative",
        [["Emitent:", "Parlamentul României"],
         ["Publicare:", "Monitorul Oficial al României, Partea I, nr. 1160 din 15 decembrie 2025"],
         ["Acte modificate:", "printre altele, Legea nr. 207/2015 privind Codul de procedură fiscală (art. I) "
                              "şi Legea nr. 227/2015 privind Codul fiscal (art. XII)"],
         ["Impozite şi taxe locale:", "modificările Titlului IX al Codului fiscal se aplică impozitelor şi "
                                      "taxelor locale datorate începând cu anul fiscal 2026"]],
        ["Legea modifică, între altele, regulile de calcul al impozitului pe clădiri, pe teren şi pe "
         "mijloacele de transport din Titlul IX „Impozite şi taxe locale” al Codului fiscal, pe care programul "
         "le aplică la calculul impozitelor anului 2026.",
         PORTAL + " Modificările se regăsesc şi în forma consolidată a Legii nr. 227/2015 privind Codul fiscal."],
        "L239.pdf")


def main():
    office = os.environ.get("SOFFICE", "soffice")
    for name, doc in documents():
        rtf = os.path.join(HERE, name + ".rtf")
        doc.save(rtf)
        with tempfile.TemporaryDirectory() as profile:
            subprocess.run([office, "-env:UserInstallation=file://" + profile, "--headless", "--convert-to",
                            "pdf", "--outdir", HERE, rtf], check=True, stdout=subprocess.DEVNULL)
        print(name + ".pdf")


if __name__ == "__main__":
    main()
