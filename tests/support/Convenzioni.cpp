#include "Convenzioni.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <utility>
#include <vector>

#include "forms/Text.h"

namespace quotara::testing {

using namespace forms;

namespace {

const char* Nome(Casella t) {
  switch (t) {
    case Casella::Testo:
      return "testo";
    case Casella::Cifre:
      return "cifre";
    case Casella::Decimale:
      return "decimale";
    case Casella::Maiuscola:
      return "maiuscola";
    case Casella::Importo:
      return "importo";
    case Casella::Data:
      return "data";
    case Casella::Nome:
      return "nome";
    case Casella::Iban:
      return "iban";
    case Casella::Mesi:
      return "mesi";
  }
  return "?";
}

// What typing `tasti` over the whole text leaves, for the kinds whose text
// follows the keys one by one ("" = not checked here), and how many of the
// keys the box refuses (each one with the bell and a flash of the box).
struct Battitura {
  Casella tipo;
  const char* tasti;
  const char* testo;
  int rifiuti;
};
// "Łódź 😀": what Windows-1252 lacks never reaches a box, and is refused with the beep.
#define QUOTARA_LODZ \
  "\xC5\x81\xC3\xB3" \
  "d\xC5\xBA \xF0\x9F\x98\x80"
constexpr Battitura kBattiture[] = {
    {Casella::Cifre, "1a,.;2", "12", 4},
    {Casella::Cifre, "3 -4", "34", 2},
    {Casella::Decimale, "1.5", "1,5", 0},
    {Casella::Decimale, "2a;,5", "2,5", 2},
    {Casella::Decimale, "2,5,5", "2,55", 1},  // one decimal comma
    {Casella::Decimale, "2.5.", "2,5", 1},
    {Casella::Maiuscola, "ab,.;c", "ABC", 3},
    {Casella::Maiuscola, "forlì", "FORLÌ", 0},
    {Casella::Maiuscola, QUOTARA_LODZ,
     "\xC3\x93"
     "D ",
     3},
    {Casella::Nome, "a,b;c", "abc", 2},
    {Casella::Nome, QUOTARA_LODZ,
     "\xC3\xB3"
     "d ",
     3},
    {Casella::Iban, "it60 x-05.4/", "IT60X054", 0},
    {Casella::Iban,
     "a,b;c\xC3\xA8"
     "1",
     "ABC1", 3},
    {Casella::Testo, "a,b", "a,b", 0},
    {Casella::Testo, QUOTARA_LODZ,
     "\xC3\xB3"
     "d ",
     3},
};

// The flashes since `prima`, every one of them of `box`.
int Lampi(const HeadlessDesktop& desk, size_t prima, const Control& box) {
  int n = 0;
  for (size_t i = prima; i < desk.flashes().size(); ++i) {
    EXPECT_EQ(desk.flashes()[i], &box) << "a refused key flashes the box that refused it";
    ++n;
  }
  return n;
}

// What a paste over the whole text leaves.
struct Incollatura {
  Casella tipo;
  const char* appunti;
  const char* testo;
};
constexpr Incollatura kIncollature[] = {
    {Casella::Maiuscola, "via, roma; 1.\r\n", "VIA ROMA 1"},
    {Casella::Maiuscola, QUOTARA_LODZ "\tx, y\x1B",
     "\xC3\x93"
     "D X Y"},
    {Casella::Nome, "Rossi;\r\nMario", "Rossi Mario"},
    {Casella::Nome, QUOTARA_LODZ "\tX;Y\x0C",
     "\xC3\xB3"
     "d X Y"},
    {Casella::Testo, QUOTARA_LODZ "\tX\x7F\r\nY",
     "\xC3\xB3"
     "d X Y"},
    {Casella::Iban, "it60 x054, 2811\r\n1010", "IT60X05428111010"},
};
#undef QUOTARA_LODZ

// A paste over the whole text, as if typed: what the box shows after it, and
// whether it took anything (otherwise the box is unchanged, with one bell and
// one flash).
struct PerTasti {
  Casella tipo;
  const char* appunti;
  const char* testo;  // nullptr: nothing taken
};
constexpr PerTasti kPerTasti[] = {
    {Casella::Testo, "Via Po 1", "Via Po 1"},
    {Casella::Testo, "a\tb\r\n", "a b"},
    {Casella::Testo, "\xF0\x9F\x98\x80", nullptr},
    {Casella::Cifre, "2024", "2024"},
    {Casella::Cifre, "20a2;4\r\n", "2024"},
    {Casella::Cifre, "abc;", nullptr},
    {Casella::Decimale, "2,5", "2,5"},
    {Casella::Decimale, "2.5 x", "2,5"},
    {Casella::Decimale, "2,5,5", "2,55"},  // one decimal comma
    {Casella::Decimale, "x;y", nullptr},
    {Casella::Maiuscola, "via po", "VIA PO"},
    {Casella::Maiuscola, "via;po", "VIA PO"},
    {Casella::Maiuscola, ",.;", nullptr},
    {Casella::Importo, "916,00", "916,00"},
    {Casella::Importo, "1.234,56", "1.234,56"},
    {Casella::Importo, "\xE2\x82\xAC 1.234,56\r\n", "1.234,56"},  // "€ 1.234,56"
    {Casella::Importo, "abc", nullptr},
    {Casella::Data, "12/05/2024", "12/05/2024"},
    {Casella::Data, "12.05.2024", "12/05/2024"},
    {Casella::Data, "oggi", nullptr},
    {Casella::Nome, "Via;Roma", "Via Roma"},
    {Casella::Nome, ",;", nullptr},
    {Casella::Mesi, "5", "5"},
    {Casella::Mesi, "9x5", "5"},
    {Casella::Mesi, "789", nullptr},
    {Casella::Iban, "IT60 X054 2811 1010 0000 0123 456", "IT60X0542811101000000123456"},
    {Casella::Iban, "it60-x054", "IT60X054"},
    {Casella::Iban, " ,;-", nullptr},
};

// The three ways to paste.
enum class ComeIncolla { CtrlV, ShiftIns, Menu };

void Incolla(ScriptedUser& user, HeadlessDesktop& desk, EditControl& box, ComeIncolla come) {
  switch (come) {
    case ComeIncolla::CtrlV:
      user.key(vbKeyV, vbCtrlMask);
      break;
    case ComeIncolla::ShiftIns:
      user.key(vbKeyInsert, vbShiftMask);
      break;
    case ComeIncolla::Menu:
      desk.expectPopupMenu("Incolla");
      user.rightClick(box);
      break;
  }
}

// What the box holds once its whole text is cut.
std::string Vuota(Casella tipo) {
  switch (tipo) {
    case Casella::Importo:
    case Casella::Mesi:
      return "0";
    case Casella::Data:
      return "  /  /    ";
    default:
      return "";
  }
}

// The edit menu's items and whether each is enabled.
std::vector<std::pair<std::string, bool>> Menu(bool annulla, bool selezione, bool appunti, bool tutto) {
  return {{"Annulla", annulla}, {"Taglia", selezione},  {"Copia", selezione},
          {"Incolla", appunti}, {"Elimina", selezione}, {"Seleziona tutto", tutto}};
}

void ControllaAppunti(ScriptedUser& user, HeadlessDesktop& desk, EditControl& box, Casella tipo) {
  int n = 0;
  for (const PerTasti& p : kPerTasti) {
    if (p.tipo != tipo) continue;
    auto come = static_cast<ComeIncolla>(n++ % 3);
    // The menu offers "Incolla" only for a text that a box could take.
    if (come == ComeIncolla::Menu && pastableText(p.appunti, true).empty()) come = ComeIncolla::CtrlV;
    SCOPED_TRACE(std::string("pasted ") + p.appunti + " by " +
                 (come == ComeIncolla::CtrlV      ? "Ctrl+V"
                  : come == ComeIncolla::ShiftIns ? "Shift+Insert"
                                                  : "the menu"));
    user.focus(box);
    user.key(vbKeyA, vbCtrlMask);
    const std::string prima = box.Text();
    desk.setClipboardText(p.appunti);
    const size_t lampi = desk.flashes().size();
    const int beeps = desk.beeps();
    Incolla(user, desk, box, come);
    EXPECT_EQ(desk.pendingAnswers(), 0u);
    if (p.testo) {
      // Typed one by one, the text stops at MaxLength (amount and date boxes
      // write over their digits).
      std::u32string atteso = text::toU32(p.testo);
      if (box.MaxLength() > 0 && tipo != Casella::Importo && tipo != Casella::Data && tipo != Casella::Mesi &&
          static_cast<int>(atteso.size()) > box.MaxLength())
        atteso.resize(static_cast<size_t>(box.MaxLength()));
      EXPECT_EQ(box.Text(), text::toUtf8(atteso));
      EXPECT_EQ(desk.beeps(), beeps) << "a refused character of a paste rings no bell";
      EXPECT_EQ(Lampi(desk, lampi, box), 0);
    } else {
      EXPECT_EQ(box.Text(), prima) << "nothing taken, the box unchanged";
      EXPECT_EQ(desk.beeps() - beeps, 1);
      EXPECT_EQ(Lampi(desk, lampi, box), 1);
    }
  }

  // Copy and cut put exactly the selection on the clipboard: Ctrl+C and
  // Ctrl+Insert, Ctrl+X and Shift+Delete.
  if (tipo != Casella::Mesi) {
    user.focus(box);
    user.key(vbKeyA, vbCtrlMask);
    desk.setClipboardText(tipo == Casella::Data ? "01/02/2003" : tipo == Casella::Importo ? "1.234,56" : "12");
    user.key(vbKeyV, vbCtrlMask);
  }
  const std::string testo = box.Text();
  ASSERT_FALSE(testo.empty());
  for (const int copia : {0, 1}) {
    desk.setClipboardText("x");
    user.key(vbKeyA, vbCtrlMask);
    EXPECT_EQ(box.SelLength(), text::length(testo));
    copia ? user.key(vbKeyInsert, vbCtrlMask) : user.key(vbKeyC, vbCtrlMask);
    EXPECT_EQ(desk.clipboardText(), testo);
    EXPECT_EQ(box.Text(), testo);
  }
  // Part of it: the first character.
  box.setSelStart(0);
  box.setSelLength(1);
  user.key(vbKeyC, vbCtrlMask);
  EXPECT_EQ(desk.clipboardText(), text::toUtf8(text::toU32(testo).substr(0, 1)));

  // The edit menu with the whole text selected and something to paste.
  user.key(vbKeyA, vbCtrlMask);
  desk.expectPopupMenu("Copia");
  desk.setClipboardText("x");
  user.rightClick(box);
  EXPECT_EQ(desk.clipboardText(), testo);
  EXPECT_EQ(desk.lastPopupMenu(), Menu(box.canUndo(), true, true, false));

  for (const int taglia : {0, 1}) {
    user.key(vbKeyA, vbCtrlMask);
    desk.setClipboardText("x");
    taglia ? user.key(vbKeyDelete, vbShiftMask) : user.key(vbKeyX, vbCtrlMask);
    EXPECT_EQ(desk.clipboardText(), testo);
    EXPECT_EQ(box.Text(), Vuota(tipo)) << "cut as Delete removes it in this box";
    // Undone, the text is back.
    user.key(vbKeyZ, vbCtrlMask);
    EXPECT_EQ(box.Text(), testo);
  }
  // Nothing selected: nothing to cut, copy or delete; the clipboard empty:
  // nothing to paste.
  box.setSelStart(0);
  desk.clearClipboard();
  desk.expectPopupMenu("");
  user.rightClick(box);
  EXPECT_EQ(desk.lastPopupMenu(), Menu(box.canUndo(), false, false, true));
  // "Seleziona tutto" runs Ctrl+A.
  desk.expectPopupMenu("Seleziona tutto");
  user.rightClick(box);
  EXPECT_EQ(box.SelStart(), 0);
  EXPECT_EQ(box.SelLength(), text::length(testo));
}

}  // namespace

void ControllaCaselle(ScriptedUser& user, HeadlessDesktop& desk, std::initializer_list<CasellaDaControllare> caselle) {
  Application& a = app();
  for (const CasellaDaControllare& c : caselle) {
    EditControl& box = c.casella;
    SCOPED_TRACE(std::string("casella ") + Nome(c.tipo) + " (tab index " + std::to_string(box.TabIndex()) + ")");
    Form& form = box.form();

    // Enter goes forward, Esc back.
    user.focus(box);
    ASSERT_EQ(a.focused(), &box);
    Control* dopo = form.nextTabStop(&box, true);
    user.pressEnter();
    EXPECT_EQ(a.focused(), dopo);
    user.focus(box);
    Control* prima = form.nextTabStop(&box, false);
    user.pressEsc();
    EXPECT_EQ(a.focused(), prima);

    // The whole text selected on focus.
    if (c.tipo != Casella::Nome && !box.Text().empty()) {
      if (dopo) user.focus(*dopo);
      user.focus(box);
      EXPECT_EQ(box.SelStart(), 0);
      EXPECT_EQ(box.SelLength(), text::length(box.Text()));
    }

    // A letter never reaches a numeric, amount or date box.
    if (c.tipo == Casella::Cifre || c.tipo == Casella::Decimale || c.tipo == Casella::Importo ||
        c.tipo == Casella::Data || c.tipo == Casella::Mesi) {
      user.focus(box);
      box.setSelStart(text::length(box.Text()));
      const std::string testo = box.Text();
      const size_t lampi = desk.flashes().size();
      const int beeps = desk.beeps();
      user.type("x\xC5\x81\xF0\x9F\x98\x80");  // x, Ł, 😀
      EXPECT_EQ(box.Text(), testo);
      EXPECT_EQ(Lampi(desk, lampi, box), 3) << "each refused character flashes the box";
      EXPECT_EQ(desk.beeps() - beeps, 3);
    }

    for (const Battitura& b : kBattiture) {
      if (b.tipo != c.tipo) continue;
      user.focus(box);
      box.setSelStart(0);
      box.setSelLength(text::length(box.Text()));
      const size_t lampi = desk.flashes().size();
      user.type(b.tasti);
      EXPECT_EQ(box.Text(), b.testo) << "typed " << b.tasti;
      EXPECT_EQ(Lampi(desk, lampi, box), b.rifiuti) << "typed " << b.tasti;
    }
    for (const Incollatura& i : kIncollature) {
      if (i.tipo != c.tipo) continue;
      user.focus(box);
      box.setSelStart(0);
      box.setSelLength(text::length(box.Text()));
      desk.setClipboardText(i.appunti);
      user.key(vbKeyV, vbCtrlMask);
      EXPECT_EQ(box.Text(), i.testo) << "pasted " << i.appunti;
    }
    ControllaAppunti(user, desk, box, c.tipo);
  }
}

void ControllaGruppo(ScriptedUser& user, ControlArray<OptionButton>& gruppo) {
  Application& a = app();
  std::vector<int> indici;
  for (OptionButton& o : gruppo)
    if (o.canTakeFocus()) indici.push_back(o.Index());
  ASSERT_GE(indici.size(), 2u);
  std::sort(indici.begin(), indici.end(), [&](int x, int y) { return gruppo[x].TabIndex() < gruppo[y].TabIndex(); });
  std::vector<int> clic;
  const auto originale = gruppo.Click;
  gruppo.Click = [&clic, originale](int Index) {
    clic.push_back(Index);
    if (originale) originale(Index);
  };
  const auto scelta = [&](size_t k) {
    OptionButton& o = gruppo[indici[k % indici.size()]];
    EXPECT_EQ(a.focused(), &o);
    EXPECT_TRUE(o.Value());
    for (const int i : indici) {
      if (&gruppo[i] != &o) {
        EXPECT_FALSE(gruppo[i].Value()) << "option " << i;
      }
    }
  };

  // Tab in and out: the selected option stands for the group.
  user.select(gruppo[indici[1]]);
  clic.clear();
  user.pressTab();
  for (const int i : indici) EXPECT_NE(a.focused(), &gruppo[i]) << "Tab leaves the group";
  user.pressShiftTab();
  scelta(1);
  EXPECT_TRUE(clic.empty()) << "moving the focus in changes nothing";

  // Down through every option, wrapping round, then Up back.
  const size_t n = indici.size();
  for (size_t k = 2; k <= n + 1; ++k) {
    user.key(vbKeyDown);
    scelta(k);
  }
  for (size_t k = n; k >= 1; --k) {
    user.key(vbKeyUp);
    scelta(k);
  }
  user.key(vbKeyRight);
  scelta(2);
  user.key(vbKeyLeft);
  scelta(1);
  std::vector<int> attesi;
  for (size_t k = 2; k <= n + 1; ++k) attesi.push_back(indici[k % n]);
  for (size_t k = n; k >= 1; --k) attesi.push_back(indici[k % n]);
  attesi.push_back(indici[2 % n]);
  attesi.push_back(indici[1]);
  EXPECT_EQ(clic, attesi) << "each option chosen by an arrow raises its Click";
  // Space on the selected option changes nothing.
  user.key(vbKeySpace);
  scelta(1);
  EXPECT_EQ(clic.size(), attesi.size());
  user.pressTab();
  for (const int i : indici) EXPECT_NE(a.focused(), &gruppo[i]) << "Tab leaves the group";
  gruppo.Click = originale;
}

}  // namespace quotara::testing
