// The run of "Compila F24": which forms, which files in "datiF24", what each
// FDF holds, what is opened, and how a failure is reported.
#include <gmock/gmock.h>

#include <functional>
#include <map>
#include <optional>
#include <regex>

#include "f24/CompilaF24.h"
#include "f24/RigheF24.h"
#include "f24/frmF24.h"
#include "shell/Numeri.h"
#include "support/CasiTotali.h"
#include "support/Pdf.h"
#include "pdf/CompilazioneModulo.h"
#include "shell/Modulo1.h"
#include "kit/Risorse.h"
#include "F24Fixture.h"
#include "support/DiscoPieno.h"
#include "support/TestiF24.h"

namespace f24::testing {
namespace {

using forms::vbOK;
using quotara::testing::ChiusuraDaTesto;
using quotara::testing::RigheDaTesto;
using quotara::testing::TestiRighe;

DatiContribuenteF24 persona() {
  DatiContribuenteF24 d;
  d.CodiceFiscale = "BNCNNA80A41H501X";
  d.Cognome = "BIANCHI";
  d.Nome = "ANNA";
  d.DataNascita = "01/01/1980";
  d.Sesso = "F";
  d.ComuneNascita = "ROMA";
  d.ProvinciaNascita = "RM";
  d.ComuneDomicilio = "MILANO";
  d.ProvinciaDomicilio = "MI";
  d.Indirizzo = "VIA VERDI 3";
  d.Delega = "BANCA DI ROMA";
  d.Agenzia = "AGENZIA 12";
  d.ProvinciaAgenzia = "RM";
  d.Iban = "IT60X0542811101000000123456";
  return d;
}

// F24 rows as the totals page hands them over: code;acc;sal;count;tax code;year;amount.
std::string riga(const std::string& codice, const std::string& tributo, const std::string& importo, int tipo = 0) {
  const std::string acc = tipo == 1 ? "" : "X", sal = tipo == 0 ? "" : "X";
  return codice + ";" + acc + ";" + sal + ";1;" + tributo + ";2014;" + importo;
}

VersamentoF24 versamento(std::vector<std::string> righe, const std::string& detrazione = "", bool piuComuni = false,
                         int tipo = 0) {
  VersamentoF24 v;
  v.NumRigheF24 = static_cast<int>(righe.size());
  v.RigheF24 = RigheDaTesto(righe);
  v.ChiusuraF24 = ChiusuraDaTesto("1;" + detrazione + ";270;");
  v.TipoVersamento = tipo;
  v.F24PiuComuni = piuComuni;
  v.Contribuente = "BIANCHI ANNA";
  v.CodiceCatastale = "A001";
  v.Anno = "2014";
  return v;
}

// n rows of the given codes, cycling; amounts 10, 20, 30, ...
std::vector<std::string> righe(int n, std::vector<std::string> tributi = {"3958", "3961", "3960", "3959"}) {
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i)
    out.push_back(riga(i % 2 ? "B002" : "A001", tributi[i % tributi.size()], std::to_string(10 * (i + 1))));
  return out;
}

// The entries of an FDF as name -> value, in order.
std::vector<std::pair<std::string, std::string>> voci(const std::string& fdf) {
  return pdf::LeggiFdf(LeggiFile(fdf)).Campi;
}

std::map<std::string, std::string> mappa(const std::vector<std::pair<std::string, std::string>>& v) {
  return {v.begin(), v.end()};
}

class CompilaF24Test : public F24Test {
 protected:
  // Every FDF of the run is accepted by another FDF reader too.
  void accettatoDaPdftk(const std::string& nome) {
    const std::string out = Esegui("pdftk " + quota(inDati(nome + ".pdf")) + " fill_form " +
                                   quota(inDati(nome + ".fdf")) + " output " + quota(percorso(nome + "-pdftk.pdf")));
    EXPECT_TRUE(Riuscito(out)) << nome << ": " << out;
  }
};

// --- The run as a table ------------------------------------------------------------

using Voci = std::vector<std::pair<std::string, std::string>>;

struct Foglio {
  std::string suffisso;              // "", "_s", "_1", "_2"
  Voci presenti;                     // entries the FDF must hold (with these values)
  std::vector<std::string> assenti;  // names it must not hold
};

struct Caso {
  std::string nome;
  DatiContribuenteF24 dati = persona();
  bool ente = false;
  ModelloF24 modello = ModelloF24::Normale;
  VersamentoF24 versamento = {};
  std::string base = "f24tasi_BIANCHI ANNA_A001_acconto_2014";
  bool avvisoDueModelli = false;
  std::vector<Foglio> fogli = {};  // in the order their filled copies are opened
};

std::ostream& operator<<(std::ostream& os, const Caso& c) { return os << c.nome; }

// Entries of row i: code characters, marks, count, tax code, year, amount.
Voci rigaVoci(int i, const std::string& r, bool semplificato) {
  const std::string n = std::to_string(i);
  auto campo = [&](int k) { return shell::Campo(r, ";", k); };
  Voci v;
  for (int k = 1; k <= 4; ++k) v.emplace_back("coca" + n + std::to_string(k), campo(1).substr(k - 1, 1));
  v.insert(v.end(), {{"acc" + n, campo(2)},
                     {"sal" + n, campo(3)},
                     {"immobili" + n, campo(4)},
                     {"cotri" + n, campo(5)},
                     {"anno" + n, campo(6)},
                     {"imu" + n, campo(7)}});
  if (semplificato) v.insert(v.end(), {{"el" + n + "1", "E"}, {"el" + n + "2", "L"}});
  return v;
}

Voci righeVoci(const std::vector<std::string>& r, size_t da, size_t a, bool semplificato) {
  Voci v;
  for (size_t i = da; i < a; ++i) {
    const auto x = rigaVoci(static_cast<int>(i - da + 1), r[i], semplificato);
    v.insert(v.end(), x.begin(), x.end());
  }
  return v;
}

std::vector<std::string> nomi(const std::string& prima, int da, int a) {
  std::vector<std::string> out;
  for (int i = da; i <= a; ++i) out.push_back(prima + std::to_string(i));
  return out;
}

std::vector<std::string> unisci(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<Caso> casi() {
  std::vector<Caso> out;
  for (int n = 1; n <= 4; ++n) {
    Caso c{.nome = "Ordinary" + std::to_string(n)};
    const auto r = righe(n);
    c.versamento = versamento(r, "50");
    Foglio f{"", righeVoci(r, 0, n, false), {"imu" + std::to_string(n + 1), "el11", "detrazione1"}};
    f.presenti.emplace_back("detrazione", "50");
    c.fogli.push_back(f);
    out.push_back(c);
  }
  for (int n = 5; n <= 8; ++n) {
    // The main dwelling in row 6: its sheet, the second, carries the deduction.
    Caso c{.nome = "TwoSheets" + std::to_string(n), .avvisoDueModelli = true};
    auto r = righe(n, {"3961", "3960", "3959", "3961", "3960", "3958"});
    // Several municipalities: the deduction rides on its main-dwelling row.
    if (n >= 6) r[5] += ";50";
    c.versamento = versamento(r, "", true);
    Foglio secondo{"_2", righeVoci(r, 4, n, false), {"imu" + std::to_string(n - 3)}};
    secondo.presenti.emplace_back("cognome", "BIANCHI");
    Foglio primo{"_1", righeVoci(r, 0, 4, false), {"imu5"}};
    primo.presenti.emplace_back("cognome", "BIANCHI");
    if (n >= 6) {
      secondo.presenti.emplace_back("detrazione", "50");
      primo.assenti.push_back("detrazione");
    } else {
      primo.assenti.push_back("detrazione");
      secondo.assenti.push_back("detrazione");
    }
    c.fogli = {secondo, primo};
    out.push_back(c);
  }
  for (int n = 1; n <= 10; ++n) {
    Caso c{.nome = "Simplified" + std::to_string(n), .modello = ModelloF24::Semplificato};
    const auto r = righe(n);
    c.versamento = versamento(r, "50");
    Foglio f{"_s", righeVoci(r, 0, n, true), {"comunedom", "prodom1", "indirizzo", "detrazione", "detrazione2"}};
    f.presenti.emplace_back("detrazione1", "50");
    f.assenti.push_back("imu" + std::to_string(n + 1));
    c.fogli.push_back(f);
    out.push_back(c);
  }
  {
    // Several municipalities on the simplified form: each deduction beside its
    // own main-dwelling row; a main dwelling without one has none.
    Caso c{.nome = "SimplifiedSeveralMunicipalities", .modello = ModelloF24::Semplificato};
    auto r = righe(7, {"3961", "3960", "3958", "3958"});
    r[2] += ";75";
    r[6] += ";20";
    c.versamento = versamento(r, "95", true);
    c.fogli.push_back({"_s",
                       {{"detrazione3", "75"}, {"detrazione7", "20"}, {"decdet1.2", "0"}, {"decdet1.6", "0"}},
                       {"detrazione0", "detrazione1", "detrazione4", "decdet1.3"}});
    out.push_back(c);
    Caso senza{.nome = "SimplifiedSeveralMunicipalitiesNoMainDwelling", .modello = ModelloF24::Semplificato};
    senza.versamento = versamento(righe(3, {"3961", "3960"}), "", true);
    senza.fogli.push_back({"_s", {}, unisci(nomi("detrazione", 0, 10), {"detrazione"})});
    out.push_back(senza);
  }
  {
    Caso c{.nome = "NineRowsAlwaysSimplified"};
    const auto r = righe(9);
    c.versamento = versamento(r, "50", true);
    c.fogli.push_back({"_s", righeVoci(r, 0, 9, true), {}});
    out.push_back(c);
    Caso d{.nome = "TwoSheetsWithoutMainDwelling", .avvisoDueModelli = true};
    d.versamento = versamento(righe(6, {"3961"}), "50", true);
    d.fogli = {{"_2", {}, {"detrazione"}}, {"_1", {}, {"detrazione"}}};
    out.push_back(d);
  }
  {
    // The parts of the name: "/", "\" and control characters become "-"; "_" stays.
    Caso c{.nome = "NameParts"};
    c.versamento = versamento(righe(1));
    c.versamento.Contribuente = "ROSSI/BIANCHI\\S.N.C._BIS\tX";
    c.versamento.CodiceCatastale = "A/01";
    c.base = "f24tasi_ROSSI-BIANCHI-S.N.C._BIS-X_A-01_acconto_2014";
    c.fogli.push_back({"", {}, {}});
    out.push_back(c);
  }
  {
    // An entity: its 11-digit code, and no personal boxes on a company's form.
    Caso c{.nome = "Entity", .ente = true};
    c.dati.CodiceFiscale = "01234567890";
    c.dati.Cognome = "EDILIZIA ROSSI SRL";
    c.versamento = versamento(righe(2));
    Foglio f{"", {{"cf1", "0"}, {"cf11", "0"}, {"cognome", "EDILIZIA ROSSI SRL"}}, {"cf12", "cf16"}};
    for (const char* v :
         {"nome", "g1", "g2", "m1", "m2", "a1", "a2", "a3", "a4", "sesso", "comune", "prona1", "prona2"})
      f.presenti.emplace_back(v, "");
    f.presenti.insert(f.presenti.end(), {{"comunedom", "MILANO"}, {"prodom1", "M"}, {"indirizzo", "VIA VERDI 3"}});
    c.fogli.push_back(f);
    out.push_back(c);
  }
  {
    Caso c{.nome = "EmptyIbanAndBlankDate"};
    c.dati.Iban = "";
    c.dati.DataNascita = "  /  /    ";
    c.versamento = versamento(righe(1));
    Foglio f{"", {}, {}};
    for (const auto& v : unisci(nomi("iban", 1, 25), {"g1", "g2", "m1", "m2", "a1", "a2", "a3", "a4"}))
      f.presenti.emplace_back(v, "");
    c.fogli.push_back(f);
    out.push_back(c);
    Caso p{.nome = "FullIbanAndShortCode"};
    p.dati.Iban = "IT60X0542811101000000123456";
    p.dati.CodiceFiscale = "ABC";
    p.versamento = versamento(righe(1));
    p.fogli.push_back(
        {"", {{"iban1", "6"}, {"iban2", "0"}, {"iban3", "X"}, {"iban25", "6"}, {"cf3", "C"}}, {"iban26", "cf4"}});
    out.push_back(p);
  }
  for (int tipo = 0; tipo <= 2; ++tipo) {
    const char* parola[] = {"acconto", "saldo", "unico"};
    Caso c{.nome = std::string("Payment") + parola[tipo]};
    c.versamento = versamento({riga("A001", "3958", "100", tipo)}, "", false, tipo);
    c.base = std::string("f24tasi_BIANCHI ANNA_A001_") + parola[tipo] + "_2014";
    c.fogli.push_back({"", {{"acc1", tipo == 1 ? "" : "X"}, {"sal1", tipo == 0 ? "" : "X"}, {"detrazione", ""}}, {}});
    out.push_back(c);
  }
  return out;
}

class CompilaF24Tabella : public CompilaF24Test, public ::testing::WithParamInterface<Caso> {};

TEST_P(CompilaF24Tabella, WritesTheFormsAndOpensThem) {
  const Caso& c = GetParam();
  if (c.avvisoDueModelli) {
    desk.expectMsgBox(vbOK, {.prompt = "Le righe disponibili per la TASI nel modello F24 sono 4.\r\n"
                                       "Il pagamento attuale richiede più di 4 righe, per cui verranno creati\r\n"
                                       "2 modelli F24 separati e contraddistinti dal numero 1 e 2 finale.",
                             .title = "Quotara",
                             .icon = forms::vbInformation});
  }
  const auto esito = EseguiCompilaF24(c.dati, c.ente, c.modello, c.versamento);
  ASSERT_TRUE(esito.Riuscito);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_EQ(desk.msgBoxes().size(), c.avvisoDueModelli ? 1u : 0u);
  EXPECT_EQ(esito.NomeFileF24, c.base);
  EXPECT_EQ(desk.mousePointer(), forms::vbDefault);
  EXPECT_THAT(desk.pointerChanges(), ::testing::Contains(forms::vbHourglass));

  std::vector<std::string> file, aperti;
  for (const auto& f : c.fogli) {
    const std::string b = c.base + f.suffisso;
    file.insert(file.end(), {b + "-compilato.pdf", b + ".fdf", b + ".pdf"});
    aperti.push_back(inDati(b + "-compilato.pdf"));
  }
  std::sort(file.begin(), file.end());
  EXPECT_EQ(FileDatiF24(), file);
  EXPECT_EQ(desk.openedDocuments(), aperti);
  EXPECT_EQ(esito.Compilati, aperti);

  for (const auto& f : c.fogli) {
    SCOPED_TRACE("sheet " + f.suffisso);
    const std::string b = c.base + f.suffisso;
    const auto tutte = voci(inDati(b + ".fdf"));
    const auto v = mappa(tutte);
    EXPECT_EQ(v.size(), tutte.size()) << "each field written once";
    for (const auto& [nome, valore] : f.presenti) {
      ASSERT_EQ(v.count(nome), 1u) << nome;
      EXPECT_EQ(v.at(nome), valore) << nome;
    }
    for (const auto& nome : f.assenti) EXPECT_EQ(v.count(nome), 0u) << nome;
    EXPECT_EQ(pdf::LeggiFdf(LeggiFile(inDati(b + ".fdf"))).Pdf, inDati(b + ".pdf"));
    accettatoDaPdftk(b);
  }
}

INSTANTIATE_TEST_SUITE_P(Casi, CompilaF24Tabella, ::testing::ValuesIn(casi()),
                         [](const auto& caso) { return caso.param.nome; });

TEST_F(CompilaF24Test, WritesThePayerBlockInTheFormsOrder) {
  ASSERT_TRUE(EseguiCompilaF24(persona(), false, ModelloF24::Normale, versamento(righe(1), "50")).Riuscito);
  const auto v = voci(inDati("f24tasi_BIANCHI ANNA_A001_acconto_2014.fdf"));
  std::vector<std::string> ordine;
  for (const auto& [nome, valore] : v) ordine.push_back(nome);
  auto attesi = unisci({"delega", "agenzia", "prov"}, nomi("cf", 1, 16));
  attesi = unisci(attesi, {"cognome", "nome", "g1", "g2", "m1", "m2", "a1", "a2", "a3", "a4", "sesso", "comune",
                           "prona1", "prona2", "comunedom", "prodom1", "prodom2", "indirizzo"});
  attesi = unisci(attesi, nomi("iban", 1, 25));
  attesi = unisci(attesi,
                  {"coca11",  "coca12",     "coca13",     "coca14",       "acc1",         "sal1",       "immobili1",
                   "cotri1",  "anno1",      "imu1",       "decimu11",     "decimu12",     "detrazione", "decdet1",
                   "decdet2", "dectotimu1", "dectotimu2", "decsaldoimu1", "decsaldoimu2", "decsaldo1",  "decsaldo2"});
  EXPECT_EQ(ordine, attesi);
  EXPECT_EQ(mappa(v).at("a4"), "0");
  EXPECT_EQ(mappa(v).at("prona2"), "M");
}

TEST_F(CompilaF24Test, TakesTheRowsTheShellHolds) {
  quotara::testing::ConsegnaF24(application, {riga("H501", "3958", "150", 1), "1;40;150;"});
  application.NumRigheF24 = 1;
  application.TipoVersamento = 1;
  application.F24PiuComuni = true;
  const auto v = VersamentoCorrente("ROSSI MARIO", "H501", "2015");
  EXPECT_EQ(v.RigheF24, application.RigheF24);
  EXPECT_EQ(v.ChiusuraF24, application.ChiusuraF24);
  EXPECT_EQ(v.NumRigheF24, 1);
  EXPECT_EQ(v.TipoVersamento, 1);
  EXPECT_TRUE(v.F24PiuComuni);
  EXPECT_EQ(NomeFileF24(v.Contribuente, v.CodiceCatastale, v.TipoVersamento, v.Anno),
            "f24tasi_ROSSI MARIO_H501_saldo_2015");
}

// Every amount on the form is in whole euros: the cents boxes of the rows'
// amounts, of the deduction, of the totals the form works out and of the
// final balance read "00", in the FDF and in the filled copy; the boxes of
// rows without an amount stay empty.
TEST_F(CompilaF24Test, EveryAmountsCentsRead00) {
  struct Esempio {
    const char* nome;
    ModelloF24 modello;
    int righe;
    const char* detrazione;
    std::vector<std::string> suffissi;
    std::vector<std::string> vuoti;  // cents of amounts the form does not carry
  };
  const Esempio casi[] = {
      {"ordinary", ModelloF24::Normale, 3, "50", {""}, {"decimu41", "decimu42"}},
      {"ordinary without deduction", ModelloF24::Normale, 4, "", {""}, {"decdet1", "decdet2"}},
      {"two sheets", ModelloF24::Normale, 6, "", {"_1", "_2"}, {}},
      {"simplified", ModelloF24::Semplificato, 7, "40", {"_s"}, {"decimu41.7", "decimu42.9", "decdet1.1", "decimu11"}},
  };
  for (const Esempio& c : casi) {
    SCOPED_TRACE(c.nome);
    if (c.suffissi.size() == 2) desk.expectMsgBox(vbOK);
    const auto r = righe(c.righe);
    const auto esito =
        EseguiCompilaF24(persona(), false, c.modello, versamento(r, c.detrazione, c.suffissi.size() == 2));
    ASSERT_TRUE(esito.Riuscito);
    for (size_t k = 0; k < c.suffissi.size(); ++k) {
      const std::string b = inDati(esito.NomeFileF24 + c.suffissi[k]);
      SCOPED_TRACE(b);
      const bool semplificato = c.modello == ModelloF24::Semplificato;
      const int n = semplificato ? c.righe : std::min(4, c.righe - 4 * static_cast<int>(k));
      std::vector<std::string> zeri;
      for (int i = 1; i <= n; ++i) {
        const std::string riga = std::to_string(i), figlio = std::to_string(i - 1);
        zeri = unisci(zeri, semplificato ? std::vector<std::string>{"decimu41." + figlio, "decimu42." + figlio}
                                         : std::vector<std::string>{"decimu" + riga + "1", "decimu" + riga + "2"});
      }
      if (*c.detrazione)
        zeri = unisci(zeri, semplificato ? std::vector<std::string>{"decdet1.0", "decdet2.0"}
                                         : std::vector<std::string>{"decdet1", "decdet2"});
      zeri = unisci(zeri, {"dectotimu1", "dectotimu2"});
      if (!semplificato) zeri = unisci(zeri, {"decsaldoimu1", "decsaldoimu2", "decsaldo1", "decsaldo2"});
      const auto fdf = mappa(voci(b + ".fdf"));
      auto compilato = ValoriModulo(b + "-compilato.pdf");
      for (const auto& campo : zeri) {
        EXPECT_EQ(fdf.count(campo) ? fdf.at(campo) : "(none)", "0") << campo;
        EXPECT_EQ(compilato[campo], "0") << campo;
      }
      for (const auto& campo : c.vuoti) {
        EXPECT_EQ(fdf.count(campo), 0u) << campo;
        EXPECT_EQ(compilato[campo], "") << campo;
      }
      controllaPdf(b + "-compilato.pdf");
    }
  }
  EXPECT_EQ(desk.pendingAnswers(), 0u);
}

// The filled form's total is the instalment the totals show: the sum of the
// rows, each rounded to the euro. The advance, the balance and the single
// payment of categories that round apart on the ordinary form, and a balance
// of half-euro sums on the simplified one (every archive's instalments are
// the sums of their rows: Rate.EachInstalmentIsTheSumOfItsRows).
TEST_F(CompilaF24Test, TheFormsTotalIsTheInstalmentOfTheTotals) {
  struct Esempio {
    const CasoRate& archivio;
    int tipo;
    ModelloF24 modello;
  };
  const CasoRate& arrotondate = CasiRate()[0];
  const CasoRate& mezzoEuro = CasiRate()[1];
  const Esempio casi[] = {{arrotondate, 0, ModelloF24::Normale},
                          {arrotondate, 1, ModelloF24::Normale},
                          {arrotondate, 2, ModelloF24::Normale},
                          {mezzoEuro, 1, ModelloF24::Semplificato}};
  for (const Esempio& c : casi) {
    SCOPED_TRACE(std::string(c.archivio.nome) + " type " + std::to_string(c.tipo));
    const EtichetteTotali e = CalcolaTotali(c.archivio.righe, {"ROSSI MARIO", "TORINO", "2026"});
    const RigheComune r = PreparaRigheF24(e, "L219", "2026", c.tipo);
    long long somma = 0;
    for (const auto& riga : r.Righe) somma += riga.Importo;
    EXPECT_EQ(shell::CDbl(c.archivio.rate[c.tipo]), static_cast<double>(somma));
    VersamentoF24 v = versamento(TestiRighe(r.Righe), "", false, c.tipo);
    v.ChiusuraF24 = r.Chiusura();
    const auto esito = EseguiCompilaF24(persona(), false, c.modello, v);
    ASSERT_TRUE(esito.Riuscito);
    ASSERT_EQ(esito.Compilati.size(), 1u);
    auto valori = ValoriModulo(esito.Compilati[0]);
    EXPECT_EQ(valori["totimu"], std::to_string(somma));
    if (c.modello == ModelloF24::Normale) {
      EXPECT_EQ(valori["saldoimu"], std::to_string(somma));
      EXPECT_EQ(valori["saldo"], std::to_string(somma));
    }
    controllaPdf(esito.Compilati[0]);
  }
}

TEST_F(CompilaF24Test, RefusesMoreThanTenRows) {
  desk.expectMsgBox(vbOK, {.prompt = "Se sono previste più di 10 righe il programma non può compilare il modello F24.",
                           .title = "Quotara"});
  const auto esito = EseguiCompilaF24(persona(), false, ModelloF24::Semplificato, versamento(righe(11)));
  EXPECT_FALSE(esito.Riuscito);
  EXPECT_TRUE(FileDatiF24().empty());
  EXPECT_TRUE(desk.openedDocuments().empty());
  EXPECT_EQ(desk.mousePointer(), forms::vbDefault);
}

TEST_F(CompilaF24Test, ReportsTheFirstFailureAndOpensNothing) {
  const std::string radice = "f24tasi_BIANCHI ANNA_A001_acconto_2014";
  struct Esempio {
    const char* descrizione;
    std::function<void()> prepara;
    std::string file;  // the file the message names
  };
  const Esempio casi[] = {
      {"the folder cannot be made", [&] { ScriviFile(datiF24(), "un file"); }, datiF24()},
      {"the template copy cannot be written",
       [&] { std::filesystem::create_directories(inDati(radice + ".pdf") + "/x"); }, inDati(radice + ".pdf")},
      {"the FDF cannot be written", [&] { std::filesystem::create_directories(inDati(radice + ".fdf") + "/x"); },
       inDati(radice + ".fdf")},
      {"the filled copy cannot be written",
       [&] { std::filesystem::create_directories(inDati(radice + "-compilato.pdf") + "/x"); },
       inDati(radice + "-compilato.pdf")},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.descrizione);
    std::filesystem::remove_all(datiF24());
    c.prepara();
    desk.setMousePointer(forms::vbDefault);
    desk.expectMsgBox(vbOK, {.title = "Quotara", .icon = forms::vbCritical});
    const size_t prima = desk.msgBoxes().size();
    const auto esito = EseguiCompilaF24(persona(), false, ModelloF24::Normale, versamento(righe(1)));
    EXPECT_FALSE(esito.Riuscito);
    ASSERT_EQ(desk.msgBoxes().size(), prima + 1);
    const std::string testo = desk.msgBoxes().back().prompt;
    EXPECT_EQ(testo.rfind("Impossibile compilare il modello F24.\r\n", 0), 0u) << testo;
    EXPECT_NE(testo.find("\"" + c.file + "\""), std::string::npos) << testo;
    EXPECT_TRUE(desk.openedDocuments().empty());
    EXPECT_EQ(desk.mousePointer(), forms::vbDefault);
  }
  // Two sheets: a failure on the second opens neither.
  std::filesystem::remove_all(datiF24());
  std::filesystem::create_directories(inDati(radice + "_2.fdf") + "/x");
  desk.expectMsgBox(vbOK);
  desk.expectMsgBox(vbOK, {.icon = forms::vbCritical});
  EXPECT_FALSE(EseguiCompilaF24(persona(), false, ModelloF24::Normale, versamento(righe(6))).Riuscito);
  EXPECT_TRUE(desk.openedDocuments().empty());
  EXPECT_EQ(desk.pendingAnswers(), 0u);
}

// A template that lacks a field: its notice is shown once, as the writer
// words it, without an icon, before the copies are opened or the error told.
TEST_F(CompilaF24Test, EachNoticeOfTheWriterIsShownBeforeTheOutcome) {
  const std::string avviso = "Scrittura FDF: Nome campo inesistente detrazione0";
  const std::string copia = percorso("a-compilato.pdf");
  quotara::testing::ScriviFile(copia, "%PDF-1.4");
  EsitoF24 riuscito;
  riuscito.Riuscito = true;
  riuscito.Compilati = {copia};
  riuscito.Avvisi = {avviso};
  desk.expectMsgBox(vbOK, {.prompt = avviso, .title = "Quotara", .buttons = forms::vbOKOnly, .icon = 0});
  MostraEsitoF24(riuscito);
  EXPECT_EQ(desk.msgBoxes().size(), 1u);
  EXPECT_EQ(desk.openedDocuments(), std::vector<std::string>{copia});

  EsitoF24 fallito;
  fallito.Avvisi = {avviso};
  fallito.Errore = "Impossibile compilare il modello F24.";
  fallito.Guasto = true;
  desk.expectMsgBox(vbOK, {.prompt = avviso, .icon = 0});
  desk.expectMsgBox(vbOK, {.prompt = "Impossibile compilare il modello F24.", .icon = forms::vbCritical});
  MostraEsitoF24(fallito);
  EXPECT_EQ(desk.msgBoxes().size(), 3u);
  EXPECT_EQ(desk.openedDocuments().size(), 1u);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
}

// "datiF24" as it stands: every entry with its bytes, folders as "<cartella>";
// no entry at all when the folder is missing.
std::map<std::string, std::string> statoDatiF24(const std::string& cartella) {
  std::map<std::string, std::string> stato;
  if (!std::filesystem::exists(cartella)) return stato;
  for (const auto& e : std::filesystem::recursive_directory_iterator(cartella))
    stato[e.path().string()] = e.is_directory() ? "<cartella>" : LeggiFile(e.path().string());
  return stato;
}

// A run that fails at a later step takes back what it wrote: the files of
// earlier runs stay as they were, those it added go, and a folder it made too.
TEST_F(CompilaF24Test, AFailedRunLeavesDatiF24AsItWas) {
  const std::string radice = "f24tasi_BIANCHI ANNA_A001_acconto_2014";
  // An earlier run of another taxpayer.
  auto altro = versamento(righe(2), "50");
  altro.Contribuente = "VERDI LUCA";
  ASSERT_TRUE(EseguiCompilaF24(persona(), false, ModelloF24::Normale, altro).Riuscito);
  struct Esempio {
    const char* descrizione;
    int righe;
    ModelloF24 modello;
    std::string occupato;  // the name a folder takes
  };
  const Esempio casi[] = {
      {"the FDF name taken by a folder", 2, ModelloF24::Normale, radice + ".fdf"},
      {"the filled copy's name taken by a folder", 3, ModelloF24::Normale, radice + "-compilato.pdf"},
      {"the simplified form's FDF", 7, ModelloF24::Semplificato, radice + "_s.fdf"},
      {"the second sheet's FDF, after the whole first sheet", 6, ModelloF24::Normale, radice + "_2.fdf"},
      {"the second sheet's filled copy", 6, ModelloF24::Normale, radice + "_2-compilato.pdf"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.descrizione);
    std::filesystem::create_directories(inDati(c.occupato));
    ScriviFile(inDati(c.occupato) + "/dentro", "x");
    const auto prima = statoDatiF24(datiF24());
    if (c.righe > 4 && c.modello == ModelloF24::Normale) desk.expectMsgBox(vbOK);
    desk.expectMsgBox(vbOK, {.icon = forms::vbCritical});
    EXPECT_FALSE(EseguiCompilaF24(persona(), false, c.modello, versamento(righe(c.righe), "50")).Riuscito);
    EXPECT_EQ(statoDatiF24(datiF24()), prima);
    std::filesystem::remove_all(inDati(c.occupato));
  }
  EXPECT_EQ(desk.pendingAnswers(), 0u);

  // A full disk: the template copy and the FDF fit, the filled copy does not.
  // Over an earlier run of the same name, its FDF, rewritten before the
  // failure, gets its bytes back.
  ASSERT_TRUE(EseguiCompilaF24(persona(), false, ModelloF24::Normale, versamento(righe(1), "50")).Riuscito);
  const auto modello = shell::CaricaRisorsa(shell::TipoRisorsa::Custom, shell::RisorsaModelloF24);
  ASSERT_TRUE(modello);
  const rlim_t limite = modello->size() + 1024;
  ASSERT_GT(std::filesystem::file_size(inDati(radice + "-compilato.pdf")), limite) << "the filled copy is too small";
  const auto corsa = [&] {
    desk.expectMsgBox(vbOK, {.icon = forms::vbCritical});
    return EseguiCompilaF24(persona(), false, ModelloF24::Normale, versamento(righe(3), "70")).Riuscito ? 1 : 0;
  };
  const auto prima = statoDatiF24(datiF24());
  EXPECT_EQ(quotara::testing::ConDiscoPieno(limite, corsa), 0);
  EXPECT_EQ(statoDatiF24(datiF24()), prima);
  // The first run of all: the folder it made goes too.
  std::filesystem::remove_all(datiF24());
  EXPECT_EQ(quotara::testing::ConDiscoPieno(limite, corsa), 0);
  EXPECT_FALSE(std::filesystem::exists(datiF24()));
}

TEST_F(CompilaF24Test, RunsAgainOverItsOwnFiles) {
  for (int volta = 0; volta < 2; ++volta)
    ASSERT_TRUE(EseguiCompilaF24(persona(), false, ModelloF24::Normale, versamento(righe(2), "50")).Riuscito);
  EXPECT_EQ(FileDatiF24().size(), 3u);
  EXPECT_EQ(desk.openedDocuments().size(), 2u);
}

}  // namespace
}  // namespace f24::testing

namespace f24::testing {
namespace {

// The run itself, without the payer window: it shows nothing, holds no
// hourglass and opens nothing; it says what it made or why it stopped.
class CompilaF24Logica : public CompilaF24Test {
 protected:
  ModelliF24 modelli() const {
    return {shell::CaricaRisorsa(shell::TipoRisorsa::Custom, shell::RisorsaModelloF24),
            shell::CaricaRisorsa(shell::TipoRisorsa::Custom, shell::RisorsaModelloF24Semplificato)};
  }
  // The run into "datiF24"; the notice of two forms counted in `avvisi_`.
  EsitoF24 compila(const VersamentoF24& v, ModelloF24 modello = ModelloF24::Normale,
                   std::optional<ModelliF24> m = std::nullopt) {
    return CompilaF24(persona(), false, modello, v, datiF24(), m ? *m : modelli(), [this] {
      ++avvisiDueModelli_;
      fileAlloAvviso_ = FileDatiF24();
    });
  }
  void nienteMostrato() {
    EXPECT_TRUE(desk.msgBoxes().empty());
    EXPECT_TRUE(desk.pointerChanges().empty());
    EXPECT_TRUE(desk.openedDocuments().empty());
  }
  int avvisiDueModelli_ = 0;
  std::vector<std::string> fileAlloAvviso_;
};

TEST_F(CompilaF24Logica, SaysWhatItMadeAndShowsNothing) {
  struct Esempio {
    int righe;
    ModelloF24 modello;
    std::vector<std::string> suffissi;  // in the order they are to be opened
  };
  const Esempio casi[] = {{1, ModelloF24::Normale, {""}},
                          {6, ModelloF24::Normale, {"_2", "_1"}},
                          {7, ModelloF24::Semplificato, {"_s"}},
                          {9, ModelloF24::Normale, {"_s"}}};
  for (const Esempio& c : casi) {
    SCOPED_TRACE(c.righe);
    std::filesystem::remove_all(datiF24());
    avvisiDueModelli_ = 0;
    const EsitoF24 esito = compila(versamento(righe(c.righe), "50", true), c.modello);
    ASSERT_TRUE(esito.Riuscito) << esito.Errore;
    EXPECT_EQ(esito.Errore, "");
    EXPECT_TRUE(esito.Avvisi.empty());
    EXPECT_EQ(esito.NomeFileF24, "f24tasi_BIANCHI ANNA_A001_acconto_2014");
    std::vector<std::string> attesi;
    for (const auto& s : c.suffissi) attesi.push_back(inDati(esito.NomeFileF24 + s + "-compilato.pdf"));
    EXPECT_EQ(esito.Compilati, attesi);
    // The notice of two forms comes once the folder is there, before any form is written.
    EXPECT_EQ(avvisiDueModelli_, c.suffissi.size() == 2 ? 1 : 0);
    if (avvisiDueModelli_) {
      EXPECT_TRUE(std::filesystem::is_directory(datiF24()));
      EXPECT_TRUE(fileAlloAvviso_.empty());
    }
    for (const auto& f : esito.Compilati) controllaPdf(f);
  }
  nienteMostrato();
  EXPECT_EQ(application.NomeFileF24, "") << "the shell's variables are the window's to set";
}

TEST_F(CompilaF24Logica, RefusesMoreThanTenRowsWithItsMessage) {
  const EsitoF24 esito = compila(versamento(righe(11)), ModelloF24::Semplificato);
  EXPECT_FALSE(esito.Riuscito);
  EXPECT_EQ(esito.Errore, "Se sono previste più di 10 righe il programma non può compilare il modello F24.");
  EXPECT_FALSE(esito.Guasto);
  EXPECT_EQ(esito.NomeFileF24, "");
  EXPECT_TRUE(esito.Compilati.empty());
  EXPECT_FALSE(std::filesystem::exists(datiF24()));
  nienteMostrato();
}

TEST_F(CompilaF24Logica, AMissingTemplateIsAFailureThatLeavesNothing) {
  for (const ModelloF24 modello : {ModelloF24::Normale, ModelloF24::Semplificato}) {
    const bool semplificato = modello == ModelloF24::Semplificato;
    SCOPED_TRACE(semplificato);
    ModelliF24 m = modelli();
    (semplificato ? m.Semplificato : m.Normale).reset();
    const EsitoF24 esito = compila(versamento(righe(2)), modello, m);
    EXPECT_FALSE(esito.Riuscito);
    EXPECT_TRUE(esito.Guasto);
    EXPECT_EQ(esito.Errore,
              "Impossibile compilare il modello F24.\r\nIl programma non contiene il modello F24 da "
              "copiare in \"" +
                  inDati(esito.NomeFileF24 + (semplificato ? "_s" : "") + ".pdf") + "\".");
    EXPECT_TRUE(esito.Compilati.empty());
    EXPECT_FALSE(std::filesystem::exists(datiF24()));
  }
  nienteMostrato();
}

// A field that the template lacks is left out and said, once per name and form.
TEST_F(CompilaF24Logica, AFieldTheTemplateLacksIsANotice) {
  std::string modello(*modelli().Normale);
  const std::string nome = "/T(detrazione)";
  const size_t p = modello.find(nome);
  ASSERT_NE(p, std::string::npos);
  modello.replace(p, nome.size(), "/T(Xetrazione)");
  ModelliF24 m = modelli();
  m.Normale = modello;
  const EsitoF24 esito = compila(versamento(righe(2), "50"), ModelloF24::Normale, m);
  ASSERT_TRUE(esito.Riuscito) << esito.Errore;
  EXPECT_EQ(esito.Avvisi, std::vector<std::string>{"Scrittura FDF: Nome campo inesistente detrazione"});
  EXPECT_EQ(mappa(voci(inDati(esito.NomeFileF24 + ".fdf"))).count("detrazione"), 0u);
  nienteMostrato();
}

// The filled copy takes the values the run wrote into the FDF, not the file
// read back: filling the copy from the FDF on disk gives the same bytes.
TEST_F(CompilaF24Logica, TheFilledCopyIsTheOneTheFdfGives) {
  auto r = righe(7, {"3961", "3958"});
  r[1] += ";75";
  VersamentoF24 conAccenti = versamento(righe(2), "50");
  conAccenti.Contribuente = "NICCOLÒ DELL'ÈRA";
  struct Esempio {
    const char* nome;
    VersamentoF24 v;
    ModelloF24 modello;
  };
  const Esempio casi[] = {{"ordinary", versamento(righe(3), "50"), ModelloF24::Normale},
                          {"two sheets", versamento(r, "", true), ModelloF24::Normale},
                          {"simplified", versamento(r, "", true), ModelloF24::Semplificato},
                          {"accents and an apostrophe", conAccenti, ModelloF24::Normale}};
  for (const Esempio& c : casi) {
    SCOPED_TRACE(c.nome);
    const EsitoF24 esito = compila(c.v, c.modello);
    ASSERT_TRUE(esito.Riuscito) << esito.Errore;
    for (const std::string& compilato : esito.Compilati) {
      const std::string fatto = LeggiFile(compilato);
      const std::string fdf = compilato.substr(0, compilato.size() - std::string("-compilato.pdf").size()) + ".fdf";
      EXPECT_EQ(pdf::CompilaModulo(fdf), compilato);
      EXPECT_TRUE(LeggiFile(compilato) == fatto) << compilato;
      controllaPdf(compilato);
    }
  }
  nienteMostrato();
}

}  // namespace
}  // namespace f24::testing
