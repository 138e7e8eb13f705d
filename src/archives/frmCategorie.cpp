#include "archives/frmCategorie.h"

#include "archives/Catasto.h"
#include "archives/Categorie.h"
#include "kit/Applicazione.h"

namespace archives {

using namespace forms;

frmCategorie::frmCategorie() {
  setCaption("Categorie catastali");
  setEscapeCloses(true);  // a window that only shows or picks
  setBorderStyle(3);
  setStartUpPosition(2);
  setClientSize(9120, 5460);

  List1.create(*this, 120, 120, 8880, 4560);
  // The descriptions line up after the longest code.
  List1.setTabStops({28});
  List1.setSeparatorLines(true);  // the blank line between two groups
  Command1.create(*this, 3900, 4860, 3000, 435);
  Command1.setCaption("Inserisci valore selezionato");
  Command1.setEnabled(false);
  Command2.create(*this, 7080, 4860, 1920, 435);
  Command2.setCaption("Chiudi");

  List1.setTabIndex(0);
  Command1.setTabIndex(1);
  Command2.setTabIndex(2);

  Load = [this] { Form_Load(); };
  List1.Click = [this] { List1_Click(); };
  List1.DblClick = [this] { List1_DblClick(); };
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
}

void frmCategorie::Form_Load() {
  for (const CategoriaCatastale& c : CategorieCatastali())
    List1.AddItem(*c.Codice ? std::string(c.Codice) + "\t" + c.Descrizione : std::string());
}

std::string frmCategorie::CategoriaSelezionata() const { return CodiceCategoria(List1.ListIndex()); }

void frmCategorie::List1_Click() {
  if (shell::app().ModoCatasto == 0) return;
  Command1.setEnabled(!CategoriaSelezionata().empty());
}

// Only a category is taken: a double click that selected none (a separator
// line) writes nothing.
void frmCategorie::List1_DblClick() {
  if (shell::app().ModoCatasto != 0 && !CategoriaSelezionata().empty()) Command1_Click();
}

void frmCategorie::Command1_Click() {
  shell::app().form<Catasto>().Text1[5].setText(CategoriaSelezionata());
  app().unload(*this);
}

void frmCategorie::Command2_Click() { app().unload(*this); }

}  // namespace archives
