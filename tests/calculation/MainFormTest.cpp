// The calculation page driven by a scripted user: defaults, the boxes'
// editing rules, Enter and Esc, the coupling of options and check boxes, the
// checks before the calculation and the results it shows.
#include <functional>

#include "MainFormFixture.h"
#include "support/Convenzioni.h"
#include "fiscalcode/frmCodComune.h"
#include "fiscalcode/modCodFis.h"
#include "forms/FontEngine.h"
#include "forms/Text.h"
#include "frame/Principale.h"

namespace calculation::testing {
namespace {

TEST_F(MainFormTest, StatoIniziale) {
  MainForm& f = apri();
  EXPECT_EQ(shell::app().PaginaAttiva, 1);
  EXPECT_EQ(f.Caption(), "Calcola TASI");
  EXPECT_EQ(f.Text2.Text(), "2026");
  EXPECT_EQ(f.Text3.Text(), "0");
  EXPECT_EQ(f.Text4.Text(), "0");
  EXPECT_EQ(f.Text5.Text(), "5");
  EXPECT_EQ(f.Text7.Text(), "0");
  EXPECT_FALSE(f.Text7.Enabled());
  EXPECT_EQ(f.Text8.Text(), "12");
  EXPECT_EQ(f.Text9.Text(), "100");
  EXPECT_EQ(f.Text1.Text(), "6");
  EXPECT_EQ(f.Text10.Text(), "6");
  EXPECT_FALSE(f.Text1.Enabled());
  EXPECT_FALSE(f.Text10.Enabled());
  EXPECT_TRUE(f.Option1[0].Value());
  for (const Label* l : {&f.Label8, &f.Label10, &f.Label11, &f.Label18, &f.Label12, &f.Label13, &f.Label14, &f.Label15,
                         &f.lblCodCom, &f.lblCodCat})
    EXPECT_EQ(l->Caption(), "");
  EXPECT_FALSE(f.Command3.Enabled());
  EXPECT_EQ(f.txtNum.Text(), "0");
  EXPECT_FALSE(f.txtNum.Enabled());
  EXPECT_FALSE(f.txtLocata.Enabled());
  EXPECT_FALSE(f.chkInquilino.Enabled());
  EXPECT_FALSE(f.cmdPertinenze.Visible());
  EXPECT_FALSE(f.List1.Visible());
  EXPECT_EQ(f.Label8.Width(), 2400);
  EXPECT_EQ(f.Label6[4].Caption(), "(x    1)");
  EXPECT_FALSE(f.Label6.exists(3));
}

// Every control lies inside its container and the page inside the frame's
// client area; no caption is wider than its control (headless metrics).
TEST_F(MainFormTest, Impaginazione) {
  MainForm& f = apri();
  const Form& cornice = application.form<shell::Principale>();
  EXPECT_LE(f.Width(), cornice.ScaleWidth());
  EXPECT_LE(f.Height(), cornice.pageHeight());

  const auto larghezza = [](const Element& e, const std::string& testo) {
    return fontEngine().textWidth(e.font(), stripAccessKey(testo)) * TwipsPerPixel;
  };
  for (Control* c : f.controls()) {
    if (!c->Visible() && c != &f.cmdPertinenze) continue;
    int larghezzaContenitore = f.Width(), altezzaContenitore = f.Height();
    if (const Control* k = c->containerControl()) {
      larghezzaContenitore = k->Width();
      altezzaContenitore = k->Height();
    }
    if (!dynamic_cast<LineControl*>(c)) {
      EXPECT_GE(c->Left(), 0);
      EXPECT_GE(c->Top(), 0);
      EXPECT_LE(c->Left() + c->Width(), larghezzaContenitore);
      EXPECT_LE(c->Top() + c->Height(), altezzaContenitore);
    }
    if (auto* l = dynamic_cast<Label*>(c)) {
      EXPECT_LE(larghezza(*l, l->Caption()), l->Width()) << l->Caption();
    }
    if (auto* k = dynamic_cast<CheckBox*>(c)) {
      EXPECT_LE(larghezza(*k, k->Caption()) + 16 * TwipsPerPixel, k->Width()) << k->Caption();
    }
    if (auto* o = dynamic_cast<OptionButton*>(c)) {
      EXPECT_LE(larghezza(*o, o->Caption()) + 16 * TwipsPerPixel, o->Width()) << o->Caption();
    }
    if (auto* b = dynamic_cast<CommandButton*>(c)) {
      EXPECT_LE(larghezza(*b, b->Caption()) + 8 * TwipsPerPixel, b->Width()) << b->Caption();
    }
    if (auto* r = dynamic_cast<Frame*>(c)) {
      EXPECT_LE(larghezza(*r, r->Caption()) + 16 * TwipsPerPixel, r->Width()) << r->Caption();
    }
  }
  // The longer caption of Label2(5) fits too.
  f.Option1[3].setValue(true);
  EXPECT_LE(larghezza(f.Label2[5], f.Label2[5].Caption()), f.Label2[5].Width());

  // The six frames do not overlap.
  const std::vector<const Frame*> cornici = {&f.Frame1, &f.Frame2, &f.Frame3, &f.Frame4, &f.Frame5, &f.Frame6};
  for (size_t i = 0; i < cornici.size(); ++i)
    for (size_t j = i + 1; j < cornici.size(); ++j) {
      const Frame& a = *cornici[i];
      const Frame& b = *cornici[j];
      const bool separate = a.Left() + a.Width() <= b.Left() || b.Left() + b.Width() <= a.Left() ||
                            a.Top() + a.Height() <= b.Top() || b.Top() + b.Height() <= a.Top();
      EXPECT_TRUE(separate) << a.Caption() << " / " << b.Caption();
    }
}

TEST_F(MainFormTest, OrdineDiTabulazione) {
  MainForm& f = apri();
  user.focus(f.Combo1);
  const std::vector<const Control*> atteso = {&f.Combo3,     &f.Combo2,    &f.cmdCodCat, &f.Text2,    &f.Text3,
                                              &f.Text4,      &f.Text5,     &f.Text8,     &f.Text9,    &f.Check1,
                                              &f.Option1[0], &f.chkUnica,  &f.Command1,  &f.Command2, &f.chkInagibile,
                                              &f.chkManuale, &f.chkLocata, &f.Combo1};
  for (const Control* c : atteso) {
    user.pressTab();
    EXPECT_EQ(focused(), c) << "tab index " << c->TabIndex();
  }
}

// Enter moves on and Esc back, in the boxes, the combos, Check1 and the options.
TEST_F(MainFormTest, InvioEdEsc) {
  MainForm& f = apri();
  const struct {
    Control* da;
    const Control* avanti;
  } casi[] = {
      {&f.Combo1, &f.Combo3}, {&f.Text2, &f.Text3},  {&f.Text3, &f.Text4},       {&f.Text4, &f.Text5},
      {&f.Text8, &f.Text9},   {&f.Text9, &f.Check1}, {&f.Check1, &f.Option1[0]},
  };
  for (const auto& c : casi) {
    user.focus(*c.da);
    user.pressEnter();
    EXPECT_EQ(focused(), c.avanti);
    user.pressEsc();
    EXPECT_EQ(focused(), c.da);
  }
  user.focus(f.Option1[0]);
  user.pressEnter();
  EXPECT_EQ(focused(), &f.chkUnica);
  EXPECT_EQ(f.Text3.Text(), "0,00");
  EXPECT_FALSE(f.Check1.Value());
  EXPECT_EQ(desk.beeps(), 0);
}

// What each box makes of what is typed, and of its text when it is left.
TEST_F(MainFormTest, Caselle) {
  MainForm& f = apri();
  const struct {
    TextBox MainForm::*casella;
    const char* digitato;
    const char* mentre;  // the text after the keys
    const char* dopo;    // after leaving the box
  } casi[] = {
      {&MainForm::Text3, "1234,5", "1.234,5", "1.234,50"},
      {&MainForm::Text3, "1234567", "1.234.567", "1.234.567,00"},
      {&MainForm::Text3, "12a", "12", "12,00"},
      {&MainForm::Text4, "2.5", "2,5", "2,5"},
      {&MainForm::Text4, "\b", "", "0"},
      {&MainForm::Text4, "x1", "1", "1"},
      {&MainForm::Text5, "\b", "", "0"},
      {&MainForm::Text2, "20a1", "201", "2026"},
      {&MainForm::Text2, "2011", "2011", "2026"},
      {&MainForm::Text2, "2012", "2012", "2012"},
      {&MainForm::Text2, "\b", "", "2026"},
      {&MainForm::Text9, "150", "100", "100"},
      {&MainForm::Text9, "100,5", "100", "100"},
      {&MainForm::Text9, "33.3", "33,3", "33,3"},
      {&MainForm::Text9, "0", "0", "100"},
      {&MainForm::Text9, "0,0", "0,0", "100"},
      {&MainForm::Text9, "\b", "", "100"},
      {&MainForm::Text8, "1x", "1", "1"},
  };
  for (const auto& c : casi) {
    TextBox& t = f.*c.casella;
    if (std::string(c.digitato) == "\b") {
      user.focus(t);
      user.key(vbKeyBack);
    } else {
      user.type(t, c.digitato);
    }
    EXPECT_EQ(t.Text(), c.mentre) << c.digitato;
    user.focus(f.Combo1);
    EXPECT_EQ(t.Text(), c.dopo) << c.digitato;
  }
}

TEST_F(MainFormTest, DetrazioneFormattataAllUscita) {
  MainForm& f = apri();
  user.tick(f.Check1);
  user.type(f.Text7, "1200");
  user.focus(f.Combo1);
  EXPECT_EQ(f.Text7.Text(), "1.200,00");
}

TEST_F(MainFormTest, CombiRifiutanoVirgolaEPuntoEVirgola) {
  MainForm& f = apri();
  user.type(f.Combo3, "Via Roma, 1; int. 2");
  EXPECT_EQ(f.Combo3.Text(), "Via Roma 1 int. 2");
  // In pasted text ";" and line breaks become one blank between the words.
  desk.setClipboardText("Rossi;Mario\r\nBis");
  user.focus(f.Combo1);
  user.key(vbKeyV, vbCtrlMask);
  EXPECT_EQ(f.Combo1.Text(), "Rossi Mario Bis");
  // A numeric box takes nothing of it: unchanged, with the bell and a flash.
  user.focus(f.Text4);
  const int beeps = desk.beeps();
  const size_t lampi = desk.flashes().size();
  user.key(vbKeyV, vbCtrlMask);
  EXPECT_EQ(f.Text4.Text(), "0");
  EXPECT_EQ(desk.beeps() - beeps, 1);
  ASSERT_EQ(desk.flashes().size() - lampi, 1u);
  EXPECT_EQ(desk.flashes().back(), &f.Text4);
}

TEST_F(MainFormTest, SanRemo) {
  MainForm& f = apri();
  user.type(f.Combo1, "SAN REMO");
  user.pressTab();
  EXPECT_EQ(f.Combo1.Text(), "SANREMO");
}

TEST_F(MainFormTest, MesiDiPossesso) {
  MainForm& f = apri();
  const struct {
    const char* mesi;
    const char* attesi;
    const char* primo;
    const char* secondo;
    bool abilitati;
  } casi[] = {
      {"13", "12", "6", "6", false}, {"0", "12", "6", "6", false}, {"4", "4", "4", "0", true},
      {"9", "9", "6", "3", true},    {"6", "6", "6", "0", true},   {"12", "12", "6", "6", false},
  };
  for (const auto& c : casi) {
    user.type(f.Text8, c.mesi);
    user.pressTab();
    EXPECT_EQ(f.Text8.Text(), c.attesi) << c.mesi;
    EXPECT_EQ(f.Text1.Text(), c.primo) << c.mesi;
    EXPECT_EQ(f.Text10.Text(), c.secondo) << c.mesi;
    EXPECT_EQ(f.Text1.Enabled(), c.abilitati) << c.mesi;
    EXPECT_EQ(f.Text10.Enabled(), c.abilitati) << c.mesi;
  }
}

// The half-years always add up to the months, the first within what they allow.
TEST_F(MainFormTest, Semestri) {
  MainForm& f = apri();
  const struct {
    const char* mesi;
    TextBox MainForm::*casella;
    const char* digitato;
    const char* primo;
    const char* secondo;
  } casi[] = {
      {"9", &MainForm::Text1, "4", "4", "5"},  {"9", &MainForm::Text1, "2", "3", "6"},
      {"9", &MainForm::Text10, "5", "4", "5"}, {"9", &MainForm::Text10, "0", "6", "3"},
      {"4", &MainForm::Text1, "6", "4", "0"},  {"4", &MainForm::Text10, "3", "1", "3"},
      {"9", &MainForm::Text1, "7", "6", "3"},  {"9", &MainForm::Text1, "del", "3", "6"},
  };
  for (const auto& c : casi) {
    user.type(f.Text8, c.mesi);
    user.pressTab();
    if (std::string(c.digitato) == "del") {  // Delete with the whole text selected
      user.focus(f.*c.casella);
      user.key(vbKeyDelete);
    } else {
      user.type(f.*c.casella, c.digitato);
    }
    EXPECT_EQ(f.Text1.Text(), c.primo) << c.mesi << " " << c.digitato;
    EXPECT_EQ(f.Text10.Text(), c.secondo) << c.mesi << " " << c.digitato;
    user.focus(f.Combo1);
    EXPECT_EQ(f.Text1.Text(), c.primo) << c.mesi << " " << c.digitato;
    EXPECT_EQ(f.Text10.Text(), c.secondo) << c.mesi << " " << c.digitato;
  }
}

TEST_F(MainFormTest, AbitazionePrincipale) {
  MainForm& f = apri();
  user.tick(f.Check1);
  EXPECT_EQ(f.txtNum.Text(), "1");
  EXPECT_EQ(f.Text7.Text(), "0");
  EXPECT_TRUE(f.txtNum.Enabled());
  EXPECT_TRUE(f.Text7.Enabled());
  EXPECT_TRUE(f.cmdPertinenze.Visible());
  EXPECT_FALSE(f.chkLocata.Enabled());
  EXPECT_EQ(focused(), &f.txtNum);

  user.type(f.txtNum, "2");
  user.type(f.Text7, "200");
  user.tick(f.Check1);
  EXPECT_EQ(f.txtNum.Text(), "0");
  EXPECT_EQ(f.Text7.Text(), "0");
  EXPECT_FALSE(f.txtNum.Enabled());
  EXPECT_FALSE(f.Text7.Enabled());
  EXPECT_FALSE(f.cmdPertinenze.Visible());
  EXPECT_TRUE(f.chkLocata.Enabled());
  EXPECT_FALSE(f.txtLocata.Enabled());
}

TEST_F(MainFormTest, AbitazionePrincipaleDaArchivio) {
  MainForm& f = apri();
  shell::app().DaArchivio = true;
  f.Text7.setText("300,00");
  f.txtNum.setText("2");
  f.Check1.setValue(vbChecked);
  EXPECT_EQ(f.Text7.Text(), "300,00");
  EXPECT_EQ(f.txtNum.Text(), "2");
  EXPECT_TRUE(f.Text7.Enabled());
  EXPECT_FALSE(shell::app().DaArchivio);
}

TEST_F(MainFormTest, ImmobileLocato) {
  MainForm& f = apri();
  user.tick(f.chkLocata);
  EXPECT_FALSE(f.Check1.Value());
  EXPECT_FALSE(f.Check1.Enabled());
  EXPECT_EQ(f.txtNum.Text(), "0");
  EXPECT_TRUE(f.txtLocata.Enabled());
  EXPECT_EQ(focused(), &f.txtLocata);
  EXPECT_TRUE(f.chkInquilino.Enabled());

  user.type(f.txtLocata, "30");
  user.tick(f.chkInquilino);
  user.tick(f.chkLocata);
  EXPECT_TRUE(f.Check1.Enabled());
  EXPECT_EQ(f.txtLocata.Text(), "0");
  EXPECT_FALSE(f.txtLocata.Enabled());
  EXPECT_FALSE(f.chkInquilino.Enabled());
  EXPECT_FALSE(f.chkInquilino.Value());
}

TEST_F(MainFormTest, TipologiaImmobile) {
  MainForm& f = apri();
  user.tick(f.Check1);
  user.select(f.Option1[1]);
  EXPECT_TRUE(f.Check1.Value());
  EXPECT_FALSE(f.Check1.Enabled());
  user.select(f.Option1[0]);
  EXPECT_TRUE(f.Check1.Enabled());
  user.select(f.Option1[5]);
  EXPECT_FALSE(f.Check1.Value());
  EXPECT_FALSE(f.Check1.Enabled());

  user.tick(f.chkInagibile);
  user.select(f.Option1[3]);
  EXPECT_EQ(f.Text5.Text(), "0");
  EXPECT_EQ(f.Label2[5].Caption(), "Valore venale in euro:");
  EXPECT_FALSE(f.chkInagibile.Value());
  EXPECT_FALSE(f.chkInagibile.Enabled());
  user.select(f.Option1[7]);
  EXPECT_EQ(f.Text5.Text(), "5");
  EXPECT_EQ(f.Label2[5].Caption(), "Reddito catastale in euro:");
  EXPECT_TRUE(f.chkInagibile.Enabled());
}

TEST_F(MainFormTest, SaldoManualeESoluzioneUnicaSiEscludono) {
  MainForm& f = apri();
  user.tick(f.chkManuale);
  EXPECT_FALSE(f.chkUnica.Enabled());
  user.tick(f.chkManuale);
  EXPECT_TRUE(f.chkUnica.Enabled());
  user.tick(f.chkUnica);
  EXPECT_FALSE(f.chkManuale.Enabled());
  EXPECT_FALSE(f.chkManuale.Value());
  EXPECT_TRUE(desk.msgBoxes().empty());  // not 2012: no question
}

TEST_F(MainFormTest, SoluzioneUnicaNel2012) {
  MainForm& f = apri();
  user.type(f.Text2, "2012");
  desk.expectMsgBox(vbNo, {.prompt = "Vista l'incertezza sulle aliquote per il 2012 si sconsiglia "
                                     "vivamente l'utilizzo del pagamento in soluzione unica.\r\n\r\n"
                                     "Vuoi comunque proseguire?",
                           .title = "Quotara",
                           .buttons = vbYesNo,
                           .icon = vbInformation});
  user.tick(f.chkUnica);
  EXPECT_FALSE(f.chkUnica.Value());
  EXPECT_TRUE(f.chkManuale.Enabled());

  desk.expectMsgBox(vbYes);
  user.tick(f.chkUnica);
  EXPECT_TRUE(f.chkUnica.Value());
}

TEST_F(MainFormTest, NuovoCalcoloAzzeraAncheInagibileESaldoManuale) {
  MainForm& f = apri();
  user.tick(f.chkInagibile);
  user.tick(f.chkManuale);
  user.type(f.Text3, "500");
  user.click(f.Command2);
  EXPECT_FALSE(f.chkInagibile.Value());
  EXPECT_FALSE(f.chkManuale.Value());
  EXPECT_TRUE(f.chkUnica.Enabled());
  EXPECT_EQ(f.Text3.Text(), "0");
  // The new calculation starts with the taxpayer: typing goes there.
  EXPECT_EQ(application.focused(), &f.Combo1);
  user.type("ROSSI");
  EXPECT_EQ(f.Combo1.Text(), "ROSSI");
}

// --- Checks before the calculation ---------------------------------------------

const char* const kManca = "Devi immettere il valore della ";

struct CasoRifiuto {
  const char* nome;
  std::function<void(MainForm&, ScriptedUser&)> prepara;
  std::string messaggio;
  TextBox MainForm::*fuoco;
};

const CasoRifiuto kRifiuti[] = {
    {"annoVuoto", [](MainForm& f, ScriptedUser&) { f.Text2.setText(""); }, std::string(kManca) + "anno di imposta!",
     &MainForm::Text2},
    {"renditaZeroFormattata",
     [](MainForm& f, ScriptedUser& u) {
       u.type(f.Text3, "0");
       u.type(f.Text4, "2");
     },
     std::string(kManca) + "rendita catastale!", &MainForm::Text3},
    // Typing refuses a second comma; a text that holds one anyway (set by
    // code) reads as no rate.
    {"aliquotaDueVirgole",
     [](MainForm& f, ScriptedUser& u) {
       u.type(f.Text3, "1000");
       f.Text4.setText("2,5,1");
     },
     std::string(kManca) + "aliquota TASI!", &MainForm::Text4},
    {"aliquotaZeroDecimale",
     [](MainForm& f, ScriptedUser& u) {
       u.type(f.Text3, "1000");
       u.type(f.Text4, "0,0");
     },
     "L'aliquota non può essere zero.", &MainForm::Text4},
    {"proprietariDoppioZero",
     [](MainForm& f, ScriptedUser& u) {
       u.type(f.Text3, "1000");
       u.type(f.Text4, "2");
       u.tick(f.Check1);
       u.type(f.txtNum, "00");
       u.type(f.Text7, "200");
     },
     std::string(kManca) + "casella relativa al numero di proprietari che risiedono nella prima casa!",
     &MainForm::txtNum},
    {"inquilinoSenzaPercentuale",
     [](MainForm& f, ScriptedUser& u) {
       u.type(f.Text3, "1000");
       u.type(f.Text4, "2");
       u.tick(f.chkLocata);
       u.tick(f.chkInquilino);
     },
     std::string(kManca) + "percentuale a carico dell'inquilino!", &MainForm::txtLocata},
};

class MainFormRifiuti : public MainFormTest, public ::testing::WithParamInterface<CasoRifiuto> {};

TEST_P(MainFormRifiuti, UnSoloMessaggioENienteCalcolo) {
  for (const bool manuale : {false, true}) {
    MainForm& f = apri();
    if (manuale) user.tick(f.chkManuale);
    GetParam().prepara(f, user);
    desk.expectMsgBox(vbOK,
                      {.prompt = GetParam().messaggio, .title = "Quotara", .buttons = vbOKOnly, .icon = vbExclamation});
    calcola(f);
    EXPECT_EQ(desk.pendingAnswers(), 0u);
    EXPECT_EQ(focused(), &(f.*GetParam().fuoco));
    EXPECT_EQ(f.Label8.Caption(), "");
    EXPECT_TRUE(f.isShown()) << "no dialog opened";
    user.click(f.Command2);
  }
}

INSTANTIATE_TEST_SUITE_P(MainForm, MainFormRifiuti, ::testing::ValuesIn(kRifiuti),
                         [](const auto& caso) { return std::string(caso.param.nome); });

TEST_F(MainFormTest, AliquotaAgricolaOltreL1PerMille) {
  MainForm& f = apri();
  user.select(f.Option1[6]);
  user.type(f.Text3, "1000");
  user.type(f.Text4, "1,5");
  const std::string domanda =
      "L'aliquota per gli immobili strumentali alle attività agricole non può essere superiore "
      "all'1 per mille.\r\nVuoi continuare comunque?";
  desk.expectMsgBox(vbNo, {.prompt = domanda, .buttons = vbYesNo, .icon = vbQuestion});
  calcola(f);
  EXPECT_EQ(f.Label8.Caption(), "");
  desk.expectMsgBox(vbYes, {.prompt = domanda});
  calcola(f);
  EXPECT_EQ(f.lblCodCom.Caption(), "3959");

  user.type(f.Text4, "1");
  calcola(f);  // no question at 1 per mille
  EXPECT_EQ(f.Label8.Caption(), "68,25");
  EXPECT_EQ(desk.pendingAnswers(), 0u);
}

TEST_F(MainFormTest, AbitazionePrincipaleSenzaDetrazione) {
  MainForm& f = apri();
  datiMinimi(f);
  user.tick(f.Check1);
  desk.expectMsgBox(vbNo, {.prompt = "Non hai immesso la detrazione per l'abitazione principale."
                                     "\r\nVuoi continuare comunque?"});
  calcola(f);
  EXPECT_EQ(f.Label8.Caption(), "");
  desk.expectMsgBox(vbYes);
  calcola(f);
  EXPECT_EQ(f.lblCodCom.Caption(), "3958");
}

// --- Results ---------------------------------------------------------------------

struct Risultati {
  const char *Label8, *Label10, *Label11, *Label18, *Label12, *Label13, *Label14, *Label15, *lblCodCom, *ImportoAcconto,
      *ImportoSaldo;
};

void Confronta(const MainForm& f, const Risultati& r) {
  EXPECT_EQ(f.Label8.Caption(), r.Label8);
  EXPECT_EQ(f.Label10.Caption(), r.Label10);
  EXPECT_EQ(f.Label11.Caption(), r.Label11);
  EXPECT_EQ(f.Label18.Caption(), r.Label18);
  EXPECT_EQ(f.Label12.Caption(), r.Label12);
  EXPECT_EQ(f.Label13.Caption(), r.Label13);
  EXPECT_EQ(f.Label14.Caption(), r.Label14);
  EXPECT_EQ(f.Label15.Caption(), r.Label15);
  EXPECT_EQ(f.lblCodCom.Caption(), r.lblCodCom);
  EXPECT_EQ(shell::app().ImportoAcconto, r.ImportoAcconto);
  EXPECT_EQ(shell::app().ImportoSaldo, r.ImportoSaldo);
}

TEST_F(MainFormTest, CalcoloOrdinario) {
  MainForm& f = apri();
  datiMinimi(f);
  calcola(f);
  Confronta(f, {"336,00", "336,00", "0,00", "336,00", "168,00", "0,00", "168,00", "0,00", "3961", "168,00", "168,00"});
  EXPECT_TRUE(f.Command3.Enabled());
}

TEST_F(MainFormTest, RateArrotondateAllEuro) {
  MainForm& f = apri();
  user.select(f.Option1[3]);
  user.type(f.Text3, "101000");
  user.type(f.Text4, "1");
  calcola(f);
  Confronta(f, {"101,00", "101,00", "0,00", "101,00", "51,00", "0,00", "50,00", "0,00", "3960", "50,50", "50,50"});
}

TEST_F(MainFormTest, SoluzioneUnica) {
  MainForm& f = apri();
  user.select(f.Option1[3]);
  user.type(f.Text3, "100400");
  user.type(f.Text4, "1");
  user.tick(f.chkUnica);
  calcola(f);
  Confronta(f, {"100,40", "100,40", "0,00", "100,40", "100,00", "0,00", "0,00", "0", "3960", "100,40", "0,00"});
}

TEST_F(MainFormTest, DetrazioneOltreLImposta) {
  MainForm& f = apri();
  user.type(f.Text3, "100");
  user.type(f.Text4, "1");
  user.tick(f.Check1);
  user.type(f.Text7, "300");
  desk.expectMsgBox(vbOK, {.title = "Quotara - Eccedenza imposta detraibile", .icon = vbInformation});
  calcola(f);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_EQ(desk.msgBoxes().back().prompt.substr(0, 45), "Eccedenza d'imposta detraibile = 283,20 euro\r");
  EXPECT_EQ(desk.clipboardText(), "283,20");
  Confronta(f, {"16,80", "16,80", "16,80", "0", "0", "8,40", "0", "8,40", "3958", "0,00", "0,00"});
  // The excess "can be pasted into the deduction": Ctrl+V, Shift+Insert and
  // the edit menu's "Incolla" each put it there.
  for (const int modo : {0, 1, 2}) {
    SCOPED_TRACE(modo);
    user.focus(f.Text3);
    user.focus(f.Text7);
    EXPECT_EQ(f.Text7.SelLength(), static_cast<int>(f.Text7.Text().size())) << "selected on focus";
    if (modo == 0) user.key(vbKeyV, vbCtrlMask);
    if (modo == 1) user.key(vbKeyInsert, vbShiftMask);
    if (modo == 2) {
      desk.expectPopupMenu("Incolla");
      user.rightClick(f.Text7);
    }
    EXPECT_EQ(f.Text7.Text(), "283,20");
  }
}

// The excess deduction message's own example: 916,00 pasted into the box.
TEST_F(MainFormTest, LaDetrazioneIncollataEntraNellaCasella) {
  MainForm& f = apri();
  user.tick(f.Check1);
  desk.setClipboardText("916,00");
  user.focus(f.Text7);
  user.key(vbKeyV, vbCtrlMask);
  EXPECT_EQ(f.Text7.Text(), "916,00");
  desk.setClipboardText("1.234,56");
  user.focus(f.Text3);
  user.key(vbKeyV, vbCtrlMask);
  EXPECT_EQ(f.Text3.Text(), "1.234,56");
  // Ctrl+A then Ctrl+C copies the rendita; Ctrl+X cuts it.
  desk.clearClipboard();
  user.key(vbKeyA, vbCtrlMask);
  user.key(vbKeyC, vbCtrlMask);
  EXPECT_EQ(desk.clipboardText(), "1.234,56");
  desk.clearClipboard();
  user.key(vbKeyX, vbCtrlMask);
  EXPECT_EQ(desk.clipboardText(), "1.234,56");
  EXPECT_EQ(f.Text3.Text(), "0");
}

// The property types from the keyboard: into the group with Tab, through it
// with the arrows; the type chosen so counts for the calculation.
TEST_F(MainFormTest, TipologiaDallaTastiera) {
  MainForm& f = apri();
  quotara::testing::ControllaGruppo(user, f.Option1);
  f.Option1[0].SetFocus();
  user.select(f.Option1[0]);
  for (int i = 0; i < 3; ++i) user.key(vbKeyDown);
  EXPECT_TRUE(f.Option1[3].Value());
  EXPECT_EQ(application.focused(), &f.Option1[3]);
  user.type(f.Text3, "101000");
  user.type(f.Text4, "1");
  calcola(f);
  Confronta(f, {"101,00", "101,00", "0,00", "101,00", "51,00", "0,00", "50,00", "0,00", "3960", "50,50", "50,50"});
}

TEST_F(MainFormTest, InquilinoPagaLaSuaParte) {
  MainForm& f = apri();
  datiMinimi(f);
  user.tick(f.chkLocata);
  user.type(f.txtLocata, "10");
  user.tick(f.chkInquilino);
  calcola(f);
  EXPECT_EQ(f.Label8.Caption(), "336,00");
  EXPECT_EQ(f.Label10.Caption(), "33,60");
}

// A change of an input after a calculation empties the results, so a stale
// result is never archived; the names are not inputs of the formula.
TEST_F(MainFormTest, UnInputCambiatoSvuotaIRisultati) {
  MainForm& f = apri();
  const std::vector<std::pair<const char*, std::function<void(MainForm&)>>> modifiche = {
      {"aliquota", [this](MainForm& g) { user.type(g.Text4, "3"); }},
      {"rendita", [this](MainForm& g) { user.type(g.Text3, "2000"); }},
      {"tipologia", [this](MainForm& g) { user.select(g.Option1[2]); }},
      {"inagibile", [this](MainForm& g) { user.tick(g.chkInagibile); }},
      {"mesi", [this](MainForm& g) { user.type(g.Text8, "7"); }},
      {"quota", [this](MainForm& g) { user.type(g.Text9, "50"); }},
      {"unica", [this](MainForm& g) { user.tick(g.chkUnica); }},
      {"abitazione", [this](MainForm& g) { user.tick(g.Check1); }},
      {"locata", [this](MainForm& g) { user.tick(g.chkLocata); }},
  };
  for (const auto& [nome, modifica] : modifiche) {
    user.click(f.Command2);
    datiMinimi(f);
    calcola(f);
    ASSERT_TRUE(f.Command3.Enabled()) << nome;
    modifica(f);
    EXPECT_EQ(f.Label8.Caption(), "") << nome;
    EXPECT_EQ(f.Label12.Caption(), "") << nome;
    EXPECT_EQ(f.lblCodCom.Caption(), "") << nome;
    EXPECT_FALSE(f.Command3.Enabled()) << nome;
  }

  user.click(f.Command2);
  datiMinimi(f);
  calcola(f);
  user.type(f.Combo1, "Rossi Mario");
  EXPECT_EQ(f.Label8.Caption(), "336,00");
  EXPECT_TRUE(f.Command3.Enabled());
}

TEST_F(MainFormTest, SaldoDallAccontoVersato) {
  MainForm& f = apri();
  user.select(f.Option1[3]);
  user.type(f.Text3, "100400");
  user.type(f.Text4, "1");
  shell::Applicazione& a = shell::app();
  const struct {
    double versato;
    const char *acconto, *saldo, *importoSaldo;
  } casi[] = {
      {50, "50,00", "50,00", "50,40"},
      {111, "111,00", "-10,00", "-10,60"},
      {100.8, "101,00", "0,00", "-0,40"},  // -0,60 rounds toward zero: no "-0,00"
  };
  for (const auto& c : casi) {
    a.TotaleVersato = c.versato;
    a.DetrazioneAccontoVersata = 0;
    f.Fondivomanuale();
    EXPECT_EQ(f.Label12.Caption(), c.acconto);
    EXPECT_EQ(f.Label14.Caption(), c.saldo);
    EXPECT_EQ(a.ImportoSaldo, c.importoSaldo);
  }
}

// "Cod.Cat" hides the frame and opens the municipality-code window on the
// municipality typed; its code comes back into lblCodCat.
TEST_F(MainFormTest, CodiceCatastaleDallaFinestraDeiComuni) {
  ASSERT_TRUE(fiscalcode::EstraiFileComuni());
  MainForm& f = apri();
  user.type(f.Combo2, "Roma");
  user.click(f.cmdCodCat);
  auto& finestra = application.form<fiscalcode::frmCodComune>();
  EXPECT_TRUE(finestra.isShown());
  EXPECT_FALSE(application.form<shell::Principale>().Visible());
  EXPECT_FALSE(f.isShown());
  EXPECT_TRUE(shell::app().CodCatDaMainForm);
  EXPECT_EQ(finestra.txtComune.Text(), "ROMA");

  user.click(finestra.Command1);
  user.click(finestra.Command3);
  EXPECT_TRUE(f.isShown());
  EXPECT_EQ(f.lblCodCat.Caption(), "H501");
  EXPECT_FALSE(shell::app().CodCatDaMainForm);
}

}  // namespace
}  // namespace calculation::testing
