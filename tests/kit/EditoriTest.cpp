// The amount, date and combo editors, driven key by key through the form
// layer's keyboard pipeline as a user at the keyboard would.
#include "kit/Editori.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/Forms.h"
#include "forms/HeadlessDesktop.h"
#include "forms/ScriptedUser.h"
#include "kit/Applicazione.h"

namespace {

using namespace forms;

constexpr const char* Maschera = "  /  /    ";

class EditoriForm : public Form {
 public:
  TextBox Importo;  // decimals allowed
  TextBox Intero;   // no decimals
  TextBox Data;
  ComboBox Combo1;

  EditoriForm() {
    setCaption("Editori");
    setClientSize(6000, 3000);
    Importo.create(*this, 100, 100, 2000, 315);
    Importo.setMaxLength(15);
    Intero.create(*this, 100, 500, 2000, 315);
    Intero.setMaxLength(15);
    Data.create(*this, 100, 900, 2000, 315);
    Data.setMaxLength(10);
    Combo1.create(*this, 100, 1300, 3000, 315);

    Importo.KeyDown = [this](int& KeyCode, int) { shell::ImportoKeyDown(Importo, KeyCode); };
    Importo.KeyPress = [this](int& KeyAscii) { shell::ImportoKeyPress(Importo, KeyAscii, true); };
    Intero.KeyDown = [this](int& KeyCode, int) { shell::ImportoKeyDown(Intero, KeyCode); };
    Intero.KeyPress = [this](int& KeyAscii) { shell::ImportoKeyPress(Intero, KeyAscii, false); };
    Data.KeyDown = [this](int& KeyCode, int) { shell::DataKeyDown(Data, KeyCode, Maschera); };
    Data.KeyPress = [this](int& KeyAscii) { shell::DataKeyPress(Data, KeyAscii, Maschera); };
    Combo1.Change = [this] { shell::ComboAutoCompleta(Combo1); };
  }
};

class EditoriTest : public ::testing::Test {
 protected:
  HeadlessDesktop desk;
  shell::Applicazione application{desk};
  ScriptedUser user;
  EditoriForm& f = application.form<EditoriForm>();

  EditoriTest() { f.Show(); }

  // Focuses the box and puts text, caret and selection as the case starts.
  void prepare(TextBox& box, const std::string& text, int selStart, int selLength = 0) {
    user.focus(box);
    box.setText(text);
    box.setSelStart(selStart);
    box.setSelLength(selLength);
  }

  // The flashes since `prima`; every one of them must be of `box`.
  int lampi(size_t prima, const Control& box) {
    int n = 0;
    for (size_t i = prima; i < desk.flashes().size(); ++i) {
      EXPECT_EQ(desk.flashes()[i], &box);
      ++n;
    }
    return n;
  }
};

// One key of a case: a KeyCode (Delete, arrows, Backspace) or typed text.
struct Tasto {
  int keyCode = 0;
  const char* testo = nullptr;
};
const Tasto Canc{vbKeyDelete}, Back{vbKeyBack}, Sinistra{vbKeyLeft}, Destra{vbKeyRight}, Su{vbKeyUp};
Tasto Digita(const char* s) { return {0, s}; }

struct CasoCasella {
  const char* nome;
  const char* testo;
  int selStart, selLength;
  std::vector<Tasto> tasti;
  const char* atteso;
  int caret;
  int beeps = 0;
};

void premi(ScriptedUser& user, const std::vector<Tasto>& tasti) {
  for (const Tasto& t : tasti) {
    if (t.testo) {
      user.type(t.testo);
    } else {
      user.key(t.keyCode);
    }
  }
}

TEST_F(EditoriTest, AmountBoxEditsInOverwriteModeAndKeepsTheGrouping) {
  const CasoCasella casi[] = {
      {"digit at the end grows the amount", "1.234", 5, 0, {Digita("5")}, "12.345", 6},
      {"digit overwrites and skips the separator", "1.234", 0, 0, {Digita("5")}, "5.234", 2},
      {"digit before a separator overwrites the digit after it", "1.234", 1, 0, {Digita("9")}, "1.934", 3},
      {"a typed 0 in front drops the leading zero", "1.234", 0, 0, {Digita("0")}, "234", 0},
      {"digit into the 0 of an empty amount", "0", 0, 1, {Digita("7")}, "7", 1},
      {"Backspace before a separator zeroes the digit in front", "1.234", 2, 0, {Back}, "234", 0},
      {"Backspace at the end drops the last digit", "1.234", 5, 0, {Back}, "123", 3},
      {"Backspace at the start beeps", "1.234", 0, 0, {Back}, "1.234", 0, 1},
      {"Delete next to a separator only moves the caret", "1.234", 1, 0, {Canc}, "1.234", 2},
      {"Delete takes out the digit after the caret", "12.345", 0, 0, {Canc}, "2.345", 0},
      {"Delete at the end takes out the last digit", "1.234", 5, 0, {Canc}, "123", 3},
      {"Delete of everything leaves 0", "1.234", 0, 5, {Canc}, "0", 0},
      {"Delete in an empty box leaves 0", "", 0, 0, {Canc}, "0", 0},
      {"Left steps over the separator", "12.345", 3, 0, {Sinistra}, "12.345", 1},
      {"Right steps over the separator", "12.345", 1, 0, {Destra}, "12.345", 3},
      {"Up is swallowed", "12.345", 4, 0, {Su}, "12.345", 4},
      {"digits go into the decimal part, two at most", "1,5", 3, 0, {Digita("07")}, "1,50", 4, 1},
      {"a digit goes into the whole part before the comma", "1,50", 1, 0, {Digita("2")}, "12,50", 2},
      {"a second comma or point beeps", "1,5", 3, 0, {Digita(",.")}, "1,5", 3, 2},
      {"a point becomes the decimal comma", "12", 2, 0, {Digita(".5")}, "12,5", 4},
      {"letters and signs beep", "12", 2, 0, {Digita("a-;")}, "12", 2, 3},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    prepare(f.Importo, c.testo, c.selStart, c.selLength);
    const int beepsPrima = desk.beeps();
    const size_t lampiPrima = desk.flashes().size();
    premi(user, c.tasti);
    EXPECT_EQ(f.Importo.Text(), c.atteso);
    EXPECT_EQ(f.Importo.SelStart(), c.caret);
    EXPECT_EQ(desk.beeps() - beepsPrima, c.beeps);
    EXPECT_EQ(lampi(lampiPrima, f.Importo), c.beeps) << "every refused key flashes the box";
  }
}

TEST_F(EditoriTest, AmountBoxWithoutDecimalsAndItsMaximumLength) {
  const struct {
    const char* nome;
    int maxLength;
    const char* testo;
    const char* digitato;
    const char* atteso;
    int beeps;
  } casi[] = {
      {"a comma beeps", 15, "12", ",", "12", 1},
      {"a point still becomes a comma", 15, "12", ".", "12,", 0},
      {"the end grows up to the maximum length", 5, "123", "4", "1.234", 0},
      {"the end does not grow past the maximum length", 5, "1.234", "5", "1.234", 0},
      {"a box without maximum length never grows at its end", 0, "12", "3", "12", 0},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    f.Intero.setMaxLength(c.maxLength);
    prepare(f.Intero, c.testo, static_cast<int>(std::string(c.testo).size()));
    const int beepsPrima = desk.beeps();
    const size_t lampiPrima = desk.flashes().size();
    user.type(c.digitato);
    EXPECT_EQ(f.Intero.Text(), c.atteso);
    EXPECT_EQ(desk.beeps() - beepsPrima, c.beeps);
    EXPECT_EQ(lampi(lampiPrima, f.Intero), c.beeps);
  }
}

// Amounts typed from the start as a user types them, into the box as it
// takes the focus (its text selected): a "." is the decimal comma of the
// numeric keypad until a third digit after it shows it was a thousands
// separator.
TEST_F(EditoriTest, AmountsTypedTheItalianWay) {
  const struct {
    const char* nome;
    std::vector<Tasto> tasti;
    const char* conDecimali;
    int rifiutiConDecimali;
    const char* senzaDecimali;
    int rifiutiSenzaDecimali;
  } casi[] = {
      {"thousands and decimals", {Digita("40.000,00")}, "40.000,00", 0, "4.000.000", 1},
      {"millions and decimals", {Digita("1.234.567,89")}, "1.234.567,89", 0, "123.456.789", 1},
      {"one decimal after a point", {Digita("12.5")}, "12,5", 0, "12,5", 0},
      {"two decimals after a point", {Digita("12.50")}, "12,50", 0, "12,50", 0},
      {"a zero before the point", {Digita("0.5")}, "0,5", 0, "0,5", 0},
      {"a third digit makes the point a separator", {Digita("1.2345")}, "12.345", 0, "12.345", 0},
      {"three zeros after a point", {Digita("12.500")}, "12.500", 0, "12.500", 0},
      {"millions without decimals", {Digita("40.000.000")}, "40.000.000", 0, "40.000.000", 0},
      {"a decimal after a separator", {Digita("1.234.5")}, "1.234,5", 0, "1.234,5", 0},
      {"a typed comma takes two decimals only", {Digita("12,345")}, "12,34", 1, "12.345", 1},
      {"after a separator too", {Digita("1.234,567")}, "1.234,56", 1, "1.234.567", 1},
      {"a point after a tentative comma", {Digita("12.3.")}, "12,3", 1, "12,3", 1},
      {"a comma after a tentative comma", {Digita("12.3,4")}, "12,34", 1, "12,34", 1},
      {"a point after a tentative comma and two digits", {Digita("12.34.5")}, "12.345", 1, "12.345", 1},
      {"a refused key keeps the comma tentative", {Digita("1.2a34")}, "1.234", 1, "1.234", 1},
      {"a comma typed again after Backspace is the user's",
       {Digita("12."), Back, Digita(",345")},
       "12,34",
       1,
       "12.345",
       1},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    const struct {
      TextBox& box;
      const char* iniziale;
      const char* atteso;
      int rifiuti;
    } caselle[] = {
        {f.Importo, "0", c.conDecimali, c.rifiutiConDecimali},
        {f.Importo, "0,00", c.conDecimali, c.rifiutiConDecimali},
        {f.Intero, "0", c.senzaDecimali, c.rifiutiSenzaDecimali},
    };
    for (const auto& k : caselle) {
      SCOPED_TRACE(std::string(&k.box == &f.Importo ? "with decimals, from " : "without decimals, from ") + k.iniziale);
      prepare(k.box, k.iniziale, 0, static_cast<int>(std::string(k.iniziale).size()));
      const int beepsPrima = desk.beeps();
      const size_t lampiPrima = desk.flashes().size();
      premi(user, c.tasti);
      EXPECT_EQ(k.box.Text(), k.atteso);
      EXPECT_EQ(desk.beeps() - beepsPrima, k.rifiuti);
      EXPECT_EQ(lampi(lampiPrima, k.box), k.rifiuti);
    }
  }
}

// The tentative comma belongs to the text the editor left: changed by code
// or by another box, the comma is an ordinary one.
TEST_F(EditoriTest, TentativeCommaOnlyWhileTheTextIsTheEditors) {
  prepare(f.Importo, "0", 0, 1);
  user.type("12.34");
  EXPECT_EQ(f.Importo.Text(), "12,34");
  EXPECT_EQ(f.Importo.SelStart(), 5);
  f.Importo.setText("12,30");  // put by the window
  f.Importo.setSelStart(5);
  user.type("5");
  EXPECT_EQ(f.Importo.Text(), "12,30") << "a third decimal is refused";

  prepare(f.Importo, "0", 0, 1);
  user.type("1.2");
  prepare(f.Intero, "0", 0, 1);
  user.type("7.8");
  user.focus(f.Importo);
  f.Importo.setSelStart(3);
  user.type("34");
  EXPECT_EQ(f.Importo.Text(), "1.234") << "each box keeps its own";
  EXPECT_EQ(f.Importo.SelStart(), 5);

  prepare(f.Importo, "0", 0, 1);
  user.type("12.34");
  f.Importo.setSelStart(1);
  user.type("9");  // into the whole part: still tentative
  EXPECT_EQ(f.Importo.Text(), "192,34");
  f.Importo.setSelStart(6);
  user.type("5");
  EXPECT_EQ(f.Importo.Text(), "192.345");
  EXPECT_EQ(f.Importo.SelStart(), 7);
}

// A window that destroys a box and makes a new one in its place, as a page
// closed and opened again does: the new box lies at the same address.
class CaselleRifatte : public Form {
 public:
  std::optional<TextBox> Importo;
  std::optional<ComboBox> Combo1;

  CaselleRifatte() {
    setCaption("Caselle rifatte");
    setClientSize(6000, 2000);
    RifaiImporto();
    RifaiCombo();
  }

  void RifaiImporto() {
    Importo.reset();
    Importo.emplace();
    Importo->create(*this, 100, 100, 2000, 315);
    Importo->setMaxLength(15);
    Importo->KeyDown = [this](int& KeyCode, int) { shell::ImportoKeyDown(*Importo, KeyCode); };
    Importo->KeyPress = [this](int& KeyAscii) { shell::ImportoKeyPress(*Importo, KeyAscii, true); };
  }

  void RifaiCombo() {
    Combo1.reset();
    Combo1.emplace();
    Combo1->create(*this, 100, 500, 3000, 315);
    Combo1->Change = [this] { shell::ComboAutoCompleta(*Combo1); };
  }
};

// What an editor remembers of a box goes with the box: a new box, even at
// the old one's address, starts afresh.
TEST_F(EditoriTest, ANewBoxInheritsNothingFromTheOneBeforeIt) {
  CaselleRifatte& w = application.form<CaselleRifatte>();
  w.Show();

  // The old box is left with a tentative comma after "1.2".
  prepare(*w.Importo, "0", 0, 1);
  user.type("1.2");
  ASSERT_EQ(w.Importo->Text(), "1,2");
  const TextBox* vecchio = &*w.Importo;
  w.RifaiImporto();
  ASSERT_EQ(&*w.Importo, vecchio) << "the new box takes the old one's place";
  // The window puts the same text into the new box: its comma is an
  // ordinary one, and a third decimal is refused.
  prepare(*w.Importo, "1,2", 3);
  const size_t lampiPrima = desk.flashes().size();
  user.type("34");
  EXPECT_EQ(w.Importo->Text(), "1,23");
  EXPECT_EQ(lampi(lampiPrima, *w.Importo), 1);
  // In the new box a typed "." is tentative as ever.
  prepare(*w.Importo, "0", 0, 1);
  user.type("1.234");
  EXPECT_EQ(w.Importo->Text(), "1.234");

  // The old combo is left with "rz", which no item begins with.
  user.type(*w.Combo1, "rz");
  ASSERT_EQ(w.Combo1->Text(), "rz");
  const ComboBox* vecchia = &*w.Combo1;
  w.RifaiCombo();
  ASSERT_EQ(&*w.Combo1, vecchia);
  w.Combo1->AddItem("ROMA");
  user.type(*w.Combo1, "r");  // a letter typed at the end of the new combo
  EXPECT_EQ(w.Combo1->Text(), "ROMA");
  EXPECT_EQ(w.Combo1->SelStart(), 1);
  EXPECT_EQ(w.Combo1->SelLength(), 3);
  EXPECT_EQ(application.LunghezzaPrefisso, 0);
}

TEST(ImportoTesto, ValueAndFormat) {
  const struct {
    const char* testo;
    double valore;
    const char* formattato;
  } casi[] = {
      {"1.234", 1234, "1.234"},
      {"1.234,56", 1234.56, "1.235"},
      {"", 0, "0"},
      {"abc", 0, "0"},
      {" 1 2", 12, "12"},
      {"12abc", 12, "12"},
      {"-5", -5, "-5"},
      {"1,2,3", 1.2, "1"},
      {"1234567", 1234567, "1.234.567"},
      {"999,5", 999.5, "1.000"},
      {"0.234", 234, "234"},
      {"1.23 ", 123, "123"},
  };
  for (const auto& c : casi) {
    EXPECT_DOUBLE_EQ(shell::ValoreImporto(c.testo), c.valore) << c.testo;
    EXPECT_EQ(shell::FormattaImporto(c.testo), c.formattato) << c.testo;
  }
  EXPECT_EQ(shell::FormattaImporto(std::string(400, '9')), "0") << "a number too large for a double";
}

TEST_F(EditoriTest, DateBoxKeepsItsMask) {
  const CasoCasella casi[] = {
      {"digits fill the mask and skip the separators", Maschera, 0, 0, {Digita("1205")}, "12/05/    ", 6},
      {"digits to the end of the year", "12/05/    ", 6, 0, {Digita("20145")}, "12/05/2015", 10},
      {"a digit over a selection puts the mask back first", "12/05/2014", 0, 10, {Digita("3")}, "3 /  /    ", 1},
      {"a digit before a separator goes after it", "12/05/    ", 2, 0, {Digita("7")}, "12/75/    ", 4},
      {"Right stops before the first blank",
       "12/05/    ",
       0,
       0,
       {Destra, Destra, Destra, Destra, Destra},
       "12/05/    ",
       6},
      {"Left steps over the separator", "12/05/    ", 6, 0, {Sinistra}, "12/05/    ", 4},
      {"Left at the first place moves as usual", "12/05/    ", 1, 0, {Sinistra}, "12/05/    ", 0},
      {"Up is swallowed", "12/05/    ", 4, 0, {Su}, "12/05/    ", 4},
      {"Backspace writes 0 before the caret", "12/15/    ", 4, 0, {Back}, "12/05/    ", 3},
      {"Backspace after a separator", "12/15/    ", 3, 0, {Back}, "10/15/    ", 1},
      {"Backspace at the start does nothing", "12/15/    ", 0, 0, {Back}, "12/15/    ", 0},
      {"Backspace of everything gives the mask", "12/15/2014", 0, 10, {Back}, Maschera, 0},
      {"Delete writes 0 after the caret", "12/05/    ", 0, 0, {Canc}, "02/05/    ", 0},
      {"Delete leaves a separator alone", "12/05/    ", 2, 0, {Canc}, "12/05/    ", 2},
      {"Delete of a selection puts the mask back", "12/05/2014", 3, 7, {Canc}, "12/  /    ", 3},
      {"Delete of everything gives the mask", "12/05/2014", 0, 10, {Canc}, Maschera, 0},
      {"a short text is completed with the mask", "1", 1, 0, {Digita("2")}, "12/  /    ", 3},
      {"letters beep", "12/05/    ", 6, 0, {Digita("a")}, "12/05/    ", 6, 1},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    prepare(f.Data, c.testo, c.selStart, c.selLength);
    const int beepsPrima = desk.beeps();
    const size_t lampiPrima = desk.flashes().size();
    premi(user, c.tasti);
    EXPECT_EQ(f.Data.Text(), c.atteso);
    EXPECT_EQ(f.Data.SelStart(), c.caret);
    EXPECT_EQ(desk.beeps() - beepsPrima, c.beeps);
    EXPECT_EQ(lampi(lampiPrima, f.Data), c.beeps);
  }
}

// Ctrl+A selects the whole text of amount and date boxes, without a beep;
// what is typed next follows the box's own rules over the selection.
TEST_F(EditoriTest, CtrlASelectsTheWholeAmountOrDate) {
  const struct {
    TextBox& box;
    const char* testo;
    const char* dopoCanc;  // Delete of the selection
  } casi[] = {
      {f.Importo, "1.234,50", "0"},
      {f.Intero, "12.345", "0"},
      {f.Data, "12/05/2014", Maschera},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.testo);
    prepare(c.box, c.testo, 2);
    const int beepsPrima = desk.beeps();
    user.key(vbKeyA, vbCtrlMask);
    EXPECT_EQ(c.box.Text(), c.testo);
    EXPECT_EQ(c.box.SelStart(), 0);
    EXPECT_EQ(c.box.SelLength(), static_cast<int>(std::string(c.testo).size()));
    EXPECT_EQ(desk.beeps(), beepsPrima);
    user.key(vbKeyDelete);
    EXPECT_EQ(c.box.Text(), c.dopoCanc);
  }
}

struct CasoCombo {
  const char* nome;
  std::vector<const char*> voci;
  const char* iniziale;  // set by code before the user acts
  std::function<void(ScriptedUser&, ComboBox&)> azioni;
  const char* testo;
  int selStart, selLength;
};

class ComboAutoCompletaTest : public EditoriTest, public ::testing::WithParamInterface<CasoCombo> {};

TEST_P(ComboAutoCompletaTest, CompletesOnlyWhatIsTypedAtTheEnd) {
  const CasoCombo& c = GetParam();
  for (const char* v : c.voci) f.Combo1.AddItem(v);
  f.Combo1.setText(c.iniziale);
  c.azioni(user, f.Combo1);
  EXPECT_EQ(f.Combo1.Text(), c.testo);
  EXPECT_EQ(f.Combo1.SelStart(), c.selStart);
  EXPECT_EQ(f.Combo1.SelLength(), c.selLength);
  EXPECT_EQ(application.LunghezzaPrefisso, 0);
}

const CasoCombo casiCombo[] = {
    {"FirstLetterSelectsTheFirstMatch",
     {"ROMA", "ROVIGO"},
     "",
     [](ScriptedUser& u, ComboBox& c) { u.type(c, "r"); },
     "ROMA",
     1,
     3},
    {"MoreLettersMoveToTheNextMatch",
     {"ROMA", "ROVIGO"},
     "",
     [](ScriptedUser& u, ComboBox& c) { u.type(c, "rov"); },
     "ROVIGO",
     3,
     3},
    {"TypingTheHighlightedLetterGoesOnCompleting",
     {"ROMA", "ROVIGO"},
     "",
     [](ScriptedUser& u, ComboBox& c) { u.type(c, "RO"); },
     "ROMA",
     2,
     2},
    {"PrefixThatNoItemHasStaysAsTyped",
     {"ROMA", "ROVIGO"},
     "",
     [](ScriptedUser& u, ComboBox& c) { u.type(c, "z"); },
     "z",
     1,
     0},
    {"BlankLeftByAResetCountsAsTheEnd",
     {"ROMA"},
     " ",
     [](ScriptedUser& u, ComboBox& c) { u.type(c, "r"); },
     "ROMA",
     1,
     3},
    {"PrefixNotFoundCutsTheBlankAfterIt",
     {"ROMA"},
     " ",
     [](ScriptedUser& u, ComboBox& c) { u.type(c, "z"); },
     "z",
     1,
     0},
    {"BackspaceOverTheCompletionKeepsTheShorterName",
     {"VIA ROMA 10"},
     "",
     [](ScriptedUser& u, ComboBox& c) {
       u.type(c, "VIA ROMA 1");
       u.key(vbKeyBack);
     },
     "VIA ROMA 1",
     10,
     0},
    {"DeleteOverTheCompletionKeepsTheShorterName",
     {"VIA ROMA 10"},
     "",
     [](ScriptedUser& u, ComboBox& c) {
       u.type(c, "VIA ROMA 1");
       u.key(vbKeyDelete);
     },
     "VIA ROMA 1",
     10,
     0},
    {"BackspaceAtTheEndDoesNotComplete",
     {"ROMA", "ROVIGO"},
     "",
     [](ScriptedUser& u, ComboBox& c) {
       u.type(c, "rov");
       u.key(vbKeyBack);  // the highlighted IGO
       u.key(vbKeyBack);  // the V
     },
     "RO",
     2,
     0},
    {"TypingAgainAfterADeletionCompletes",
     {"ROMA", "ROVIGO"},
     "",
     [](ScriptedUser& u, ComboBox& c) {
       u.type(c, "rov");
       u.key(vbKeyBack);
       u.key(vbKeyBack);
       u.type("m");
     },
     "ROMA",
     3,
     1},
    {"TypingOverTheWholeTextCompletes",
     {"MILANO", "ROMA"},
     "ROMA",
     [](ScriptedUser& u, ComboBox& c) {
       u.focus(c);
       c.setSelLength(4);
       u.type("m");
     },
     "MILANO",
     1,
     5},
    {"TypingInsideTheTextDoesNotComplete",
     {"ROMA"},
     "XY",
     [](ScriptedUser& u, ComboBox& c) {
       u.focus(c);
       c.setSelStart(1);
       u.type("r");
     },
     "XrY",
     2,
     0},
    {"ChangeByCodeDoesNotComplete", {"ROMA"}, "", [](ScriptedUser&, ComboBox& c) { c.setText("RO"); }, "RO", 0, 0},
};
INSTANTIATE_TEST_SUITE_P(Casi, ComboAutoCompletaTest, ::testing::ValuesIn(casiCombo),
                         [](const auto& caso) { return std::string(caso.param.nome); });

TEST_F(EditoriTest, ComboCompletionSelectsTheItem) {
  int clicks = 0;
  f.Combo1.Click = [&] { ++clicks; };
  for (const char* v : {"MILANO", "ROMA"}) f.Combo1.AddItem(v);
  user.type(f.Combo1, "ro");  // each completing letter selects the item again
  EXPECT_EQ(f.Combo1.ListIndex(), 1);
  EXPECT_EQ(clicks, 2);
  user.type("x");
  EXPECT_EQ(f.Combo1.ListIndex(), -1);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(f.Combo1.Text(), "ROx");
}

}  // namespace
