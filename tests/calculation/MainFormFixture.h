#pragma once
// The calculation page on a headless desktop, with the program folder and
// the temporary folder in a scratch folder of the test, today 10 March 2026.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "calculation/MainForm.h"
#include "forms/HeadlessDesktop.h"
#include "forms/ScriptedUser.h"
#include "platform/Cp1252.h"
#include "platform/Paths.h"
#include "kit/Applicazione.h"
#include "shell/Modulo1.h"
#include "support/ProgramTest.h"

namespace calculation::testing {

using namespace forms;

// Today is 10 March 2026, 9:00.
class MainFormTest : public quotara::testing::ProgramTest {
 protected:
  MainFormTest()
      : ProgramTest(std::chrono::local_days{std::chrono::year{2026} / std::chrono::March / 10} +
                    std::chrono::hours{9}) {}

  std::string archivio() const { return shell::PercorsoApp() + "/tasi.dat"; }

  // Lines given in UTF-8, written as the program writes them.
  void scriviArchivio(const std::vector<std::string>& righe) { quotara::testing::ScriviRighe(archivio(), righe); }
  std::string byteArchivio() const {
    std::ifstream in(archivio(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::vector<std::string> righeArchivio() const { return quotara::testing::LeggiRighe(archivio()); }

  // The page shown in its frame, as after start-up.
  MainForm& apri() {
    MainForm& f = application.form<MainForm>();
    f.Show();
    return f;
  }

  // A property that passes every check: 1.000,00 of rendita at 2 per mille.
  void datiMinimi(MainForm& f) {
    user.type(f.Text3, "1000");
    user.type(f.Text4, "2");
  }

  // The identifying data of a record that can be archived.
  void anagrafica(MainForm& f, const std::string& nome, const std::string& indirizzo, const std::string& comune,
                  const std::string& codice) {
    f.Combo1.setText(nome);
    f.Combo3.setText(indirizzo);
    f.Combo2.setText(comune);
    f.lblCodCat.setCaption(codice);
  }

  // "&Archivia dati" answered Yes, for a new record.
  void archivia(MainForm& f) {
    desk.expectMsgBox(vbYes, {.prompt = "Vuoi archiviare questi dati?", .icon = vbQuestion});
    desk.expectMsgBox(vbOK, {.prompt = "Dati archiviati!", .icon = vbInformation});
    user.click(f.Command3);
    EXPECT_EQ(desk.pendingAnswers(), 0u);
  }
  // "&Archivia dati" answered Yes for a key already archived, then the
  // replacement question answered with `risposta`.
  void sovrascrivi(MainForm& f, int risposta) {
    desk.expectMsgBox(vbYes, {.prompt = "Vuoi archiviare questi dati?"});
    desk.expectMsgBox(risposta, {.prompt = "Questo immobile è già presente nell'archivio.\r\n"
                                           "Vuoi sovrascriverlo?",
                                 .buttons = vbYesNo,
                                 .icon = vbQuestion});
    if (risposta == vbYes) desk.expectMsgBox(vbOK, {.prompt = "Dati archiviati!"});
    user.click(f.Command3);
    EXPECT_EQ(desk.pendingAnswers(), 0u);
  }

  void calcola(MainForm& f) { user.click(f.Command1); }

  const Control* focused() const { return application.focused(); }
};

// One archived line with the given key and cadastral code; the other fields
// as a plain calculation leaves them.
inline std::string riga(const std::string& nome, const std::string& indirizzo, const std::string& comune,
                        const std::string& anno, const std::string& codice) {
  return nome + ";" + indirizzo + ";" + comune + ";" + anno +
         ";1.000,00;2;5;0;0;12;6;6;100;0;0;336,00;336,00;0,00;168,00;0,00;168,00;0,00;0;0;0;"
         "3961;0;" +
         codice;
}

}  // namespace calculation::testing
