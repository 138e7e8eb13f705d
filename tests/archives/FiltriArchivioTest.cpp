// The archive page's lists and sums, apart from the window.
#include "archives/FiltriArchivio.h"

#include <gtest/gtest.h>

#include "ArchivioCampione.h"
#include "shell/Numeri.h"

namespace archives::testing {
namespace {

// The entries look into the lines, which stay.
std::vector<VoceArchivio> Voci() {
  static const auto righe = ArchivioOrdinato();
  std::vector<VoceArchivio> voci;
  for (const auto& r : righe) voci.push_back(LeggiVoce(r.riga));
  return voci;
}

TEST(FiltriArchivioTest, EachLineKeepsWhatItPaid) {
  for (const auto& r : ArchivioOrdinato()) {
    SCOPED_TRACE(r.riga);
    EXPECT_EQ(shell::Formatta(ImportoVersato(r.riga), "Standard"), r.versato);
  }
}

TEST(FiltriArchivioTest, TheFilterListsOfferEachExactValueOnce) {
  const auto voci = Voci();
  EXPECT_EQ(ValoriFiltro(voci, &VoceArchivio::Contribuente),
            (std::vector<std::string>{"Bianchi Anna", "Rossi Mario", "ROSSI MARIO"}));
  EXPECT_EQ(ValoriFiltro(voci, &VoceArchivio::Comune), (std::vector<std::string>{"Milano", "Roma", "Torino"}));
  EXPECT_EQ(ValoriFiltro(voci, &VoceArchivio::Anno), (std::vector<std::string>{"2013", "2014", "2015"}));
}

TEST(FiltriArchivioTest, FilterChoicesGiveTheirRowsInOrderWithTheirTotal) {
  const auto voci = Voci();
  const std::string T = kTutti;
  struct Caso {
    Filtri filtri;
    std::vector<int> righe;
    const char* totale;
  } casi[] = {
      {{T, T, T}, {0, 1, 2, 3, 4, 5}, "3.155,11"},
      {{"ROSSI MARIO", T, T}, {3}, "201,00"},
      {{"Rossi Mario", T, T}, {2, 4, 5}, "485,00"},
      {{"rossi mario", T, T}, {}, "0,00"},
      {{T, "Roma", "2014"}, {3, 4, 5}, "636,00"},
      {{T, T, "2015"}, {1, 2}, "2.519,11"},
      {{T, T, "2013"}, {0}, "0,00"},
      {{"Bianchi Anna", "Roma", T}, {}, "0,00"},
      {{"Rossi Mario", "Milano", "2015"}, {2}, "50,00"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.filtri.Contribuente + " / " + c.filtri.Comune + " / " + c.filtri.Anno);
    const Elenco e = ApplicaFiltri(voci, c.filtri);
    EXPECT_EQ(e.Righe, c.righe);
    EXPECT_EQ(shell::Formatta(e.Totale, "Standard"), c.totale);
  }
}

TEST(FiltriArchivioTest, ALongListAddsUpToTheCent) {
  std::vector<VoceArchivio> voci(100000, VoceArchivio{"a", "b", "c", "2014", 0.1 + 0.2, "1.000,00"});
  EXPECT_EQ(shell::Formatta(ApplicaFiltri(voci, {}).Totale, "Standard"), "30.000,00");
}

TEST(FiltriArchivioTest, AmountsThatAreNotNumbersCountAsZero) {
  struct Caso {
    const char* acconto;
    const char* saldo;
    double versato;
  } casi[] = {
      {"1.234,56", "0,44", 1235}, {"0.00", "0.00", 0},      {"", "", 0},
      {"abc", "10,00", 10},       {"12,50", "1,2,3", 12.5}, {"-5,00", "5,00", 0},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.acconto) + " + " + c.saldo);
    EXPECT_DOUBLE_EQ(ImportoVersato(RigaArchivio("a;b;c;2014", c.acconto, c.saldo)), c.versato);
  }
  EXPECT_EQ(ImportoVersato("a;b;c;2014"), 0) << "a short line";
}

TEST(FiltriArchivioTest, FieldLabelsEndWithABlankAndExistFrom1To22) {
  EXPECT_EQ(EtichettaCampo(1), "Contribuente: ");
  EXPECT_EQ(EtichettaCampo(7), "Rivalutazione % catastale: ");
  EXPECT_EQ(EtichettaCampo(22), "Detrazione saldo: ");
  EXPECT_EQ(EtichettaCampo(0), "");
  EXPECT_EQ(EtichettaCampo(23), "");
}

// A record of a rented office, not a main dwelling: 23 lines.
TEST(FiltriArchivioTest, TheClipboardTextOfAnOtherPropertyHas23Lines) {
  const std::string riga =
      "Rossi Mario;Via Roma 1;Roma;2014;1.000,00;2.5;5;1;0;12;6;6;100;1;0;"
      "420,00;378,00;0,00;189,00;0,00;189,00;0,00;0;10;0;3961;0;H501";
  EXPECT_EQ(TestoAppunti(riga),
            "Contribuente: Rossi Mario\n"
            "Indirizzo immobile: Via Roma 1\n"
            "Comune ubicazione: Roma\n"
            "Anno contributivo: 2014\n"
            "Rendita catastale: 1.000,00\n"
            "Aliquota TASI (x 1000): 2,5\n"
            "Rivalutazione % catastale: 5\n"
            "Rivalutazione % domenicale: 1\n"
            "Detrazione ab. principale: 0\n"
            "Mesi possesso: 12\n"
            "Mesi I semestre: 6\n"
            "Mesi II semestre: 6\n"
            "Quota % possesso: 100\n"
            "Tipologia immobile: Ufficio\n"
            "Abitazione principale: NO\n"
            "Imposta totale: 420,00\n"
            "Totale contribuente: 378,00\n"
            "Detrazione totale: 0,00\n"
            "TASI dovuta: 378,00\n"
            "Rata acconto: 189,00\n"
            "Detrazione acconto: 0,00\n"
            "Rata a saldo: 189,00\n"
            "Detrazione saldo: 0,00\n");
}

// A main dwelling: the owners and the "children" (field 24) follow: 25 lines.
TEST(FiltriArchivioTest, TheClipboardTextOfAMainDwellingHas25Lines) {
  const std::string riga =
      "Verdi Lucia;Via Dante 2;Città di Castello;2015;812,00;3.3;5;0;200,00;12;6;6;50;0;1;"
      "450,14;225,07;100,00;62,54;50,00;62,53;50,00;2;0;0;3958;1;C745";
  EXPECT_EQ(TestoAppunti(riga),
            "Contribuente: Verdi Lucia\n"
            "Indirizzo immobile: Via Dante 2\n"
            "Comune ubicazione: Città di Castello\n"
            "Anno contributivo: 2015\n"
            "Rendita catastale: 812,00\n"
            "Aliquota TASI (x 1000): 3,3\n"
            "Rivalutazione % catastale: 5\n"
            "Rivalutazione % domenicale: 0\n"
            "Detrazione ab. principale: 200,00\n"
            "Mesi possesso: 12\n"
            "Mesi I semestre: 6\n"
            "Mesi II semestre: 6\n"
            "Quota % possesso: 50\n"
            "Tipologia immobile: Abitazione\n"
            "Abitazione principale: SI\n"
            "Numero prop. ab. princ.: 2\n"
            "Numero figli: 0\n"
            "Imposta totale: 450,14\n"
            "Totale contribuente: 225,07\n"
            "Detrazione totale: 100,00\n"
            "TASI dovuta: 125,07\n"
            "Rata acconto: 62,54\n"
            "Detrazione acconto: 50,00\n"
            "Rata a saldo: 62,53\n"
            "Detrazione saldo: 50,00\n");
}

TEST(FiltriArchivioTest, TheClipboardNamesEveryPropertyType) {
  struct Caso {
    const char* tipo;
    const char* nome;
  } casi[] = {{"0", "Abitazione"},
              {"1", "Ufficio"},
              {"2", "Negozio"},
              {"3", "Terreno"},
              {"4", "Area fabbricabile"},
              {"5", "Fabbricato D"},
              {"6", "Fabbricato rurale strumentale"},
              {"7", "Istituto di credito"},
              {"9", "9"},
              {"", ""}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.tipo);
    const std::string riga = std::string("a;b;c;2014;0;0;0;0;0;12;6;6;100;") + c.tipo + ";0;;;;0.00;;0.00;";
    const std::string testo = TestoAppunti(riga);
    EXPECT_NE(testo.find(std::string("\nTipologia immobile: ") + c.nome + "\n"), std::string::npos) << testo;
    // Empty amounts: the tax due is 0.
    EXPECT_NE(testo.find("\nTASI dovuta: 0,00\n"), std::string::npos);
  }
}

}  // namespace
}  // namespace archives::testing
