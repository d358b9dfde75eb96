"""A small RTF writer for the document templates.

Text is written in code page 1250 (every byte from 0x80 up as \\'hh), one
paragraph or table cell per line, so that every placeholder ("[NUMEP]") stands
whole on one line of the file. The header (fonts, colours, page settings) ends
before the first "\\pard", where the body begins; the body ends with a line
holding only the closing brace.

Inline marks: **bold**, __underline__, ~~italic~~; "\\n" starts a new paragraph
inside a table cell; "\\t" is a tab.
"""

import re

TWIPS_PER_MM = 56.7


def mm(v):
    return int(round(v * TWIPS_PER_MM))


def _char(c):
    if c == "\\":
        return "\\\\"
    if c in "{}":
        # an escaped brace still counts in the filler's brace depth
        raise ValueError("no braces in template text")
    if c == "\t":
        return "\\tab "
    if c == "\u00a0":
        return "\\~"
    o = ord(c)
    if o < 128:
        return c
    # comma-below s/t have no place in code page 1250: the cedilla letters stand in
    c = {"\u0218": "\u015e", "\u0219": "\u015f", "\u021a": "\u0162", "\u021b": "\u0163"}.get(c, c)
    b = c.encode("cp1250")
    return "".join("\\'%02x" % x for x in b)


_MARK = re.compile(r"(\*\*|__|~~)")


def text(s):
    """Escapes text with its inline marks into RTF."""
    out = []
    state = {"**": False, "__": False, "~~": False}
    ctl = {"**": ("\\b ", "\\b0 "), "__": ("\\ul ", "\\ulnone "), "~~": ("\\i ", "\\i0 ")}
    for part in _MARK.split(s):
        if part in state:
            on = not state[part]
            state[part] = on
            out.append(ctl[part][0] if on else ctl[part][1])
        else:
            out.append("".join(_char(c) for c in part))
    for k, on in state.items():
        if on:
            raise ValueError("unclosed mark %s in %r" % (k, s))
    return "".join(out)


ALIGN = {"l": "\\ql", "c": "\\qc", "r": "\\qr", "j": "\\qj"}


class Doc:
    def __init__(self, size=10, margins=(15, 15, 20, 15), font="Arial"):
        """margins in mm: top, bottom, left, right."""
        self.size = size
        self.top, self.bottom, self.left, self.right = margins
        self.font = font
        self.body = []
        self.width = 210 - self.left - self.right

    # -- paragraphs -----------------------------------------------------------
    def _ppr(self, align="l", size=None, sb=0, sa=0, li=0, fi=0, keep=False, line=None):
        size = size or self.size
        p = "\\pard\\plain%s\\f0\\fs%d" % (ALIGN[align], size * 2)
        if sb:
            p += "\\sb%d" % sb
        if sa:
            p += "\\sa%d" % sa
        if li:
            p += "\\li%d" % mm(li)
        if fi:
            p += "\\fi%d" % mm(fi)
        if keep:
            p += "\\keepn"
        if line:
            p += "\\sl%d\\slmult0" % line
        return p + "\\lang1048 "

    def p(self, s="", align="l", size=None, b=False, sb=0, sa=60, li=0, fi=0, keep=False):
        """A paragraph; sb/sa are the space before/after in twips."""
        t = text(s)
        if b:
            t = "{\\b %s}" % t
        self.body.append(self._ppr(align, size, sb, sa, li, fi, keep) + t + "\\par")

    def gap(self, pt=6):
        """An empty paragraph of the given height in points."""
        self.body.append("\\pard\\plain\\f0\\fs%d\\sl%d\\slmult0 \\par" % (max(2, pt * 2), -pt * 20))

    def page(self):
        self.body.append("\\page")

    # -- tables ---------------------------------------------------------------
    def table(self, widths, rows, border=True, size=None, align=None, header=0, bold_rows=(),
              shade_header=True, pad=0.8, height=None, valign="c", center=True):
        """widths in mm (None: share what is left of the text width);
        rows: lists of cell texts; align: one letter per column."""
        size = size or self.size
        free = self.width - sum(w for w in widths if w)
        n_free = sum(1 for w in widths if not w)
        widths = [w if w else free / n_free for w in widths]
        align = align or "l" * len(widths)
        edges = []
        x = 0
        for w in widths:
            x += w
            edges.append(mm(x))
        for r, row in enumerate(rows):
            if len(row) != len(widths):
                raise ValueError("row %d has %d cells, %d expected" % (r, len(row), len(widths)))
            is_header = r < header
            d = "\\trowd\\trgaph%d\\trleft0" % mm(pad)
            if center:
                d += "\\trqc"
            if height:
                d += "\\trrh%d" % mm(height)
            if is_header:
                d += "\\trhdr"
            d += "\\trpaddl%d\\trpaddr%d\\trpaddfl3\\trpaddfr3" % (mm(pad), mm(pad))
            cells = []
            for e in edges:
                c = "\\clvertal%s" % valign
                if border:
                    c += "".join("\\clbrdr%s\\brdrs\\brdrw8" % s for s in "tlbr")
                if is_header and shade_header and border:
                    c += "\\clcbpat2"
                cells.append(c + "\\cellx%d" % e)
            self.body.append(d + "".join(cells))
            for c, cell in enumerate(row):
                bold = is_header or r in bold_rows
                paras = cell.split("\n")
                parts = []
                for i, para in enumerate(paras):
                    t = text(para)
                    if bold:
                        t = "{\\b %s}" % t
                    parts.append(t)
                a = "c" if is_header else align[c]
                self.body.append("\\pard\\plain\\intbl%s\\f0\\fs%d\\lang1048 %s\\cell"
                                 % (ALIGN[a], size * 2, "\\par ".join(parts)))
            self.body.append("\\row")
        # back to ordinary paragraphs
        self.body.append("\\pard\\plain\\f0\\fs%d\\sl-60\\slmult0 \\par" % (size * 2))

    def boxes(self, cells, widths=None, size=None, align=None, border=False):
        """One layout row (signatures, header blocks): no borders by default."""
        widths = widths or [None] * len(cells)
        self.table(widths, [cells], border=border, size=size, align=align, pad=0.5, valign="t")

    # -- output ---------------------------------------------------------------
    def rtf(self):
        head = [
            "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1048",
            "{\\fonttbl{\\f0\\fswiss\\fcharset238 %s;}{\\f1\\froman\\fcharset238 Times New Roman;}}" % self.font,
            "{\\colortbl;\\red0\\green0\\blue0;\\red230\\green230\\blue230;}",
            "\\paperw11906\\paperh16838\\margl%d\\margr%d\\margt%d\\margb%d\\viewkind1\\widowctrl"
            % (mm(self.left), mm(self.right), mm(self.top), mm(self.bottom)),
        ]
        for line in self.body:
            if not line.startswith("\\pard") and not line.startswith("\\trowd") and line not in ("\\row", "\\page"):
                raise ValueError("unexpected body line %r" % line)
        # The body begins at the first "\\pard": a document opening with a table
        # gets a bare one first (it resets the paragraph, it makes no paragraph).
        body = self.body if self.body[0].startswith("\\pard") else ["\\pard\\plain\\f0"] + self.body
        return "\r\n".join(head + body + ["}"]) + "\r\n"

    def save(self, path):
        data = self.rtf()
        data.encode("ascii")  # everything above 0x7f is escaped
        depth = 0
        for line in data.splitlines():
            depth += line.count("{") - line.count("}")
        if depth != 0:
            raise ValueError("unbalanced braces in %s" % path)
        with open(path, "w", encoding="ascii", newline="") as f:
            f.write(data)
