// The fiscal-code window, alone (from the tools page) and as the F24 payer
// window opens it, on the real municipality table.
#include <gtest/gtest.h>

#include <cstdio>

#include "f24/frmF24.h"
#include "fiscalcode/frmCFdati.h"
#include "fiscalcode/modCodFis.h"
#include "shell/Modulo1.h"
#include "kit/Applicazione.h"
#include "kit/Dialoghi.h"
#include "frame/Principale.h"
#include "support/Convenzioni.h"
#include "support/ProgramTest.h"

namespace fiscalcode {
namespace {

using forms::vbExclamation;
using forms::vbOK;

class CFdatiTest : public quotara::testing::ProgramTest {
 protected:
  void SetUp() override { ASSERT_TRUE(EstraiFileComuni()); }
  void TearDown() override { EXPECT_EQ(desk.pendingAnswers(), 0u); }

  shell::Principale& principale() { return application.form<shell::Principale>(); }
  frmCFdati& finestra() { return application.form<frmCFdati>(); }
  // As the tools page opens it.
  frmCFdati& apri() {
    shell::ApriDialogo(finestra());
    return finestra();
  }
  void dati(frmCFdati& f, const char* cognome, const char* nome, const char* data, const char* sesso,
            const char* comune) {
    for (auto [box, testo] :
         {std::pair{&f.txtCognome, cognome}, {&f.txtNome, nome}, {&f.txtSesso, sesso}, {&f.txtComuneNascita, comune}}) {
      box->setText("");
      user.type(*box, testo);
    }
    if (data) {
      user.focus(f.txtData);
      f.txtData.setSelStart(0);
      user.type(data);
    }
  }
};

TEST_F(CFdatiTest, ChecksInOrderWithTheFocusOnTheBox) {
  struct Caso {
    const char *cognome, *nome, *data, *sesso, *comune;
    const char* messaggio;
    forms::TextBox frmCFdati::*fuoco;
  };
  const Caso casi[] = {
      {"", "", nullptr, "", "", "Devi inserire il cognome", &frmCFdati::txtCognome},
      {"rossi", "", nullptr, "", "", "Devi inserire il nome", &frmCFdati::txtNome},
      {"rossi", "mario", nullptr, "", "", "Devi inserire la data di nascita", &frmCFdati::txtData},
      {"rossi", "mario", "31021975", "m", "roma", "Devi inserire la data di nascita", &frmCFdati::txtData},
      {"rossi", "mario", "010119", "m", "roma", "Devi inserire la data di nascita", &frmCFdati::txtData},
      {"rossi", "mario", "01011980", "", "roma", "Devi inserire il sesso", &frmCFdati::txtSesso},
      {"rossi", "mario", "01011980", "m", "", "Devi inserire il comune di nascita", &frmCFdati::txtComuneNascita},
  };
  frmCFdati& f = apri();
  EXPECT_EQ(f.txtData.Text(), "  /  /    ");
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.messaggio);
    f.txtData.setText("  /  /    ");
    f.txtCF.setText("PRIMA");
    dati(f, c.cognome, c.nome, c.data, c.sesso, c.comune);
    desk.expectMsgBox(vbOK, {.prompt = c.messaggio, .title = "Quotara", .icon = vbExclamation});
    user.click(f.cmdCF);
    EXPECT_EQ(application.focused(), &(f.*c.fuoco));
    EXPECT_EQ(f.txtCF.Text(), "PRIMA");
  }
}

TEST_F(CFdatiTest, ComputesInUpperCaseAndKeepsTheTypedMunicipality) {
  frmCFdati& f = apri();
  struct Caso {
    const char *cognome, *nome, *data, *sesso, *comune, *codice, *provincia;
  };
  const Caso casi[] = {
      {"rossi", "mario", "01011980", "m", "roma", "RSSMRA80A01H501U", "RM"},
      {"rossi", "mario", "01011980", "m", "san remo", "RSSMRA80A01I138", "IM"},
      // Born abroad: the code of the state, province "EE".
      {"rossi", "maria", "01011980", "f", "francia", "RSSMRA80A41Z110", "EE"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.comune);
    dati(f, c.cognome, c.nome, c.data, c.sesso, c.comune);
    user.click(f.cmdCF);
    EXPECT_EQ(f.txtCF.Text().substr(0, std::string(c.codice).size()), c.codice);
    EXPECT_EQ(f.txtCF.Text().size(), 16u);
    EXPECT_EQ(f.lblProv.Caption(), c.provincia);
    EXPECT_EQ(f.txtCognome.Text(), "ROSSI");
    EXPECT_EQ(f.cmdReturn.Caption(), frmCFdati::kChiudiCopia);
    EXPECT_EQ(f.txtComuneNascita.Text(), shell::Maiuscolo(c.comune));
  }
  // An unknown place: the message, no code, no province, focus on the place.
  dati(f, "rossi", "mario", nullptr, "m", "atlantide");
  desk.expectMsgBox(vbOK, {.prompt = std::string(MessaggioComuneNonTrovato), .title = "Quotara"});
  user.click(f.cmdCF);
  EXPECT_EQ(f.txtCF.Text(), "");
  EXPECT_EQ(f.lblProv.Caption(), "");
  EXPECT_EQ(application.focused(), &f.txtComuneNascita);
  EXPECT_EQ(f.cmdReturn.Caption(), frmCFdati::kChiudi);
}

TEST_F(CFdatiTest, KeysOfTheBoxes) {
  frmCFdati& f = apri();
  using quotara::testing::Casella;
  quotara::testing::ControllaCaselle(user, desk,
                                     {{f.txtCognome, Casella::Maiuscola},
                                      {f.txtNome, Casella::Maiuscola},
                                      {f.txtData, Casella::Data},
                                      {f.txtComuneNascita, Casella::Maiuscola},
                                      {f.txtCF, Casella::Maiuscola}});
  // The sex box takes M and F in either case, one letter, typed or pasted.
  const std::pair<const char*, const char*> sesso[] = {{"m", "M"}, {"F", "F"}, {"x", ""},
                                                       {";", ""},  {"1", ""},  {"fm", "F"}};
  for (const auto& [tasti, testo] : sesso) {
    f.txtSesso.setText("");
    user.type(f.txtSesso, tasti);
    EXPECT_EQ(f.txtSesso.Text(), testo) << tasti;
  }
  f.txtSesso.setText("");
  desk.setClipboardText("x");
  user.focus(f.txtSesso);
  const int beeps = desk.beeps();
  user.key(forms::vbKeyV, forms::vbCtrlMask);
  EXPECT_EQ(f.txtSesso.Text(), "");
  EXPECT_EQ(desk.beeps() - beeps, 1) << "nothing of the paste taken";
  desk.setClipboardText("f");
  user.key(forms::vbKeyV, forms::vbCtrlMask);
  EXPECT_EQ(f.txtSesso.Text(), "F");
  // Tab order: surname, name, date, sex, place, compute, code, close.
  const std::vector<forms::Control*> ordine = {&f.txtCognome,       &f.txtNome, &f.txtData, &f.txtSesso,
                                               &f.txtComuneNascita, &f.cmdCF,   &f.txtCF,   &f.cmdReturn};
  user.focus(f.txtCognome);
  for (size_t i = 1; i < ordine.size(); ++i) {
    user.pressTab();
    EXPECT_EQ(application.focused(), ordine[i]) << i;
  }
}

// A typed code changes the caption, goes to the clipboard on "Chiudi"; the
// table goes with the window and comes back with it.
TEST_F(CFdatiTest, ClosingCopiesTheCodeAndEmptiesTheTable) {
  desk.setClipboardText("prima");
  frmCFdati& f = apri();
  EXPECT_FALSE(principale().Visible());
  EXPECT_FALSE(ComuniNome.empty());
  user.type(f.txtCF, "abc");
  EXPECT_EQ(f.txtCF.Text(), "ABC");
  EXPECT_EQ(f.cmdReturn.Caption(), frmCFdati::kChiudiCopia);
  user.click(f.cmdReturn);
  EXPECT_FALSE(application.isLoaded<frmCFdati>());
  EXPECT_EQ(desk.clipboardText(), "ABC");
  EXPECT_TRUE(principale().Visible());
  EXPECT_TRUE(ComuniNome.empty());
  // Without a code the clipboard stays; the close box closes the same way.
  frmCFdati& g = apri();
  EXPECT_FALSE(ComuniNome.empty());
  EXPECT_EQ(g.cmdReturn.Caption(), frmCFdati::kChiudi);
  user.close(g);
  EXPECT_FALSE(application.isLoaded<frmCFdati>());
  EXPECT_EQ(desk.clipboardText(), "ABC");
  EXPECT_TRUE(principale().Visible());
  EXPECT_TRUE(ComuniNome.empty());
}

// From the F24 payer window: pre-filled, and the data come back into it; the
// frame stays hidden throughout.
TEST_F(CFdatiTest, RoundTripFromThePayerWindow) {
  for (bool chiusura : {false, true}) {
    SCOPED_TRACE(chiusura ? "close box" : "Chiudi");
    auto& p = application.form<f24::frmF24>();
    shell::ApriDialogo(p);
    user.type(p.txtCodFis, "vecchio");
    user.type(p.txtCognome, "verdi");
    user.type(p.txtNome, "anna");
    user.focus(p.txtData);
    user.type("02021990");
    user.pickRow(p.cboSesso, 1);
    user.type(p.txtComuneN, "torino");
    user.type(p.txtProvN, "xx");
    user.click(p.cmdCodFis);
    EXPECT_FALSE(p.Visible());
    EXPECT_TRUE(application.CodFisDaF24);
    frmCFdati& f = finestra();
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(f.txtCognome.Text(), "VERDI");
    EXPECT_EQ(f.txtNome.Text(), "ANNA");
    EXPECT_EQ(f.txtData.Text(), "02/02/1990");
    EXPECT_EQ(f.txtSesso.Text(), "F");
    EXPECT_EQ(f.txtComuneNascita.Text(), "TORINO");
    EXPECT_EQ(f.lblProv.Caption(), "XX");
    user.click(f.cmdCF);
    const std::string codice = f.txtCF.Text();
    EXPECT_EQ(codice.substr(0, 11), "VRDNNA90B42");
    f.txtSesso.setText("M");
    if (chiusura)
      user.close(f);
    else
      user.click(f.cmdReturn);
    EXPECT_FALSE(application.isLoaded<frmCFdati>());
    EXPECT_FALSE(application.CodFisDaF24);
    EXPECT_TRUE(p.Visible());
    EXPECT_FALSE(principale().Visible());
    EXPECT_EQ(p.txtCodFis.Text(), codice);
    EXPECT_EQ(p.txtProvN.Text(), "TO");
    EXPECT_EQ(p.cboSesso.Text(), "Maschio");
    EXPECT_EQ(desk.clipboardText(), codice);
    user.click(p.cmdExit);
    EXPECT_TRUE(principale().Visible());
  }
}

// Opened with an empty sex box and closed at once: "Femmina", and the empty
// code goes back too.
TEST_F(CFdatiTest, AnEmptySexComesBackAsFemmina) {
  auto& p = application.form<f24::frmF24>();
  shell::ApriDialogo(p);
  p.txtCodFis.setText("X");
  user.click(p.cmdCodFis);
  EXPECT_EQ(finestra().txtSesso.Text(), "");
  user.click(finestra().cmdReturn);
  EXPECT_EQ(p.cboSesso.Text(), "Femmina");
  EXPECT_EQ(p.txtCodFis.Text(), "");
  EXPECT_EQ(p.txtData.Text(), "  /  /    ");
}

// Without the municipality table the window says so and closes; the payer
// window comes back with what it had.
TEST_F(CFdatiTest, AMissingTableHandsNothingBack) {
  auto& p = application.form<f24::frmF24>();
  shell::ApriDialogo(p);
  p.txtCodFis.setText("RSSMRA80A01H501U");
  p.txtCognome.setText("ROSSI");
  ASSERT_EQ(std::remove(PercorsoFileComuni().c_str()), 0);
  desk.expectMsgBox(vbOK, {.prompt = "Impossibile leggere l'elenco dei comuni (codfis.imu).", .icon = vbExclamation});
  user.click(p.cmdCodFis);
  EXPECT_FALSE(application.isLoaded<frmCFdati>());
  EXPECT_FALSE(application.CodFisDaF24);
  EXPECT_TRUE(p.Visible());
  EXPECT_FALSE(principale().Visible());
  EXPECT_EQ(p.txtCodFis.Text(), "RSSMRA80A01H501U");
  EXPECT_EQ(p.cboSesso.ListIndex(), -1);
}

}  // namespace
}  // namespace fiscalcode
