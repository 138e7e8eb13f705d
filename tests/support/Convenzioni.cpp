#include "Convenzioni.h"

#include <gtest/gtest.h>

#include <string>

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
#define QUOTARA_LODZ "\xC5\x81\xC3\xB3" "d\xC5\xBA \xF0\x9F\x98\x80"
constexpr Battitura kBattiture[] = {
    {Casella::Cifre, "1a,.;2", "12", 4},
    {Casella::Cifre, "3 -4", "34", 2},
    {Casella::Decimale, "1.5", "1,5", 0},
    {Casella::Decimale, "2a;,5", "2,5", 2},
    {Casella::Maiuscola, "ab,.;c", "ABC", 3},
    {Casella::Maiuscola, "forlì", "FORLÌ", 0},
    {Casella::Maiuscola, QUOTARA_LODZ, "\xC3\x93" "D ", 3},
    {Casella::Nome, "a,b;c", "abc", 2},
    {Casella::Nome, QUOTARA_LODZ, "\xC3\xB3" "d ", 3},
    {Casella::Testo, "a,b", "a,b", 0},
    {Casella::Testo, QUOTARA_LODZ, "\xC3\xB3" "d ", 3},
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
    {Casella::Maiuscola, QUOTARA_LODZ "\tx, y\x1B", "\xC3\x93" "D X Y"},
    {Casella::Nome, "Rossi;\r\nMario", "Rossi Mario"},
    {Casella::Nome, QUOTARA_LODZ "\tX;Y\x0C", "\xC3\xB3" "d X Y"},
    {Casella::Testo, QUOTARA_LODZ "\tX\x7F\r\nY", "\xC3\xB3" "d X Y"},
};
#undef QUOTARA_LODZ

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
        c.tipo == Casella::Data) {
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
  }
}

}  // namespace quotara::testing
