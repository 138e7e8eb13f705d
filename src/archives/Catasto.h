#pragma once
// "Dati catastali": one record of the cadastral register, shown, entered or
// modified. The cadastral page opens it modally after setting ModoCatasto
// (0 view, 1 new record, 2 modify the selected row). In view mode the main
// button prints the record as the boxes show it; otherwise it checks the
// input, writes the register through the cadastral page and reloads that
// page before closing.
//
// No ";" reaches the register: it is refused when typed and dropped from
// pasted text in every box, and every line break of the notes is stored as
// one "\".
#include <string>

#include "archives/CatastoRecord.h"
#include "forms/Forms.h"
#include "reports/StampeCatasto.h"

namespace archives {

class Catasto : public forms::Form {
 public:
  Catasto();

  forms::Label lblNome, lblComune, lblUbicazione;
  forms::ComboBox txtNome;    // owner; in new mode its list holds the stored owners
  forms::ComboBox txtComune;  // municipality; in new mode the stored ones
  forms::TextBox txtUbicazione;
  forms::Frame fraTipologia;                    // "Tipologia:"
  forms::ControlArray<forms::CheckBox> Check1;  // building, land, building area
  forms::Frame fraDati;                         // "Dati"
  forms::ControlArray<forms::Label> lblDati;    // the captions of Text1
  forms::ControlArray<forms::TextBox> Text1;    // fields 5 to 14
  forms::CommandButton cmdCat;                  // "?": the category list
  forms::Frame fraRendita;                      // "Rendita o reddito"
  forms::Label lblRendita, lblRA, lblRD;
  forms::TextBox txtRendita, txtRA, txtRD;
  forms::Frame fraNote;  // "Annotazioni"
  forms::TextBox txtNote;
  forms::CommandButton Command2;  // "Salva", or "Stampa" in view mode
  forms::CommandButton Command1;  // "Chiudi"

  // What the boxes show, for the record report.
  reports::SchedaImmobile Scheda() const;
  // The record that the boxes make: the type of the ticked box ("0" when
  // none is), the notes with "\" for line breaks, no ";" anywhere.
  CatastoRecord Record() const;

 private:
  void Form_Load();
  void Check1_Click(int Index);
  void Text1_KeyPress(int Index, int& KeyAscii);
  void Importo_LostFocus(forms::TextBox& Casella);
  void Testo_KeyPress(forms::EditControl& Casella, int& KeyAscii);
  void txtNote_KeyPress(int& KeyAscii);
  void Command2_Click();
  void Command1_Click();
  void cmdCat_Click();

  bool ControllaDatiCatastali();
  bool ArchiviaImmobile();
  bool ModificaImmobile();
  void CaricaElenchi();
  void MostraImmobile(int Indice);

  int IndiceRecord = 0;
  int modo_ = 1;  // ModoCatasto when the window loaded
};

}  // namespace archives
