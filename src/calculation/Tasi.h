#pragma once
// The TASI of one property for one taxpayer and one year: the checks of the
// calculation window's inputs, the formula, the two instalments or the single
// payment, the deduction split, the excess deduction and the F24 tax code.
// Nothing here touches a window: the calculation window reads its boxes into
// `TestiCalcolo`, shows what `ControllaDati` reports and writes the texts of
// `RisultatoCalcolo::etichette` into its labels.
#include <optional>
#include <string>
#include <vector>

namespace calculation {

// Multiplier and F24 tax code of the property types (`Option1` index 0-7);
// both give 0 for an index outside 0-7.
int Moltiplicatore(int tipologia);
int CodiceTributoTipologia(int tipologia);

// The months of the two half-years of a possession of `mesi` months (taken
// within 0-12), with `primo` wanted in the first: the first is kept between
// mesi - 6 and the smaller of 6 and mesi, the second is the rest.
struct Semestri {
  int primo = 6;
  int secondo = 6;
};
Semestri DividiSemestri(int mesi, int primo);

// The inputs of the formula, already read as numbers.
struct DatiCalcolo {
  double rendita = 0;                 // Text3: rendita, or market value for type 3
  double aliquota = 0;                // Text4: rate per mille
  double rivalutazione = 5;           // Text5: percent
  int tipologia = 0;                  // Option1 index, 0-7
  bool inagibile = false;             // chkInagibile: halves the rendita
  bool locata = false;                // chkLocata
  int percentualeInquilino = 0;       // txtLocata
  bool calcolaInquilino = false;      // chkInquilino
  int mesi = 12;                      // Text8: months of possession
  int mesiPrimoSemestre = 6;          // Text1
  double quota = 100;                 // Text9: share of possession, percent
  bool abitazionePrincipale = false;  // Check1
  double detrazione = 0;              // Text7: main-dwelling deduction
  int proprietari = 0;                // txtNum: owners living there
  bool soluzioneUnica = false;        // chkUnica
};

// The texts of the calculation window's boxes as they stand, and its option
// and check boxes.
struct TestiCalcolo {
  std::string anno;                  // Text2
  std::string rendita;               // Text3
  std::string aliquota;              // Text4
  std::string rivalutazione;         // Text5
  std::string detrazione;            // Text7
  std::string mesi;                  // Text8
  std::string mesiPrimoSemestre;     // Text1
  std::string quota;                 // Text9
  std::string proprietari;           // txtNum
  std::string percentualeInquilino;  // txtLocata
  int tipologia = 0;
  bool inagibile = false;
  bool locata = false;
  bool calcolaInquilino = false;
  bool abitazionePrincipale = false;
  bool soluzioneUnica = false;
};

// The box that a refused input sends the focus to.
enum class CasellaCalcolo {
  Anno,                  // Text2
  Rendita,               // Text3
  Aliquota,              // Text4
  Rivalutazione,         // Text5
  Detrazione,            // Text7
  Quota,                 // Text9
  Proprietari,           // txtNum
  PercentualeInquilino,  // txtLocata
};

struct Rifiuto {
  CasellaCalcolo casella;
  std::string messaggio;  // shown with the exclamation icon, title "Quotara"
};

// What the window does before the formula runs: either one refusal (show it,
// move the focus, compute nothing), or the inputs as numbers together with
// the Yes/No questions to ask in order; when questions are asked, the answer
// to the last one decides whether the calculation runs.
struct ControlloDati {
  std::optional<Rifiuto> rifiuto;
  std::vector<std::string> domande;
  DatiCalcolo dati;
};
ControlloDati ControllaDati(const TestiCalcolo& testi);

// "Devi immettere il valore della " + cosa + "!"
std::string MessaggioValoreMancante(const std::string& cosa);

// The notice of a deduction larger than the tax, and the amount to put on the
// clipboard.
struct AvvisoEccedenza {
  std::string titolo;   // "Quotara - Eccedenza imposta detraibile"
  std::string testo;    // lines separated by CR LF, information icon
  std::string appunti;  // owners x excess, "#,##0.00"
};

struct RisultatoCalcolo {
  double base = 0;                 // rendita after halving and revaluation
  double impostaImmobile = 0;      // T, tax on the whole property
  double impostaContribuente = 0;  // Q, tax of the taxpayer
  double detrazione = 0;           // D, deduction for the months and owners
  double detrazioneSpettante = 0;  // the smaller of D and Q
  double eccedenza = 0;            // E = D - Q when D > Q, else 0
  double acconto = 0;              // advance to the cent (0 in the excess case)
  double saldo = 0;                // balance to the cent (0 in the excess case)
  int codiceTributo = 0;           // 3958-3961

  // The captions of the result labels, exactly as the window shows them.
  struct Etichette {
    std::string Label8, Label10, Label11, Label18;
    std::string Label12, Label13, Label14, Label15;
    std::string lblCodCom;
  } etichette;

  // The advance and the balance to the cent, "#,##0.00": the shared texts
  // that the archive stores as fields 19 and 21.
  std::string ImportoAcconto;
  std::string ImportoSaldo;

  std::optional<AvvisoEccedenza> avviso;  // only when D > Q
};

// The ordinary calculation: the advance is half of the tax due, or the whole
// tax is one payment with `soluzioneUnica`.
RisultatoCalcolo CalcolaImposta(const DatiCalcolo& dati);

// The balance from the advance actually paid and the deduction used in it
// (`TotaleVersato`, `DetrazioneAccontoVersata`); `soluzioneUnica` is ignored.
RisultatoCalcolo Fondivomanuale(const DatiCalcolo& dati, double totaleVersato, double detrazioneAccontoVersata);

}  // namespace calculation
