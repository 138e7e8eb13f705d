// The appurtenances and paid-advance dialogs, opened over the calculation
// page as it opens them (frame hidden) and driven by a scripted user.
#include "MainFormFixture.h"
#include "calculation/frmAcconto.h"
#include "calculation/frmPertinenze.h"
#include "forms/FontEngine.h"
#include "frame/Principale.h"

namespace calculation::testing {
namespace {

class DialoghiTest : public MainFormTest {
 protected:
  shell::Principale& frame() { return application.form<shell::Principale>(); }

  template <class Dialogo>
  Dialogo& apriDialogo() {
    frame().Hide();
    Dialogo& d = application.form<Dialogo>();
    d.Show();
    return d;
  }
  // The frame and the calculation page are on screen again, the dialog gone.
  template <class Dialogo>
  void tornatoAlCalcolo(MainForm& f) {
    EXPECT_FALSE(application.isLoaded<Dialogo>());
    EXPECT_TRUE(frame().isShown());
    EXPECT_TRUE(f.isShown());
  }
};

// Every control lies inside its container and every one-line caption fits
// its control (a check box also needs room for its box).
void controllaImpaginazione(Form& form) {
  for (Control* c : form.controls()) {
    const Control* box = c->containerControl();
    const float larghezza = box ? static_cast<float>(box->Width()) : form.ScaleWidth();
    const float altezza = box ? static_cast<float>(box->Height()) : form.ScaleHeight();
    EXPECT_LE(c->Left() + c->Width(), larghezza) << c->Left() << "," << c->Top();
    EXPECT_LE(c->Top() + c->Height(), altezza) << c->Left() << "," << c->Top();
    std::string caption;
    int spazio = c->Width() / TwipsPerPixel;
    if (auto* l = dynamic_cast<Label*>(c)) caption = l->Caption();
    if (auto* b = dynamic_cast<CommandButton*>(c)) caption = stripAccessKey(b->Caption());
    if (auto* k = dynamic_cast<CheckBox*>(c)) {
      caption = k->Caption();
      spazio -= 20;
    }
    if (caption.find('\n') != std::string::npos) continue;  // the instructions wrap
    EXPECT_LE(fontEngine().textWidth(c->font(), caption), spazio) << caption;
  }
}

TEST_F(DialoghiTest, DialogsAreLaidOutWithoutCutCaptions) {
  apri();
  controllaImpaginazione(apriDialogo<frmPertinenze>());
  user.close(application.form<frmPertinenze>());
  controllaImpaginazione(apriDialogo<frmAcconto>());
}

TEST_F(DialoghiTest, PertinenzeStartsFromZeroWithItsInstructions) {
  apri();
  frmPertinenze& d = apriDialogo<frmPertinenze>();
  EXPECT_EQ(d.Caption(), "Abitazione principale e pertinenze");
  for (const TextBox* t : {&d.txtPrinc, &d.txtPert1, &d.txtPert2, &d.txtPert3}) {
    EXPECT_EQ(t->Text(), "0");
    EXPECT_EQ(t->MaxLength(), 15);
  }
  EXPECT_EQ(d.lblTotale.Caption(), "0");
  EXPECT_EQ(d.lblTesto.Caption(),
            "Potete eseguire un conteggio unico dell'abitazione principale e delle relative pertinenze.\r\n"
            "ATTENZIONE!\r\n"
            "Le pertinenze devono essere di categorie catastali diverse tra loro (C2, C6 e C7) e potete "
            "inserirne al massimo 3.\r\n"
            "Se sono della stessa categoria potete calcolarne una sola con l'abitazione principale.\r\n"
            "Le pertinenze devono avere lo stesso periodo di possesso e percentuale di possesso "
            "dell'abitazione principale, altrimenti dovete ricorrere al calcolo separato. (Leggete la guida "
            "in linea)\r\n");
}

TEST_F(DialoghiTest, PertinenzeAddsUpAndCopiesTheTotal) {
  MainForm& f = apri();
  frmPertinenze& d = apriDialogo<frmPertinenze>();
  user.type(d.txtPrinc, "500");
  user.pressEnter();
  EXPECT_EQ(d.txtPrinc.Text(), "500,00");
  EXPECT_EQ(focused(), &d.txtPert1);
  user.type("100");
  EXPECT_EQ(d.lblTotale.Caption(), "600,00");
  user.type(d.txtPert3, "1234,5");
  EXPECT_EQ(d.lblTotale.Caption(), "1.834,50");
  user.pressEsc();
  EXPECT_EQ(d.txtPert3.Text(), "1.234,50");
  EXPECT_EQ(focused(), &d.txtPert2);

  user.click(d.cmdRiporta);
  EXPECT_EQ(f.Text3.Text(), "1.834,50");
  tornatoAlCalcolo<frmPertinenze>(f);
  EXPECT_EQ(focused(), &f.Text4);
}

TEST_F(DialoghiTest, PertinenzeCountsABoxWithoutANumberAsZero) {
  apri();
  frmPertinenze& d = apriDialogo<frmPertinenze>();
  d.txtPert1.setText("abc");
  user.type(d.txtPrinc, "7");
  EXPECT_EQ(d.lblTotale.Caption(), "7,00");
  user.pressTab();
  EXPECT_EQ(d.txtPrinc.Text(), "7,00");
  user.pressTab();  // leaving txtPert1
  EXPECT_EQ(d.txtPert1.Text(), "0,00");
}

TEST_F(DialoghiTest, PertinenzeLeftWithoutCopyingKeepsTheRendita) {
  const struct {
    const char* nome;
    std::function<void(ScriptedUser&, frmPertinenze&)> esci;
  } casi[] = {
      {"Chiudi", [](ScriptedUser& u, frmPertinenze& d) { u.click(d.cmdClose); }},
      {"close box", [](ScriptedUser& u, frmPertinenze& d) { u.close(d); }},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    MainForm& f = apri();
    f.Text3.setText("321");
    frmPertinenze& d = apriDialogo<frmPertinenze>();
    user.type(d.txtPrinc, "500");
    c.esci(user, d);
    EXPECT_EQ(f.Text3.Text(), "321");
    tornatoAlCalcolo<frmPertinenze>(f);
  }
}

TEST_F(DialoghiTest, AccontoStartsFromZeroAndAllowsTheDeductionOnlyForTheMainDwelling) {
  for (bool principale : {false, true}) {
    SCOPED_TRACE(principale ? "main dwelling" : "other property");
    MainForm& f = apri();
    f.Check1.setValue(principale ? vbChecked : vbUnchecked);
    frmAcconto& d = apriDialogo<frmAcconto>();
    EXPECT_EQ(d.Caption(), "Acconto versato");
    EXPECT_EQ(d.txtComune.Text(), "0,00");
    EXPECT_EQ(d.txtPrima.Text(), "0,00");
    EXPECT_EQ(d.lblTotale.Caption(), "0,00");
    EXPECT_EQ(d.txtPrima.Enabled(), principale);
    user.click(d.cmdAnnulla);
  }
}

TEST_F(DialoghiTest, AccontoTakesTheInstalmentsOnScreen) {
  const struct {
    const char* acconto;
    const char* detrazione;
    const char* attesoAcconto;
    const char* attesaDetrazione;
  } casi[] = {
      {"150,00", "50,00", "150,00", "50,00"}, {"", "", "0,00", "0,00"},  // no calculation shown
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.acconto);
    MainForm& f = apri();
    f.Check1.setValue(vbChecked);
    f.Label12.setCaption(c.acconto);
    f.Label13.setCaption(c.detrazione);
    frmAcconto& d = apriDialogo<frmAcconto>();
    user.tick(d.chkAcconto);
    EXPECT_EQ(d.txtComune.Text(), c.attesoAcconto);
    EXPECT_EQ(d.txtPrima.Text(), c.attesaDetrazione);
    EXPECT_EQ(d.lblTotale.Caption(), c.attesoAcconto);
    user.tick(d.chkAcconto);
    EXPECT_EQ(d.txtComune.Text(), "0,00");
    EXPECT_EQ(d.txtPrima.Text(), "0,00");
    EXPECT_EQ(d.lblTotale.Caption(), "0,00");
    user.click(d.cmdAnnulla);
  }
}

TEST_F(DialoghiTest, AccontoTotalFollowsOnlyTheAdvance) {
  MainForm& f = apri();
  f.Check1.setValue(vbChecked);
  frmAcconto& d = apriDialogo<frmAcconto>();
  user.type(d.txtComune, "1234");
  EXPECT_EQ(d.lblTotale.Caption(), "1.234,00");
  user.type(d.txtPrima, "50");
  EXPECT_EQ(d.lblTotale.Caption(), "1.234,00");
}

TEST_F(DialoghiTest, AccontoCalcolaComputesTheBalanceFromTheAdvancePaid) {
  MainForm& f = apri();
  datiMinimi(f);  // tax due 336,00
  frmAcconto& d = apriDialogo<frmAcconto>();
  user.type(d.txtComune, "120");
  user.click(d.cmdCalcola);
  EXPECT_DOUBLE_EQ(application.TotaleVersato, 120);
  EXPECT_DOUBLE_EQ(application.DetrazioneAccontoVersata, 0);
  EXPECT_EQ(f.Label12.Caption(), "120,00");
  EXPECT_EQ(f.Label14.Caption(), "216,00");
  EXPECT_EQ(application.ImportoAcconto, "120,00");
  EXPECT_EQ(application.ImportoSaldo, "216,00");
  tornatoAlCalcolo<frmAcconto>(f);
}

TEST_F(DialoghiTest, AccontoLeftWithoutCalculatingChangesNothing) {
  const struct {
    const char* nome;
    std::function<void(ScriptedUser&, frmAcconto&)> esci;
  } casi[] = {
      {"Annulla", [](ScriptedUser& u, frmAcconto& d) { u.click(d.cmdAnnulla); }},
      {"close box", [](ScriptedUser& u, frmAcconto& d) { u.close(d); }},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    MainForm& f = apri();
    application.TotaleVersato = 7;
    application.DetrazioneAccontoVersata = 3;
    frmAcconto& d = apriDialogo<frmAcconto>();
    user.type(d.txtComune, "120");
    c.esci(user, d);
    EXPECT_DOUBLE_EQ(application.TotaleVersato, 7);
    EXPECT_DOUBLE_EQ(application.DetrazioneAccontoVersata, 3);
    EXPECT_EQ(f.Label12.Caption(), "");
    tornatoAlCalcolo<frmAcconto>(f);
  }
}

// The calculation page's own buttons open the dialogs with the frame hidden.
TEST_F(DialoghiTest, TheCalculationPageOpensBothDialogs) {
  MainForm& f = apri();
  user.tick(f.Check1);  // main dwelling: "Pert." shows
  user.click(f.cmdPertinenze);
  EXPECT_FALSE(frame().isShown());
  ASSERT_TRUE(application.isLoaded<frmPertinenze>());
  EXPECT_TRUE(application.form<frmPertinenze>().isShown());
  user.close(application.form<frmPertinenze>());
  tornatoAlCalcolo<frmPertinenze>(f);

  datiMinimi(f);
  user.tick(f.chkManuale);
  desk.expectMsgBox(vbYes);  // no deduction typed: go on all the same
  user.click(f.Command1);
  EXPECT_FALSE(frame().isShown());
  ASSERT_TRUE(application.isLoaded<frmAcconto>());
  frmAcconto& d = application.form<frmAcconto>();
  user.type(d.txtComune, "100");
  user.click(d.cmdCalcola);
  EXPECT_EQ(f.Label12.Caption(), "100,00");
  tornatoAlCalcolo<frmAcconto>(f);
}

}  // namespace
}  // namespace calculation::testing
