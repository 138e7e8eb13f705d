// The record window, opened modally from the cadastral page and driven by the
// scripted user: new records, duplicates, modification, view and print, the
// input check, the boxes' keys, the notes, ";" and a register that cannot be
// written; and the category list opened from it.
#include <filesystem>

#include "CatastoFixture.h"
#include "archives/Categorie.h"
#include "forms/Text.h"
#include "support/Convenzioni.h"
#include "support/Pdf.h"

namespace archives::testing {
namespace {

using namespace forms;
namespace fs = std::filesystem;

class CatastoScheda : public CatastoTest {
 protected:
  // Opens the record window with button `comando` of the page; `azioni` run
  // while it is open (the test closes it in them).
  void apri(Immobili& p, int comando, std::function<void(Catasto&)> azioni) {
    desk.script([this, azioni] { azioni(scheda()); });
    user.click(p.Command1[comando]);
    EXPECT_FALSE(application.isLoaded<Catasto>());
    EXPECT_EQ(desk.pendingScript(), 0u);
  }
  // Fills the boxes of a new record.
  void compila(Catasto& s, const std::string& nome, const std::string& comune, const std::string& ubicazione) {
    user.type(s.txtNome, nome);
    user.type(s.txtComune, comune);
    user.type(s.txtUbicazione, ubicazione);
  }
  // "Salva" answered Yes, then the notice that the record is stored.
  void salva(Catasto& s, const char* domanda = "Vuoi archiviare questi dati catastali?") {
    desk.expectMsgBox(vbYes, {.prompt = domanda, .title = "Quotara", .icon = vbQuestion});
    desk.expectMsgBox(vbOK, {.prompt = "Dati catastali archiviati!", .icon = vbInformation});
    user.click(s.Command2);
  }
};

TEST_F(CatastoScheda, ANewRecordIsAppendedAtTheEndAndThePageShowsItsOwnerAgain) {
  scriviRegistro();
  Immobili& p = pagina();
  scegli(p, "ROSSI MARIO");
  apri(p, 0, [&](Catasto& s) {
    EXPECT_EQ(s.Command2.Caption(), "Salva");
    EXPECT_EQ(voci(s.txtNome), (Righe{"BIANCHI ANNA", "ROSSI MARIO", "rossi mario"}));
    EXPECT_EQ(voci(s.txtComune), (Righe{"ASTI", "CHIERI", "PINO TORINESE", "TORINO"}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s.Check1[i].Value(), vbUnchecked);
    compila(s, "ROSSI MARIO", "MONCALIERI", "Via Vittorio, 5");
    user.type(s.Text1[5], "a/10");
    user.type(s.Text1[9], "50");
    user.type(s.txtRendita, "1234,5");
    user.pressTab();
    EXPECT_EQ(s.txtRendita.Text(), "1.234,50");
    salva(s);
  });
  Righe atteso = kRegistro;
  // No type ticked: a building.
  atteso.push_back("ROSSI MARIO;MONCALIERI;Via Vittorio, 5;0;;;;;;A/10;;;;50;1.234,50;;;");
  EXPECT_EQ(righeRegistro(), atteso);
  EXPECT_EQ(p.ProprietarioElencato(), "ROSSI MARIO");
  EXPECT_EQ(p.lstCatasto.ListCount(), 5);
  EXPECT_EQ(p.lstCatasto.ListIndex(), -1);
}

TEST_F(CatastoScheda, ADuplicateAsksAndYesRewritesTheRegisterSorted) {
  scriviRegistro();
  Immobili& p = pagina();
  apri(p, 0, [&](Catasto& s) {
    compila(s, "ROSSI MARIO", "CHIERI", "CAMPO GRANDE");
    user.tick(s.Check1[1]);
    user.type(s.txtRD, "20");
    desk.expectMsgBox(vbYes);
    desk.expectMsgBox(vbYes,
                      {.prompt = "Questo immobile è già presente nell'archivio catastale.\r\nVuoi sovrascriverlo?",
                       .icon = vbQuestion});
    desk.expectMsgBox(vbOK, {.prompt = "Dati catastali archiviati!"});
    user.click(s.Command2);
  });
  EXPECT_EQ(righeRegistro(),
            (Righe{kBianchi, kMinuscolo, "ROSSI MARIO;CHIERI;CAMPO GRANDE;1;;;;;;;;;;;;;20,00;", kArea, kBox, kCasa}));
}

TEST_F(CatastoScheda, ADuplicateDeclinedKeepsTheWindowAndItsInput) {
  scriviRegistro();
  Immobili& p = pagina();
  apri(p, 0, [&](Catasto& s) {
    compila(s, "ROSSI MARIO", "CHIERI", "CAMPO GRANDE");
    user.type(s.txtRD, "20");
    desk.expectMsgBox(vbYes);
    desk.expectMsgBox(vbNo,
                      {.prompt = "Questo immobile è già presente nell'archivio catastale.\r\nVuoi sovrascriverlo?"});
    user.click(s.Command2);
    EXPECT_TRUE(s.isShown());
    EXPECT_EQ(s.txtRD.Text(), "20,00");
    EXPECT_EQ(righeRegistro(), kRegistro);
    // The same words in another case are another record.
    s.txtUbicazione.setText("Campo Grande");
    salva(s);
  });
  Righe atteso = kRegistro;
  atteso.push_back("ROSSI MARIO;CHIERI;Campo Grande;0;;;;;;;;;;;;;20,00;");
  EXPECT_EQ(righeRegistro(), atteso);
}

TEST_F(CatastoScheda, ModifyReplacesTheSelectedRecordWithoutAKeyCheck) {
  scriviRegistro();
  Immobili& p = pagina();
  scegli(p, "ROSSI MARIO");
  user.pickRow(p.lstCatasto, rigaDi(p, kBox));
  apri(p, 1, [&](Catasto& s) {
    EXPECT_EQ(s.Command2.Caption(), "Salva");
    EXPECT_EQ(s.txtNome.Text(), "ROSSI MARIO");
    EXPECT_EQ(s.txtNome.ListCount(), 0);  // only new records get the lists
    EXPECT_EQ(s.Check1[0].Value(), vbChecked);
    EXPECT_EQ(s.Text1[5].Text(), "C/6");
    EXPECT_EQ(s.txtNote.Text(), "box");
    // The key of another record: two lines with the same key.
    s.txtUbicazione.setText("VIA ROMA 1");
    salva(s, "Vuoi modificare questi dati catastali?");
  });
  EXPECT_EQ(righeRegistro(), (Righe{kBianchi, kMinuscolo, kTerreno, kArea, kCasa,
                                    "ROSSI MARIO;TORINO;VIA ROMA 1;0;13;;3;46;5;C/6;2;;18;100;150,00;;;box"}));
  EXPECT_EQ(p.cboUtente.Text(), "ROSSI MARIO");
}

TEST_F(CatastoScheda, ViewShowsTheRecordAndPrintsWhatTheBoxesShow) {
  scriviRegistro({"ROSSI MARIO;CHIERI;CAMPO GRANDE;1;7;;3;44;;;;;1500;50%;;9,00;12,00;uno\\due"});
  Immobili& p = pagina();
  scegli(p, "ROSSI MARIO");
  // A double click on a row views it.
  desk.script([&] {
    Catasto& s = scheda();
    EXPECT_EQ(s.Command2.Caption(), "Stampa");
    EXPECT_EQ(s.Check1[1].Value(), vbChecked);
    EXPECT_EQ(s.Check1[0].Value(), vbUnchecked);
    EXPECT_EQ(s.txtNote.Text(), "uno\r\ndue");
    EXPECT_EQ(s.Text1[9].Text(), "50%");
    EXPECT_EQ(s.txtRD.Text(), "12,00");
    s.txtComune.setText("CHIERI NUOVA");  // changed, printed, never stored
    desk.expectMsgBox(vbNo, {.prompt = "Vuoi stampare i dati catastali di questo immobile?", .icon = vbQuestion});
    user.click(s.Command2);
    EXPECT_FALSE(fs::exists(temp("immobiletasi.pdf")));
    desk.expectMsgBox(vbYes);
    user.click(s.Command2);
    EXPECT_TRUE(s.isShown());
    user.click(s.Command1);
  });
  user.dblClickRow(p.lstCatasto, 0);
  const std::string file = temp("immobiletasi.pdf");
  EXPECT_EQ(quotara::testing::ControllaPdf(file), "");
  EXPECT_EQ(desk.openedDocuments(), Righe{file});
  const auto parole = quotara::testing::Parole(file);
  EXPECT_TRUE(quotara::testing::TestoIn(parole, "CHIERI NUOVA", 7, 25.5));
  EXPECT_TRUE(quotara::testing::TestoIn(parole, "Terreno", 7, 24.3));
  // A share stored with its own "%" prints one.
  EXPECT_TRUE(quotara::testing::TestoIn(parole, "50%", 7, 18.3));
  EXPECT_FALSE(quotara::testing::ParolaPresente(parole, "50%%"));
  EXPECT_EQ(righeRegistro(), Righe{"ROSSI MARIO;CHIERI;CAMPO GRANDE;1;7;;3;44;;;;;1500;50%;;9,00;12,00;uno\\due"});
}

TEST_F(CatastoScheda, AnEmptyStoredTypeIsABuildingAndOneOutsideTheThreeTicksNoBox) {
  scriviRegistro({"ROSSI MARIO;TORINO;VIA X;0;;;;;;;;;;;1,00;;;"});
  Immobili& p = pagina();
  scegli(p, "ROSSI MARIO");
  user.pickRow(p.lstCatasto, 0);
  // Lines that an imported register could hold.
  const std::pair<const char*, int> casi[] = {{"", 0}, {"7", -1}, {"2x", 2}};
  for (const auto& [tipo, spuntata] : casi) {
    SCOPED_TRACE(tipo);
    p.List1.setList(0, "ROSSI MARIO;TORINO;VIA X;" + std::string(tipo) + ";;;;;;;;;;;1,00;;;");
    apri(p, 3, [&](Catasto& s) {
      for (int i = 0; i < 3; ++i) EXPECT_EQ(s.Check1[i].Value(), i == spuntata ? vbChecked : vbUnchecked) << i;
      user.click(s.Command1);
    });
  }
}

TEST_F(CatastoScheda, TheInputCheckNamesTheFirstMissingBoxAndPutsTheFocusThere) {
  Immobili& p = pagina();
  apri(p, 0, [&](Catasto& s) {
    struct Caso {
      std::function<void()> compila;
      const char* messaggio;
      Control& casella;
    };
    const Caso casi[] = {
        {[] {}, "Devi immettere il nome del proprietario.", s.txtNome},
        {[&] { user.type(s.txtNome, " "); }, "Devi immettere il nome del Comune.", s.txtComune},
        {[&] { user.type(s.txtComune, "ASTI"); }, "Devi immettere una descrizione per l'immobile.", s.txtUbicazione},
        {[&] { user.type(s.txtUbicazione, "X"); }, "Devi immettere una rendita o un reddito per l'immobile.",
         s.txtRendita},
    };
    for (const Caso& c : casi) {
      SCOPED_TRACE(c.messaggio);
      c.compila();
      desk.expectMsgBox(vbYes);
      desk.expectMsgBox(vbOK, {.prompt = c.messaggio, .title = "Quotara", .icon = vbInformation});
      user.click(s.Command2);
      EXPECT_EQ(application.focused(), &c.casella);
      EXPECT_TRUE(s.isShown());
    }
    EXPECT_FALSE(fs::exists(registro()));
    // The reddito dominicale alone is enough.
    user.type(s.txtRD, "5");
    salva(s);
  });
  EXPECT_EQ(righeRegistro(), Righe{" ;ASTI;X;0;;;;;;;;;;;;;5,00;"});
}

TEST_F(CatastoScheda, NoToTheQuestionStoresNothingAndTheCloseBoxCloses) {
  Immobili& p = pagina();
  apri(p, 0, [&](Catasto& s) {
    compila(s, "A", "B", "C");
    user.type(s.txtRendita, "1");
    desk.expectMsgBox(vbNo, {.prompt = "Vuoi archiviare questi dati catastali?"});
    user.click(s.Command2);
    EXPECT_TRUE(s.isShown());
    user.close(s);  // the close box stores nothing
  });
  EXPECT_FALSE(fs::exists(registro()));
}

TEST_F(CatastoScheda, TheDataBoxesTakeTheirKeys) {
  Immobili& p = pagina();
  apri(p, 0, [&](Catasto& s) {
    struct Caso {
      int box;
      const char* tasti;
      const char* testo;
    };
    const Caso casi[] = {
        {7, "12.5", "12,5"},   {7, "ab;", "12,5"}, {0, "1a2/", "12"},   {4, "x9", "9"},
        {8, "1.000", "1,000"}, {9, "50%", "50"},   {1, "b", "B"},       {1, "è;", "È"},
        {2, "12a", "12A"},     {3, "n.1", "N,1"},  {5, "a/10", "A/10"}, {6, "u", "U"},
    };
    const auto selezionaTutto = [](TextBox& t) {
      t.setSelStart(0);
      t.setSelLength(text::length(t.Text()));
    };
    for (const Caso& c : casi) {
      user.focus(s.Text1[c.box]);
      selezionaTutto(s.Text1[c.box]);
      const std::string prima = s.Text1[c.box].Text();
      user.type(c.tasti);
      EXPECT_EQ(s.Text1[c.box].Text(), c.testo) << "Text1(" << c.box << ") typed " << c.tasti;
      // After a change the caret stands at the end.
      if (prima != c.testo) {
        EXPECT_EQ(s.Text1[c.box].SelStart(), static_cast<int>(text::length(c.testo)));
      }
    }
    // A paste goes through the same keys; ";" and the line break become blanks.
    desk.setClipboardText("a.b;c\r\nsecond line");
    user.focus(s.Text1[6]);
    selezionaTutto(s.Text1[6]);
    user.key(vbKeyV, vbCtrlMask);
    EXPECT_EQ(s.Text1[6].Text(), "A,B C SECOND LINE");
    user.focus(s.Text1[8]);
    selezionaTutto(s.Text1[8]);
    user.key(vbKeyV, vbCtrlMask);
    EXPECT_EQ(s.Text1[8].Text(), ",");
    // Enter and Esc move, the text is selected on focus.
    user.focus(s.Text1[3]);
    EXPECT_EQ(s.Text1[3].SelLength(), 3);
    user.pressEnter();
    EXPECT_EQ(application.focused(), &s.Text1[4]);
    user.pressEsc();
    EXPECT_EQ(application.focused(), &s.Text1[3]);
    user.click(s.Command1);
  });
}

TEST_F(CatastoScheda, TheOtherBoxesFollowTheConventions) {
  Immobili& p = pagina();
  apri(p, 0, [&](Catasto& s) {
    s.txtUbicazione.setText("x");
    s.txtRendita.setText("1.234,00");
    using quotara::testing::Casella;
    quotara::testing::ControllaCaselle(user, desk,
                                       {{s.txtUbicazione, Casella::Testo},
                                        {s.txtRendita, Casella::Importo},
                                        {s.txtRA, Casella::Importo},
                                        {s.txtRD, Casella::Importo}});
    // An amount left empty stays empty; one left with a number is formatted.
    s.txtRA.setText("");
    user.focus(s.txtRA);
    user.pressTab();
    EXPECT_EQ(s.txtRA.Text(), "");
    user.type(s.txtRD, "1234,5");
    user.pressTab();
    EXPECT_EQ(s.txtRD.Text(), "1.234,50");
    // Enter moves on from the owner and the type boxes too.
    user.focus(s.txtNome);
    user.pressEnter();
    EXPECT_EQ(application.focused(), &s.txtComune);
    user.focus(s.Check1[2]);
    user.pressEnter();
    EXPECT_EQ(application.focused(), &s.Text1[0]);
    user.click(s.Command1);
  });
}

TEST_F(CatastoScheda, OneTypeBoxAtMost) {
  Immobili& p = pagina();
  apri(p, 0, [&](Catasto& s) {
    user.tick(s.Check1[0]);
    user.tick(s.Check1[2]);
    EXPECT_EQ(s.Check1[0].Value(), vbUnchecked);
    EXPECT_EQ(s.Check1[2].Value(), vbChecked);
    user.tick(s.Check1[2]);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s.Check1[i].Value(), vbUnchecked);
    user.click(s.Command1);
  });
}

TEST_F(CatastoScheda, NoSemicolonReachesTheRegisterAndTheNotesKeepTheirLines) {
  Immobili& p = pagina();
  apri(p, 0, [&](Catasto& s) {
    user.type(s.txtNome, "ROSSI; MARIO");
    desk.setClipboardText("TORINO;\r\n");
    user.focus(s.txtComune);
    user.key(vbKeyV, vbCtrlMask);
    EXPECT_EQ(s.txtComune.Text(), "TORINO");
    user.type(s.txtUbicazione, "VIA;1");
    user.type(s.txtRendita, "1");
    user.type(s.txtNote, "uno;\rdue ");
    // The Linux clipboard ends its lines with LF alone.
    desk.setClipboardText("tre;\nquattro");
    user.key(vbKeyV, vbCtrlMask);
    EXPECT_EQ(s.txtNote.Text(), "uno\r\ndue tre\r\nquattro");
    salva(s);
  });
  const Righe righe = righeRegistro();
  EXPECT_EQ(righe, Righe{"ROSSI MARIO;TORINO;VIA1;0;;;;;;;;;;;1,00;;;uno\\due tre\\quattro"});

  scegli(p, "ROSSI MARIO");
  user.pickRow(p.lstCatasto, 0);
  apri(p, 3, [&](Catasto& s) {
    EXPECT_EQ(s.txtNote.Text(), "uno\r\ndue tre\r\nquattro");
    user.click(s.Command1);
  });
}

TEST_F(CatastoScheda, ARegisterThatCannotBeWrittenKeepsTheWindowAndItsInput) {
  Immobili& p = pagina();
  fs::create_directories(registro() + "/dentro");  // a folder where the register goes
  apri(p, 0, [&](Catasto& s) {
    compila(s, "A", "B", "C");
    user.type(s.txtRendita, "1");
    desk.expectMsgBox(vbYes);
    desk.expectMsgBox(vbOK, {.title = "Quotara", .icon = vbCritical});
    user.click(s.Command2);
    EXPECT_EQ(desk.pendingAnswers(), 0u);
    EXPECT_TRUE(s.isShown());
    EXPECT_EQ(s.txtNome.Text(), "A");
    EXPECT_EQ(s.txtRendita.Text(), "1,00");
    for (const auto& m : desk.msgBoxes()) EXPECT_NE(m.prompt, "Dati catastali archiviati!");
    user.click(s.Command1);
  });
  EXPECT_TRUE(fs::is_directory(registro() + "/dentro"));
}

// The category list opened from the record window.
TEST(CodiceCategoria, EveryRowGivesItsCodeAndTheEmptyRowsNone) {
  const auto& categorie = CategorieCatastali();
  for (int i = 0; i < kNumeroCategorie; ++i) EXPECT_EQ(CodiceCategoria(i), categorie[i].Codice) << i;
  for (int i : {-1, 11, 20, 28, 41, 51, 1000}) EXPECT_EQ(CodiceCategoria(i), "") << i;
  EXPECT_EQ(CodiceCategoria(38), "D/10");
  EXPECT_EQ(CodiceCategoria(10), "A/11");
  EXPECT_EQ(CodiceCategoria(50), "E/9");
}

class Categorie : public CatastoScheda {};

TEST_F(Categorie, InNewModeAPickedCategoryGoesIntoTheCategoryBox) {
  Immobili& p = pagina();
  apri(p, 0, [&](Catasto& s) {
    desk.script([&] {
      frmCategorie& c = application.form<frmCategorie>();
      EXPECT_EQ(c.List1.ListCount(), 51);
      EXPECT_EQ(c.List1.List(9), "A/10\tUffici e studi privati");
      EXPECT_EQ(c.List1.List(11), "");
      EXPECT_FALSE(c.Command1.Enabled());
      user.pickRow(c.List1, 20);
      EXPECT_FALSE(c.Command1.Enabled());
      user.pickRow(c.List1, 38);
      EXPECT_TRUE(c.Command1.Enabled());
      user.click(c.Command1);
    });
    user.click(s.cmdCat);
    EXPECT_FALSE(application.isLoaded<frmCategorie>());
    EXPECT_EQ(s.Text1[5].Text(), "D/10");

    // "Chiudi" leaves the box as it was.
    desk.script([&] { user.click(application.form<frmCategorie>().Command2); });
    user.click(s.cmdCat);
    EXPECT_EQ(s.Text1[5].Text(), "D/10");

    // A separator line is never picked: a double click on it changes
    // nothing, and Esc closes the list as its close box does.
    desk.script([&] {
      frmCategorie& c = application.form<frmCategorie>();
      user.dblClickRow(c.List1, 41);
      EXPECT_TRUE(application.isLoaded<frmCategorie>());
      EXPECT_EQ(c.List1.ListIndex(), -1);
      user.pickRow(c.List1, 40);
      user.pickRow(c.List1, 41);
      EXPECT_EQ(c.List1.ListIndex(), 40);
      user.pressEsc();
    });
    user.click(s.cmdCat);
    EXPECT_FALSE(application.isLoaded<frmCategorie>());
    EXPECT_EQ(s.Text1[5].Text(), "D/10");
    user.click(s.Command1);
  });
}

// From the keyboard: Down from no selection takes the first row, Enter
// inserts the highlighted category as a double click does.
TEST_F(Categorie, EnterInsertsTheHighlightedCategory) {
  Immobili& p = pagina();
  apri(p, 0, [&](Catasto& s) {
    desk.script([&] {
      frmCategorie& c = application.form<frmCategorie>();
      EXPECT_TRUE(c.List1.hasFocus());
      user.key(vbKeyDown);
      user.key(vbKeyDown);
      EXPECT_TRUE(c.Command1.Enabled());
      user.key(vbKeyReturn);
    });
    user.click(s.cmdCat);
    EXPECT_FALSE(application.isLoaded<frmCategorie>());
    EXPECT_EQ(s.Text1[5].Text(), "A/2");
    user.click(s.Command1);
  });
}

// The keys step over the blank line between two groups: Down from A/11
// lands on B/1, Up from B/1 on A/11, and Enter never writes an empty text.
TEST_F(Categorie, TheKeysStepOverTheSeparatorLines) {
  Immobili& p = pagina();
  apri(p, 0, [&](Catasto& s) {
    desk.script([&] {
      frmCategorie& c = application.form<frmCategorie>();
      ASSERT_EQ(c.List1.List(11), "");
      for (int i = 0; i < 11; ++i) user.key(vbKeyDown);
      EXPECT_EQ(c.List1.ListIndex(), 10);
      EXPECT_EQ(c.List1.List(10).substr(0, 4), "A/11");
      user.key(vbKeyDown);
      EXPECT_EQ(c.List1.ListIndex(), 12);
      EXPECT_EQ(c.List1.List(12).substr(0, 3), "B/1");
      user.key(vbKeyUp);
      EXPECT_EQ(c.List1.ListIndex(), 10);
      user.key(vbKeyEnd);
      EXPECT_FALSE(c.List1.List(c.List1.ListIndex()).empty());
      user.key(vbKeyHome);
      EXPECT_EQ(c.List1.ListIndex(), 0);
      for (int i = 0; i < 11; ++i) user.key(vbKeyDown);
      EXPECT_EQ(c.List1.ListIndex(), 12);
      user.key(vbKeyReturn);
    });
    user.click(s.cmdCat);
    EXPECT_FALSE(application.isLoaded<frmCategorie>());
    EXPECT_EQ(s.Text1[5].Text(), "B/1");
    user.click(s.Command1);
  });
}

TEST_F(Categorie, InViewModeTheListCanOnlyBeRead) {
  scriviRegistro({kCasa});
  Immobili& p = pagina();
  scegli(p, "ROSSI MARIO");
  user.pickRow(p.lstCatasto, 0);
  apri(p, 3, [&](Catasto& s) {
    desk.script([&] {
      frmCategorie& c = application.form<frmCategorie>();
      user.pickRow(c.List1, 38);
      EXPECT_FALSE(c.Command1.Enabled());
      user.dblClickRow(c.List1, 1);
      EXPECT_TRUE(application.isLoaded<frmCategorie>());
      user.close(c);
    });
    user.click(s.cmdCat);
    EXPECT_EQ(s.Text1[5].Text(), "A/2");
    user.click(s.Command1);
  });
}

}  // namespace
}  // namespace archives::testing
