#include "kit/Convenzioni.h"

#include <gtest/gtest.h>

#include <string>

#include "forms/Forms.h"
#include "kit/Dialoghi.h"
#include "kit/Messaggi.h"
#include "frame/Principale.h"
#include "support/Convenzioni.h"
#include "support/ProgramTest.h"

namespace {

using namespace forms;
using quotara::testing::Casella;

// One box of every kind, in tab order, between two buttons.
class Caselle : public Form {
 public:
  CommandButton Primo, Ultimo;
  TextBox Testo, Cifre, Decimale, Maiuscola, Importo, Data;
  ComboBox Nome;
  CheckBox Spunta;

  Caselle() {
    int y = 0;
    Primo.create(*this, 0, y, 1000, 300);
    for (TextBox* t : {&Testo, &Cifre, &Decimale, &Maiuscola, &Importo, &Data})
      t->create(*this, 0, y += 400, 2000, 300);
    Nome.create(*this, 0, y += 400, 2000, 300);
    Spunta.create(*this, 0, y += 400, 2000, 300);
    Ultimo.create(*this, 0, y += 400, 1000, 300);
    shell::CasellaTesto(Testo);
    shell::CasellaCifre(Cifre);
    shell::CasellaDecimale(Decimale);
    shell::CasellaMaiuscola(Maiuscola);
    shell::CasellaImporto(Importo);
    Importo.setMaxLength(15);
    shell::CasellaData(Data);
    Data.setText("  /  /    ");
    shell::CasellaNome(Nome);
    shell::InvioEsc(Spunta);
  }
};

class ConvenzioniTest : public quotara::testing::ProgramTest {};

TEST_F(ConvenzioniTest, EveryKindOfBox) {
  Caselle& f = application.form<Caselle>();
  f.Show();
  for (TextBox* t : {&f.Testo, &f.Cifre, &f.Decimale, &f.Maiuscola}) t->setText("0");
  f.Importo.setText("0");
  quotara::testing::ControllaCaselle(user, desk,
                                     {{f.Testo, Casella::Testo},
                                      {f.Cifre, Casella::Cifre},
                                      {f.Decimale, Casella::Decimale},
                                      {f.Maiuscola, Casella::Maiuscola},
                                      {f.Importo, Casella::Importo},
                                      {f.Data, Casella::Data},
                                      {f.Nome, Casella::Nome}});
  user.focus(f.Spunta);
  user.pressEnter();
  EXPECT_EQ(application.focused(), &f.Ultimo);
}

// Typed and pasted, the small letters of Windows-1252 turn into the same
// capitals as the program's upper-casing gives (š, œ, ž, ÿ included).
TEST_F(ConvenzioniTest, TheUpperCaseBoxGivesTheCapitalsOfSCaronOeZCaronAndYDiaeresis) {
  Caselle& f = application.form<Caselle>();
  f.Show();
  user.type(f.Maiuscola, "šœžÿà");
  EXPECT_EQ(f.Maiuscola.Text(), "ŠŒŽŸÀ");
  desk.setClipboardText("šœžÿ");
  user.key(f.Maiuscola, vbKeyV, vbCtrlMask);
  EXPECT_EQ(f.Maiuscola.Text(), "ŠŒŽŸÀŠŒŽŸ");
}

// A control array of upper-case boxes: typed, pasted and set by code, every
// box ends in upper case with the caret after its last character.
class Serie : public Form {
 public:
  ControlArray<TextBox> Text1;
  Serie() {
    for (int i = 0; i < 2; ++i) Text1.Add(i).create(*this, 0, 400 * i, 2000, 300);
    shell::CasellaMaiuscolaInFondo(Text1);
  }
};

TEST_F(ConvenzioniTest, AnArrayOfUpperCaseBoxesEndsEveryChangeInUpperCaseAtTheEnd) {
  Serie& f = application.form<Serie>();
  f.Show();
  user.type(f.Text1[1], "foglio;.");
  EXPECT_EQ(f.Text1[1].Text(), "FOGLIO");
  desk.setClipboardText("b;c");
  user.key(f.Text1[0], vbKeyV, vbCtrlMask);
  EXPECT_EQ(f.Text1[0].Text(), "B C");
  f.Text1[0].setText("sezione à");
  EXPECT_EQ(f.Text1[0].Text(), "SEZIONE À");
  EXPECT_EQ(f.Text1[0].SelStart(), 9);
  EXPECT_EQ(f.Text1[1].Text(), "FOGLIO");
}

TEST_F(ConvenzioniTest, TheAmountAndDateBoxesUseTheSharedEditors) {
  Caselle& f = application.form<Caselle>();
  f.Show();
  f.Importo.setText("0");
  user.type(f.Importo, "1234");
  EXPECT_EQ(f.Importo.Text(), "1.234");
  user.type(",5");
  user.type(",");  // one decimal comma only
  EXPECT_EQ(f.Importo.Text(), "1.234,5");
  user.focus(f.Data);
  f.Data.setSelStart(0);
  user.type("10122026");
  EXPECT_EQ(f.Data.Text(), "10/12/2026");
}

TEST_F(ConvenzioniTest, MessagesCarryTheProductTitle) {
  desk.expectMsgBox(vbOK, {.prompt = "Fatto.", .title = "Quotara", .buttons = vbOKOnly, .icon = vbInformation});
  shell::Messaggio("Fatto.");
  desk.expectMsgBox(vbYes, {.prompt = "Procedo?", .title = "Quotara", .buttons = vbYesNo, .icon = vbQuestion});
  EXPECT_TRUE(shell::Domanda("Procedo?"));
  desk.expectMsgBox(vbNo, {.title = "Quotara", .buttons = vbYesNo, .icon = vbInformation});
  EXPECT_FALSE(shell::Domanda("Procedo?", vbInformation));

  // The validator step: message, focus on the box, false.
  Caselle& f = application.form<Caselle>();
  f.Show();
  user.focus(f.Testo);
  desk.expectMsgBox(vbOK, {.prompt = "Manca la cifra.", .title = "Quotara", .icon = vbExclamation});
  EXPECT_FALSE(shell::Rifiuta(f.Cifre, "Manca la cifra."));
  EXPECT_EQ(application.focused(), &f.Cifre);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
}

// A dialog that counts its close button's clicks.
class Dialogo : public Form {
 public:
  CommandButton cmdChiudi;
  int chiusure = 0;
  Dialogo() {
    setBorderStyle(1);
    cmdChiudi.create(*this, 0, 0, 1000, 300);
    cmdChiudi.Click = [this] {
      ++chiusure;
      app().unload(*this);
    };
    shell::DialogoNonModale(*this, cmdChiudi);
  }
};

TEST_F(ConvenzioniTest, AModelessDialogHidesTheFrameUntilItClosesHoweverItCloses) {
  shell::Principale& cornice = application.form<shell::Principale>();
  cornice.Show();
  for (const char* come : {"pulsante", "casella di chiusura", "codice"}) {
    SCOPED_TRACE(come);
    Dialogo& d = application.form<Dialogo>();
    shell::ApriDialogo(d);
    EXPECT_FALSE(cornice.isShown());
    EXPECT_TRUE(d.isShown());
    const std::string modo = come;
    int chiusure = 0;
    if (modo == "pulsante") {
      user.click(d.cmdChiudi);
      chiusure = 1;
    } else if (modo == "casella di chiusura") {
      // The close box does what the close button does.
      chiusure = 1;
      d.QueryUnload = [&d, proprio = d.QueryUnload, &chiusure](int& c, int m) {
        proprio(c, m);
        EXPECT_EQ(d.chiusure, chiusure);
      };
      user.close(d);
    } else {
      application.unload(d);
    }
    EXPECT_FALSE(application.isLoaded<Dialogo>());
    EXPECT_TRUE(cornice.isShown());
  }
}

}  // namespace
