#pragma once
// "Compilazione F24": the person or entity that pays the F24 form, the bank of
// the delegation and the IBAN; the ordinary or simplified form; "Compila F24"
// fills the form with the rows handed over by the totals page. Both "Compila
// F24" and "Salva dati" run the checks of a person or of an entity first. The
// payer can be saved in "tasif24.dat",
// loaded from it through "Archivio dati F24", and the fiscal code computed in
// "Calcolo Codice Fiscale", which hands it back.
//
// Opened by the totals page with the frame hidden. However it closes
// ("Chiudi", the close box) the hand-over ends (rows emptied) and the frame
// shows again; only "Carica dati" unloads it for the payer archive, which
// loads it anew.
#include <string>

#include "f24/CompilaF24.h"
#include "f24/DatiContribuenteF24.h"
#include "forms/Forms.h"
#include "kit/FileArchivio.h"

namespace f24 {

// "tasif24.dat" in the program folder.
std::string PercorsoArchivioF24();

// The rows as the shell holds them (RigheF24, ChiusuraF24, NumRigheF24,
// TipoVersamento, F24PiuComuni), with what the totals page shows: its
// taxpayer, municipality code and year.
VersamentoF24 VersamentoCorrente(const std::string& contribuente, const std::string& codiceCatastale,
                                 const std::string& anno);

// "Compila F24" as the payer window runs it (f24::CompilaF24 into
// CartellaModelliF24(), from the templates the program carries): the mouse
// pointer shows the hourglass while it runs, the notice of two forms and
// every message of the run are shown in their order, and the filled copies
// are opened when all went well. The base name is left in the shell's
// NomeFileF24.
EsitoF24 EseguiCompilaF24(const DatiContribuenteF24& dati, bool ente, ModelloF24 modello,
                          const VersamentoF24& versamento);

// What a run ended with, shown: each notice of the FDF writer without an
// icon, then the copies opened, or the error with its icon.
void MostraEsitoF24(const EsitoF24& esito);

// The blank date mask of the payer's birth date.
inline constexpr const char* kMascheraData = "  /  /    ";

class frmF24 : public forms::Form {
 public:
  frmF24();

  forms::Frame Frame1;  // "Delega"
  forms::Label Label1, Label2, Label3;
  forms::TextBox txtDelega, txtAgenzia, txtProv;
  forms::Frame Frame2;  // "Contribuente"
  forms::Label Label4, Label5, Label6, Label7, Label8, Label9, Label10;
  forms::TextBox txtCodFis, txtCognome, txtNome, txtData;
  forms::ComboBox cboSesso;
  forms::TextBox txtComuneN, txtProvN;
  forms::PictureBox Picture1;
  forms::CommandButton cmdCodFis;  // "Calcola CF"
  forms::Label lblNote;            // shown for an entity
  forms::Frame Frame3;             // "Domicilio fiscale"
  forms::Label Label11, Label12, Label13;
  forms::TextBox txtComuneR, txtProvR, txtIndirizzo;
  forms::Frame Frame4;  // "Coordinate bancarie (facoltativo):"
  forms::Label Label14;
  forms::TextBox txtIban;
  forms::Frame Frame7;  // "Soggetto dichiarante"
  forms::CheckBox chkEnte;
  forms::Frame Frame6;  // "Modello F24"
  forms::PictureBox Picture3;
  forms::ControlArray<forms::OptionButton> modF24;  // 0 ordinary, 1 simplified
  forms::Frame Frame5;                              // "Gestione F24"
  forms::PictureBox Picture2;
  forms::CommandButton cmdLoad, cmdSave, cmdF24;
  forms::CommandButton cmdExit;
  forms::ListBox List1;  // hidden: the lines of "tasif24.dat", in file order

  // Widths of txtCodFis and txtCognome: a person's, an entity's.
  static constexpr int kLarghezzaCodFis = 4725;
  static constexpr int kLarghezzaCognome = 2985;
  static constexpr int kLarghezzaEnte = 5985;

  // True while chkEnte is checked.
  bool EnteGiuridico = false;

  // The payer shown, as it is stored: an entity without the person's data
  // (fields 3 to 7 empty, the birth date the blank mask).
  DatiContribuenteF24 Record() const;

 private:
  void Form_Load();
  void Form_Unload();
  void chkEnte_Click();
  void cboSesso_KeyPress(int& KeyAscii);
  void cmdCodFis_Click();
  void cmdLoad_Click();
  void cmdSave_Click();
  void cmdF24_Click();
  void cmdExit_Click();

  bool ControllaPersona();
  bool ControllaEnte();
  // The checks of the payer as it is: an entity or a person,
  // and then the IBAN, which may be empty or else must be a valid Italian one.
  bool ControllaContribuente() { return (EnteGiuridico ? ControllaEnte() : ControllaPersona()) && ControllaIban(); }
  bool ControllaIban();
  void CaricaListaF24();
  void SalvaDatiF24(bool& Esito);

  shell::FileArchivio archivio_;
  // Unloaded for the payer archive: the frame stays hidden.
  bool versoArchivio_ = false;
};

}  // namespace f24
