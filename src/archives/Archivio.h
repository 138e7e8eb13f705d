#pragma once
// "Archivio dati": the archive page of the frame window. It lists every
// calculation of "tasi.dat" as a row of a four-column list (taxpayer,
// address, municipality, year), narrows the list by taxpayer, municipality
// and year with the count and the total paid, and acts on the selected
// calculation: loads it into the calculation page, deletes it, or copies it
// to the clipboard as labelled text from the list's pop-up menu. Every
// opening reads the file afresh.
#include <string>
#include <vector>

#include "archives/FiltriArchivio.h"
#include "forms/Forms.h"
#include "kit/FileArchivio.h"
#include "widgets/CMultiListbox.h"

namespace calculation {
class MainForm;
struct CalcoloRecord;
}  // namespace calculation

namespace archives {

class Archivio : public forms::Form {
 public:
  Archivio();

  forms::ControlArray<forms::Label> Label1;  // the title and its shadow
  forms::ControlArray<forms::Label> Label3;  // captions of the filters
  forms::ComboBox Combo1;                    // taxpayer filter
  forms::ComboBox Combo2;                    // municipality filter
  forms::ComboBox Combo3;                    // year filter, newest first
  forms::ControlArray<forms::Label> Label2;  // column headings
  // The columns: taxpayer, address, municipality, year. The ItemData of a
  // row of List1(0) is the index of its line in List2.
  forms::ControlArray<forms::ListBox> List1;
  forms::VScrollBar VScroll1;
  forms::ListBox List2;  // hidden: every line of "tasi.dat", sorted
  forms::Label Label5, lblNum;
  forms::Label Label4, lblTot;
  forms::Label Label6, lblAnno;
  forms::Label Label8, lblImposta;
  forms::Label Label7;            // the hint about the pop-up menu
  forms::CommandButton Command1;  // "&Carica dati selezionati"
  forms::CommandButton Command2;  // "&Elimina dati selezionati"
  forms::Menu Copia;
  forms::MenuItem& mnCopia;

  // The rows listed, in their order, as the page split them: what the
  // archive report prints.
  std::vector<const VoceArchivio*> VociElencate() const;

  // The archive of the calculations.
  static std::string PercorsoArchivio();

 private:
  void CreaControlli();
  void CollegaEventi();

  void Form_Load();
  void Form_Activate();
  void Combo_Click();
  void List1_Click(int Index);
  void List1_DblClick(int Index);
  void List1_MouseDown(int Index, int Button, int Shift, float X, float Y);
  void List1_MouseMove(int Index, int Button, int Shift, float X, float Y);
  void VScroll1_Change();
  void Command1_Click();
  void Command2_Click();
  void mnCopia_Click();

  void CaricaArchivioCalcoli();
  void ApplicaFiltri();
  void SelezionaRecord();
  // The line of List2 the commands act on; -1 when no row is selected.
  int RigaCorrente() const;
  void Comandi(bool abilitati);
  // Writes the record into a fresh calculation page as it was archived.
  static void CaricaNelCalcolo(calculation::MainForm& f, const calculation::CalcoloRecord& r);

  widgets::CMultiListbox ListaMulti;
  shell::FileArchivio archivio_;
  std::vector<VoceArchivio> voci_;  // the lines of List2, split once
  // The filter lists are being filled: selecting their first items does not
  // rebuild the list each time.
  bool riempieFiltri_ = false;
};

}  // namespace archives
