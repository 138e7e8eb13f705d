#!/usr/bin/env python3
"""Draws the two fillable F24 payment forms into resources/: the ordinary form
(f24tasi.pdf, four rows in the IMU and local taxes section) and the simplified form
(f24tasisemplificato.pdf, ten rows of "motivo del pagamento").

The file is written here byte by byte (no PDF library), because the program reads the
field names back with a line reader that relies on this shape:

- PDF 1.4, every line ends with CR LF (no lone LF anywhere, the page content stream is
  not compressed); no object streams, no cross-reference streams; one xref table and
  one %%EOF at the end;
- every form field is one line "N 0 obj<</FT/Tx/T(name)...>>" (field and widget in one
  dictionary, its own /T first), with "endobj" on the next line; the ten children "0" to
  "9" of a parent field carry /FT/Tx too and follow their parent; the fields come in
  the order of the program's field table;
- the form's default resources name the font /Helv: Helvetica with WinAnsiEncoding, so
  that a filler draws "EUR" signs and accented capitals; each field has a fixed size in
  its /DA; the totals are computed by the form itself (AFSimple_Calculate "SUM") in the
  calculate order /CO.

Nothing depends on the clock: the same script writes the same bytes.

    python3 tools/gen-modelli-f24.py [resources folder]
"""
import hashlib
import os
import sys

W, H = 595, 842
GREY = 0.86  # section bands and column heads
LIGHT = 0.95  # the form's background behind the boxes


def pdf_string(text):
    """A PDF literal string of Windows-1252 bytes with its three escapes."""
    b = text.encode("cp1252")
    return b"(" + b.replace(b"\\", b"\\\\").replace(b"(", b"\\(").replace(b")", b"\\)") + b")"


def num(v):
    s = ("%.2f" % v).rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


class Form:
    def __init__(self):
        self.ops = []  # content stream lines (bytes)
        self.fields = []  # (name, rect, options) in table order; children in options

    # --- drawing (y counted from the top of the page) ---

    def text(self, x, y, size, s, bold=False):
        font = "/F2" if bold else "/F1"
        self.ops.append(b"BT %s %s Tf %s %s Td " % (font.encode(), num(size).encode(), num(x).encode(),
                                                     num(H - y).encode()) + pdf_string(s) + b" Tj ET")

    def centre(self, x, y, w, size, s, bold=False):
        self.text(x + (w - width(s, size, bold)) / 2, y, size, s, bold)

    def fill(self, x, y, w, h, grey):
        self.ops.append(("%s g %s %s %s %s re f 0 g" % (num(grey), num(x), num(H - y - h), num(w), num(h))).encode())

    def frame(self, x, y, w, h, lw=0.5):
        self.ops.append(("%s w %s %s %s %s re S" % (num(lw), num(x), num(H - y - h), num(w), num(h))).encode())

    def hline(self, x1, x2, y, lw=0.5):
        self.ops.append(("%s w %s %s m %s %s l S" % (num(lw), num(x1), num(H - y), num(x2), num(H - y))).encode())

    def band(self, x, y, w, title):
        """A section band: grey strip with the section's name in bold capitals."""
        self.fill(x, y, w, 11, GREY)
        self.frame(x, y, w, 11)
        self.text(x + 4, y + 8.5, 7.5, title, bold=True)

    def box(self, x, y, w, h=14):
        """A white writing box."""
        self.fill(x, y, w, h, 1)
        self.frame(x, y, w, h)

    def boxes(self, x, y, n, w=11, h=14):
        """A row of n one-character boxes; returns their rectangles."""
        out = []
        for i in range(n):
            self.box(x + i * w, y, w, h)
            out.append((x + i * w, y, w, h))
        return out

    def cents(self, x, y, h=14):
        """The two cents boxes after an amount, with the comma printed before them."""
        self.text(x - 2.5, y + h - 2, 9, ",", bold=True)
        return self.boxes(x + 1, y, 2, 9, h)

    # --- fields ---

    def field(self, name, rect, size=9, maxlen=None, centred=False, readonly=False, calc=None, kids=None,
              right=False):
        """A text field; centred or right-aligned text (amounts) when asked."""
        self.fields.append((name, rect, dict(size=size, maxlen=maxlen, centred=centred, readonly=readonly,
                                             calc=calc, kids=kids or [], right=right)))

    def char_fields(self, names, rects, size=9):
        for n, r in zip(names, rects):
            self.field(n, r, size=size, maxlen=1, centred=True)


# Helvetica widths (thousandths) of the characters the drawing uses, for centring.
_HELV = {" ": 278, "(": 333, ")": 333, ",": 278, "-": 333, ".": 278, "/": 278, ":": 278, "'": 191,
         "+": 584, "0": 556}
_HELVB = {" ": 278, "(": 333, ")": 333, ",": 278, "-": 333, ".": 278, "/": 278, ":": 333, "'": 238,
          "+": 584, "0": 556}


def width(s, size, bold=False):
    table = _HELVB if bold else _HELV
    total = 0
    for ch in s:
        if ch in table:
            total += table[ch]
        elif ch.isdigit():
            total += 556
        elif ch.isupper() or ch in "ÈÉÀÒÙÌ":
            total += 722 if bold else 667
        elif ch in "ijl":
            total += 278 if bold else 222
        elif ch in "mw":
            total += 889 if bold else 833
        else:
            total += 611 if bold else 556
    return total * size / 1000


# --- the parts both forms share -------------------------------------------------------


def header(f, title, subtitle):
    f.fill(20, 18, 555, 806, LIGHT)
    f.frame(20, 18, 555, 806, 1)
    f.text(28, 40, 16, title, bold=True)
    f.text(28, 52, 7, subtitle)
    f.text(28, 62, 7, "AGENZIA DELLE ENTRATE", bold=True)
    # Delegation to the bank and its branch.
    f.text(232, 32, 7, "DELEGA IRREVOCABILE A:", bold=True)
    f.box(330, 22, 240)
    f.field("delega", (330, 22, 240, 14))
    f.text(232, 50, 7, "AGENZIA", bold=True)
    f.box(270, 40, 220)
    f.field("agenzia", (270, 40, 220, 14))
    f.text(496, 50, 7, "PROV.", bold=True)
    f.box(520, 40, 50)
    f.field("prov", (520, 40, 50, 14))
    f.text(232, 66, 6, "PER L'ACCREDITO ALLA TESORERIA COMPETENTE")


def taxpayer(f, top, domicile):
    """The CONTRIBUENTE section; returns the y below it."""
    f.band(20, top, 555, "CONTRIBUENTE")
    y = top + 16
    f.text(28, y + 10, 7, "CODICE FISCALE", bold=True)
    f.char_fields(["cf%d" % k for k in range(1, 17)], f.boxes(120, y, 16))
    f.text(310, y + 6, 5.5, "barrare in caso di anno d'imposta non coincidente")
    f.text(310, y + 12, 5.5, "con anno solare")
    f.boxes(450, y, 1)

    y += 22
    f.text(28, y + 12, 7, "DATI ANAGRAFICI", bold=True)
    f.text(120, y + 4, 5.5, "cognome, denominazione o ragione sociale")
    f.box(120, y + 6, 270)
    f.field("cognome", (120, y + 6, 270, 14))
    f.text(398, y + 4, 5.5, "nome")
    f.box(398, y + 6, 170)
    f.field("nome", (398, y + 6, 170, 14))

    y += 26
    f.text(120, y + 4, 5.5, "data di nascita")
    f.text(120, y + 26, 5, "giorno")
    f.text(146, y + 26, 5, "mese")
    f.text(176, y + 26, 5, "anno")
    rects = f.boxes(120, y + 6, 2) + f.boxes(146, y + 6, 2) + f.boxes(172, y + 6, 4)
    f.text(143, y + 17, 9, "/")
    f.text(169, y + 17, 9, "/")
    f.char_fields(["g1", "g2", "m1", "m2", "a1", "a2", "a3", "a4"], rects)
    f.text(222, y + 4, 5.5, "sesso (M o F)")
    f.char_fields(["sesso"], f.boxes(228, y + 6, 1))
    f.text(262, y + 4, 5.5, "comune (o Stato estero) di nascita")
    f.box(262, y + 6, 250)
    f.field("comune", (262, y + 6, 250, 14))
    f.text(528, y + 4, 5.5, "prov.")
    f.char_fields(["prona1", "prona2"], f.boxes(528, y + 6, 2))
    y += 34

    if domicile:
        f.text(28, y + 12, 7, "DOMICILIO FISCALE", bold=True)
        f.text(120, y + 4, 5.5, "comune")
        f.box(120, y + 6, 250)
        f.field("comunedom", (120, y + 6, 250, 14))
        f.text(376, y + 4, 5.5, "prov.")
        f.char_fields(["prodom1", "prodom2"], f.boxes(376, y + 6, 2))
        f.text(404, y + 4, 5.5, "via e numero civico")
        f.box(404, y + 6, 164)
        f.field("indirizzo", (404, y + 6, 164, 14))
        y += 26
    return y + 4


def payment_end(f, top):
    """ESTREMI DEL VERSAMENTO and the IBAN of the account to debit."""
    f.band(20, top, 555, "ESTREMI DEL VERSAMENTO (DA COMPILARE A CURA DI BANCA/POSTE/AGENTE DELLA RISCOSSIONE)")
    y = top + 16
    f.text(28, y + 4, 5.5, "DATA")
    f.boxes(28, y + 6, 2)
    f.boxes(54, y + 6, 2)
    f.boxes(80, y + 6, 4)
    f.text(140, y + 4, 5.5, "CODICE BANCA/POSTE/AGENTE DELLA RISCOSSIONE")
    f.boxes(140, y + 6, 5)
    f.text(298, y + 4, 5.5, "AZIENDA")
    f.boxes(298, y + 6, 5)
    f.text(362, y + 4, 5.5, "CAB/SPORTELLO")
    f.boxes(362, y + 6, 5)
    f.text(432, y + 4, 5.5, "Pagamento effettuato con assegno")
    f.text(432, y + 14, 5.5, "bancario/postale  circolare/vaglia postale")
    y += 28
    f.band(20, y, 555, "AUTORIZZO ADDEBITO SU CONTO CORRENTE BANCARIO/POSTALE")
    y += 16
    f.text(28, y + 4, 5.5, "Codice IBAN del titolare del conto corrente")
    f.text(28, y + 16, 9, "IT", bold=True)
    f.char_fields(["iban%d" % k for k in range(1, 26)], f.boxes(44, y + 6, 25))
    y += 26
    f.text(28, y + 6, 5.5, "Firma")
    f.hline(56, 300, y + 8)
    f.text(330, y + 6, 5.5, "Il contribuente conserva una copia del modello di pagamento.")
    return y + 14


def plain_section(f, top, title, heads, rows):
    """A section that the program does not fill: its band, column heads and empty rows.
    heads: (label, x, width) with width in points."""
    f.band(20, top, 555, title)
    y = top + 12
    for label, x, w in heads:
        f.fill(x, y, w, 10, GREY)
        f.frame(x, y, w, 10)
        f.centre(x, y + 7, w, 5, label)
    y += 12
    for _ in range(rows):
        for label, x, w in heads:
            f.box(x, y, w, 12)
        y += 13
    return y + 2


def row_fields(f, rows, cols):
    """The fields of the tax rows in table order: the code characters of every row, then
    acc, sal, immobili, cotri, anno and imu row by row. cols: x and width of the last four."""
    for i, r, ry in rows:
        f.char_fields(["coca%d%d" % (i, k) for k in range(1, 5)], r["coca"])
    for i, r, ry in rows:
        f.char_fields(["acc%d" % i], [r["acc"]])
        f.char_fields(["sal%d" % i], [r["sal"]])
        for name, (x, w) in zip(("immobili", "cotri", "anno", "imu"), cols):
            f.field("%s%d" % (name, i), (x, ry, w, 14), maxlen=4 if name in ("cotri", "anno") else None,
                    centred=name != "imu", right=name == "imu")


def column_heads(f, y, cols):
    """Grey heads over the columns of the tax rows, in two lines; narrow columns in small type.
    cols: (label, x, width)."""
    for label, x, w in cols:
        f.fill(x, y, w, 16, GREY)
        f.frame(x, y, w, 16)
        words = label.split(" ")
        if w < 30 and len(words) > 1:
            f.centre(x, y + 7, w, 3.6, words[0])
            f.centre(x, y + 13, w, 3.6, " ".join(words[1:]))
        elif w < 30:
            f.centre(x, y + 10, w, 3.6, label)
        else:
            half = (len(words) + 1) // 2
            f.centre(x, y + 7, w, 5, " ".join(words[:half]))
            f.centre(x, y + 13, w, 5, " ".join(words[half:]))


# --- the ordinary form ------------------------------------------------------------------


def ordinary():
    f = Form()
    header(f, "Modello F24", "Modello di pagamento unificato")
    y = taxpayer(f, 74, domicile=True)

    heads = [("codice tributo", 120, 50), ("rateazione/regione/prov./mese rif.", 174, 110),
             ("anno di riferimento", 288, 60), ("importi a debito versati", 352, 105),
             ("importi a credito compensati", 461, 105)]
    y = plain_section(f, y, "SEZIONE ERARIO", heads, 3)
    heads = [("codice sede", 120, 40), ("causale contributo", 164, 50), ("matricola INPS/codice INPS", 218, 110),
             ("periodo di riferimento", 332, 60), ("importi a debito versati", 396, 80),
             ("importi a credito compensati", 480, 86)]
    y = plain_section(f, y, "SEZIONE INPS", heads, 2)
    heads = [("codice regione", 120, 44), ("codice tributo", 168, 50), ("rateazione/mese rif.", 222, 80),
             ("anno di riferimento", 306, 60), ("importi a debito versati", 370, 96),
             ("importi a credito compensati", 470, 96)]
    y = plain_section(f, y, "SEZIONE REGIONI", heads, 2)

    # IMU and other local taxes: the four rows the program fills.
    f.band(20, y, 555, "SEZIONE IMU E ALTRI TRIBUTI LOCALI")
    y += 12
    cols = [("codice ente/ codice comune", 28, 44), ("ravv.", 76, 11), ("immob. variati", 91, 11), ("acc.", 106, 11),
            ("saldo", 121, 11), ("numero immobili", 136, 24), ("codice tributo", 164, 44),
            ("rateazione/ mese rif.", 212, 44), ("anno di riferimento", 260, 44),
            ("importi a debito versati", 308, 122), ("importi a credito compensati", 436, 122)]
    column_heads(f, y, cols)
    y += 18
    rows = []
    for i in range(1, 5):
        r = dict(coca=f.boxes(28, y, 4), rav=f.boxes(76, y, 1)[0], variato=f.boxes(91, y, 1)[0],
                 acc=f.boxes(106, y, 1)[0], sal=f.boxes(121, y, 1)[0])
        f.box(136, y, 24)
        f.box(164, y, 44)
        f.box(212, y, 44)
        f.box(260, y, 44)
        f.box(308, y, 100)
        r["cents"] = f.cents(410, y)
        f.box(436, y, 100)
        f.cents(538, y)
        rows.append((i, r, y))
        y += 16
    row_fields(f, rows, ((136, 24), (164, 44), (260, 44), (308, 100)))
    # Deduction, totals and balance of the section.
    f.text(28, y + 10, 5.5, "identificativo operazione")
    f.boxes(90, y, 18, 6, 14)
    f.text(212, y + 10, 5.5, "detrazione")
    f.box(240, y, 52)
    det_cents = f.cents(294, y)
    f.text(318, y + 10, 6, "TOTALE", bold=True)
    f.text(344, y + 10, 6, "G", bold=True)
    f.box(352, y, 56)
    tot_rect = (352, y, 56, 14)
    tot_cents = f.cents(410, y)
    f.text(430.5, y + 10, 6, "H", bold=True)
    f.box(436, y, 100)
    f.cents(538, y)
    f.field("detrazione", (240, y, 52, 14), right=True)
    y += 18
    f.text(380, y + 10, 6, "+/-", bold=True)
    plus = f.boxes(394, y, 1)[0]
    f.text(412, y + 10, 6, "SALDO (G - H)", bold=True)
    f.box(462, y, 76)
    saldoimu_rect = (462, y, 76, 14)
    saldoimu_cents = f.cents(540, y)
    y += 20
    for i, r, ry in rows:
        f.char_fields(["rav%d" % i], [r["rav"]])
        f.char_fields(["variato%d" % i], [r["variato"]])
        f.field("rata%d" % i, (212, ry, 44, 14), maxlen=4, centred=True)
    for i, r, ry in rows:
        f.char_fields(["decimu%d1" % i, "decimu%d2" % i], r["cents"], size=8)
    imu = ["imu%d" % i for i in range(1, 5)]
    f.field("totimu", tot_rect, readonly=True, calc=imu, right=True)
    f.char_fields(["dectotimu1", "dectotimu2"], tot_cents, size=8)
    f.char_fields(["decdet1", "decdet2"], det_cents, size=8)

    heads = [("codice sede", 28, 40), ("codice ditta", 72, 60), ("c.c.", 136, 20), ("numero di riferimento", 160, 90),
             ("causale", 254, 30), ("importi a debito versati", 288, 100), ("importi a credito compensati", 392, 100)]
    y = plain_section(f, y, "SEZIONE INAIL", heads, 1)
    heads = [("codice ente", 28, 40), ("codice sede", 72, 50), ("causale contributo", 126, 60),
             ("codice posizione", 190, 90), ("periodo di riferimento", 284, 90), ("importi a debito versati", 378, 90),
             ("importi a credito compensati", 472, 94)]
    y = plain_section(f, y, "SEZIONE ALTRI ENTI PREVIDENZIALI E ASSICURATIVI", heads, 1)

    f.text(300, y + 12, 8, "SALDO FINALE", bold=True)
    f.text(380, y + 12, 8, "EURO", bold=True)
    f.text(408, y + 12, 8, "+", bold=True)
    f.box(420, y + 2, 118)
    fin_cents = f.cents(540, y + 2)
    saldo_rect = (420, y + 2, 118, 14)
    y += 22
    payment_end(f, y)

    # The remaining fields of the section, in the table's order.
    f.field("plusimu", plus, maxlen=1, centred=True)
    f.field("saldoimu", saldoimu_rect, readonly=True, calc=imu, right=True)
    f.field("saldo", saldo_rect, readonly=True, calc=imu, right=True)
    f.char_fields(["decsaldo1", "decsaldo2"], fin_cents, size=8)
    f.char_fields(["decsaldoimu1", "decsaldoimu2"], saldoimu_cents, size=8)
    return f, ordinary_order()


def ordinary_order():
    names = ["delega", "agenzia", "prov"] + ["cf%d" % k for k in range(1, 17)]
    names += ["cognome", "nome", "sesso", "comune", "g1", "g2", "m1", "m2", "a1", "a2", "a3", "a4", "prona1", "prona2"]
    names += ["comunedom", "prodom1", "prodom2", "indirizzo"] + ["iban%d" % k for k in range(1, 26)]
    names += ["coca%d%d" % (i, k) for i in range(1, 5) for k in range(1, 5)]
    names += [n % i for i in range(1, 5) for n in ("acc%d", "sal%d", "immobili%d", "cotri%d", "anno%d", "imu%d")]
    names += ["detrazione"]
    names += [n % i for i in range(1, 5) for n in ("rav%d", "variato%d", "rata%d")]
    names += ["decimu%d%d" % (i, k) for i in range(1, 5) for k in (1, 2)]
    names += ["totimu", "dectotimu1", "dectotimu2", "decdet1", "decdet2"]
    names += ["plusimu", "saldoimu", "saldo", "decsaldo1", "decsaldo2", "decsaldoimu1", "decsaldoimu2"]
    return names


# --- the simplified form ---------------------------------------------------------------


def simplified():
    f = Form()
    header(f, "F24 Semplificato", "Modello di pagamento semplificato")
    y = taxpayer(f, 74, domicile=False)

    f.band(20, y, 555, "MOTIVO DEL PAGAMENTO")
    y += 12
    cols = [("sezione", 24, 22), ("cod. tributo", 49, 34), ("codice ente", 86, 44), ("ravv.", 133, 11),
            ("immob. variati", 147, 11), ("acc.", 161, 11), ("saldo", 175, 11), ("numero immobili", 189, 22),
            ("rateazione/ mese rif.", 214, 34), ("anno di riferimento", 251, 32), ("detrazione", 286, 80),
            ("importi a debito versati", 369, 100), ("importi a credito compensati", 472, 100)]
    column_heads(f, y, cols)
    y += 18
    rows = []
    for i in range(1, 11):
        r = dict(el=f.boxes(24, y, 2), coca=f.boxes(86, y, 4), rav=f.boxes(133, y, 1)[0],
                 variato=f.boxes(147, y, 1)[0], acc=f.boxes(161, y, 1)[0], sal=f.boxes(175, y, 1)[0])
        for x, w in ((49, 34), (189, 22), (214, 34), (251, 32), (286, 58), (369, 78), (472, 78)):
            f.box(x, y, w)
        r["det"] = f.cents(346, y)
        r["imu"] = f.cents(449, y)
        r["cred"] = f.cents(552, y)
        rows.append((i, r, y))
        y += 16
    row_fields(f, rows, ((189, 22), (49, 34), (251, 32), (369, 78)))
    for i, r, ry in rows:
        f.char_fields(["el%d1" % i, "el%d2" % i], r["el"])
    for i, r, ry in rows:
        f.field("detrazione%d" % i, (286, ry, 58, 14), right=True)
    for i, r, ry in rows:
        f.char_fields(["rav%d" % i], [r["rav"]])
        f.char_fields(["variato%d" % i], [r["variato"]])
        f.field("rata%d" % i, (214, ry, 34, 14), maxlen=4, centred=True)
    # Cents: rows 1 to 3 of the credit column have fields of their own; the cents of
    # the amounts and of the deductions of all ten rows are the children 0 to 9 of
    # decimu41/decimu42 and decdet1/decdet2.
    for i, r, ry in rows[:3]:
        f.char_fields(["decimu%d1" % i, "decimu%d2" % i], r["cred"], size=8)
    f.field("decimu41", None, kids=[r["imu"][0] for i, r, ry in rows])
    f.field("decimu42", None, kids=[r["imu"][1] for i, r, ry in rows])

    f.text(300, y + 12, 8, "SALDO FINALE", bold=True)
    f.text(380, y + 12, 8, "EURO", bold=True)
    f.text(408, y + 12, 8, "+", bold=True)
    f.box(420, y + 2, 118)
    fin_cents = f.cents(540, y + 2)
    imu = ["imu%d" % i for i in range(1, 11)]
    f.field("totimu", (420, y + 2, 118, 14), readonly=True, calc=imu, right=True)
    f.char_fields(["dectotimu1", "dectotimu2"], fin_cents, size=8)
    f.field("decdet1", None, kids=[r["det"][0] for i, r, ry in rows])
    f.field("decdet2", None, kids=[r["det"][1] for i, r, ry in rows])
    y += 24
    f.text(28, y + 4, 5.5, "identificativo operazione")
    f.boxes(28, y + 6, 18, 6, 14)
    y += 26
    payment_end(f, y)
    return f, simplified_order()


def simplified_order():
    names = ["delega", "agenzia", "prov"] + ["cf%d" % k for k in range(1, 17)]
    names += ["cognome", "nome", "sesso", "comune", "g1", "g2", "m1", "m2", "a1", "a2", "a3", "a4", "prona1", "prona2"]
    names += ["iban%d" % k for k in range(1, 26)]
    names += ["coca%d%d" % (i, k) for i in range(1, 11) for k in range(1, 5)]
    names += [n % i for i in range(1, 11) for n in ("acc%d", "sal%d", "immobili%d", "cotri%d", "anno%d", "imu%d")]
    names += ["el%d%d" % (i, k) for i in range(1, 11) for k in (1, 2)]
    names += ["detrazione%d" % i for i in range(1, 11)]
    names += [n % i for i in range(1, 11) for n in ("rav%d", "variato%d", "rata%d")]
    names += ["decimu%d%d" % (i, k) for i in range(1, 5) for k in (1, 2)]
    names += ["totimu", "dectotimu1", "dectotimu2", "decdet1", "decdet2"]
    return names


# --- the file ---------------------------------------------------------------------------

CRLF = b"\r\n"


def write_pdf(f, order, path):
    by_name = {name: (rect, opt) for name, rect, opt in f.fields}
    missing = [n for n in order if n not in by_name]
    extra = [n for n in by_name if n not in order]
    if missing or extra or len(by_name) != len(f.fields):
        sys.exit("%s: field table mismatch: missing %s, extra %s" % (path, missing, extra))

    # Object numbers: 1 catalog, 2 pages, 3 form, 4 page, 5-6 fonts, 7 content, then
    # the fields in table order, each parent followed by its children.
    numbers = {}
    n = 8
    for name in order:
        numbers[name] = n
        n += 1 + len(by_name[name][1]["kids"])
    count = n

    objs = {}
    content = CRLF.join(f.ops) + CRLF
    objs[1] = b"<</Type/Catalog/Pages 2 0 R/AcroForm 3 0 R>>"
    objs[2] = b"<</Type/Pages/Kids[4 0 R]/Count 1>>"
    calcs = [numbers[name] for name in order if by_name[name][1]["calc"]]
    objs[3] = (b"<</Fields[" + b" ".join(b"%d 0 R" % numbers[nm] for nm in order) + b"]/CO[" +
               b" ".join(b"%d 0 R" % c for c in calcs) +
               b"]/DR<</Font<</Helv 5 0 R>>>>/DA(/Helv 0 Tf 0 g)/NeedAppearances true>>")
    widgets = []
    for name in order:
        kids = by_name[name][1]["kids"]
        widgets += [numbers[name] + 1 + k for k in range(len(kids))] if kids else [numbers[name]]
    objs[4] = (b"<</Type/Page/Parent 2 0 R/MediaBox[0 0 595 842]/Resources<</Font<</F1 5 0 R/F2 6 0 R>>"
               b"/ProcSet[/PDF/Text]>>/Contents 7 0 R/Annots[" + b" ".join(b"%d 0 R" % w for w in widgets) + b"]>>")
    objs[5] = b"<</Type/Font/Subtype/Type1/BaseFont/Helvetica/Encoding/WinAnsiEncoding>>"
    objs[6] = b"<</Type/Font/Subtype/Type1/BaseFont/Helvetica-Bold/Encoding/WinAnsiEncoding>>"

    def widget(rect, opt):
        x, y, w, h = rect
        s = b"/Type/Annot/Subtype/Widget/P 4 0 R/Rect[%s]/F 4/DA(/Helv %s Tf 0 g)" % (
            " ".join(num(v) for v in (x, H - y - h, x + w, H - y)).encode(), num(opt["size"]).encode())
        if opt["centred"]:
            s += b"/Q 1"
        elif opt["right"]:
            s += b"/Q 2"
        if opt["maxlen"]:
            s += b"/MaxLen %d" % opt["maxlen"]
        if opt["readonly"]:
            s += b"/Ff 1"
        if opt["calc"]:
            js = "AFSimple_Calculate(\"SUM\", new Array(%s));" % ", ".join('"%s"' % c for c in opt["calc"])
            s += b"/AA<</C<</S/JavaScript/JS" + pdf_string(js) + b">>>>"
        return s

    for name in order:
        rect, opt = by_name[name]
        no = numbers[name]
        if opt["kids"]:
            objs[no] = (b"<</FT/Tx/T" + pdf_string(name) + b"/Kids[" +
                        b" ".join(b"%d 0 R" % (no + 1 + k) for k in range(len(opt["kids"]))) + b"]>>")
            kid_opt = dict(opt, kids=[], size=8, maxlen=1, centred=True)
            for k, r in enumerate(opt["kids"]):
                objs[no + 1 + k] = (b"<</FT/Tx/T(%d)/Parent %d 0 R" % (k, no) + widget(r, kid_opt) + b">>")
        else:
            objs[no] = b"<</FT/Tx/T" + pdf_string(name) + widget(rect, opt) + b">>"

    out = bytearray(b"%PDF-1.4" + CRLF + b"%\xe2\xe3\xcf\xd3" + CRLF)
    offsets = {}
    for no in range(1, count):
        offsets[no] = len(out)
        if no == 7:
            out += b"7 0 obj<</Length %d>>" % len(content) + CRLF + b"stream" + CRLF + content
            out += b"endstream" + CRLF + b"endobj" + CRLF
        else:
            out += b"%d 0 obj" % no + objs[no] + CRLF + b"endobj" + CRLF
    xref = len(out)
    out += b"xref" + CRLF + b"0 %d" % count + CRLF + b"0000000000 65535 f" + CRLF
    for no in range(1, count):
        out += b"%010d 00000 n" % offsets[no] + CRLF
    ident = hashlib.md5(bytes(out)).hexdigest().upper().encode()
    out += b"trailer" + CRLF + b"<</Size %d/Root 1 0 R/ID[<%s><%s>]>>" % (count, ident, ident) + CRLF
    out += b"startxref" + CRLF + b"%d" % xref + CRLF + b"%%EOF" + CRLF
    with open(path, "wb") as fh:
        fh.write(bytes(out))
    return len(order)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources")
    f, order = ordinary()
    write_pdf(f, order, os.path.join(folder, "f24tasi.pdf"))
    f, order = simplified()
    write_pdf(f, order, os.path.join(folder, "f24tasisemplificato.pdf"))


if __name__ == "__main__":
    main()
