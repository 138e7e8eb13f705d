#include "f24/ArchivioF24.h"

#include <algorithm>
#include <vector>

#include "f24/DatiContribuenteF24.h"
#include "f24/frmF24.h"
#include "forms/Text.h"
#include "kit/Applicazione.h"
#include "kit/Messaggi.h"

namespace f24 {

using namespace forms;

namespace {

// The list's Courier characters in twips, and where its first one begins in Frame1.
constexpr double kCarattere = 105.6;
constexpr int kInizioRighe = 150;
// The name column is at least this wide, so that the headings keep their places.
constexpr int kLarghezzaNome = 30;

}  // namespace

ArchivioF24::ArchivioF24() : archivio_(PercorsoArchivioF24(), List1, DatiContribuenteF24::chiaveDi) {
  setCaption("Archivio dati F24");
  setEscapeCloses(true);  // a window that only shows or picks
  setBorderStyle(1);
  setStartUpPosition(2);
  setClientSize(9600, 6360);

  Frame2.create(*this, 240, 4680, 9120, 960);
  Frame2.setCaption("Gestione archivio");
  Picture1.create(Frame2, 120, 300, 8880, 555);
  Picture1.setBorderStyle(0);
  cmdElimina.create(Picture1, 0, 60, 2760, 435);
  cmdElimina.setCaption("Elimina dati selezionati");
  cmdLoad.create(Picture1, 2940, 60, 2760, 435);
  cmdLoad.setCaption("Carica dati selezionati");
  cmdExit.create(*this, 7800, 5790, 1560, 435);
  cmdExit.setCaption("Chiudi");
  List1.create(*this, 240, 5790, 1200, 300);
  List1.setVisible(false);

  Frame1.create(*this, 240, 600, 9120, 3960);
  Frame1.setCaption("Elenco dati modello F24");
  for (Label* l : {&Label4, &Label3, &Label2}) {
    l->create(Frame1, kInizioRighe, 300, 1500, 255);
    l->setFontBold(true);
  }
  Label4.setCaption("Codice fiscale");
  Label3.setCaption("Nato il");
  Label2.setCaption("Nominativo");
  lstF24.create(Frame1, 120, 600, 8880, 3240);

  Label1.create(*this, 240, 180, 9120, 330);
  Label1.setFontSize(10);
  Label1.setFontBold(true);
  Label1.setCaption("Archivio dati F24");

  lstF24.setTabIndex(0);
  cmdLoad.setTabIndex(1);
  cmdElimina.setTabIndex(2);
  cmdExit.setTabIndex(3);

  Load = [this] { Form_Load(); };
  Unload = [this](int&) { Form_Unload(); };
  lstF24.Click = [this] { lstF24_Click(); };
  lstF24.DblClick = [this] { lstF24_DblClick(); };
  cmdLoad.Click = [this] { cmdLoad_Click(); };
  cmdElimina.Click = [this] { cmdElimina_Click(); };
  cmdExit.Click = [this] { cmdExit_Click(); };
}

void ArchivioF24::Form_Load() { CaricaF24(); }

// However the window closes, the payer window shows again (loaded anew,
// unless a payer has just been loaded into it).
void ArchivioF24::Form_Unload() {
  if (!app().ended()) app().form<frmF24>().Show();
}

void ArchivioF24::CaricaF24() {
  lstF24.Clear();
  archivio_.Carica();
  const std::string& sep = FormatoColonne.ColumnSeparator();
  std::vector<std::string> righe;
  righe.reserve(static_cast<size_t>(List1.ListCount()));
  int largo = kLarghezzaNome;  // the width of the name column, for the headings
  for (int i = 0; i < List1.ListCount(); ++i) {
    const DatiContribuenteF24 r = DatiContribuenteF24::fromLine(List1.List(i));
    const std::string nome = r.Cognome + " " + r.Nome;
    largo = std::max(largo, text::length(nome));
    righe.push_back(nome + sep + sep + r.DataNascita + sep + r.CodiceFiscale);
  }
  lstF24.AddItems(righe);
  for (int i = 0; i < lstF24.ListCount(); ++i) lstF24.setItemData(i, i);
  FormatoColonne.setMinimumWidths({kLarghezzaNome});  // the name column stands under its heading
  FormatoColonne.FormatListBoxListItemsAsColumns(lstF24);

  // The headings over their columns: name, (empty), date, code.
  const int passo = text::length(FormatoColonne.ColumnPaddingString());
  const int data = largo + 2 * passo, codice = data + 10 + passo;
  Label3.setLeft(kInizioRighe + static_cast<int>(data * kCarattere));
  Label4.setLeft(kInizioRighe + static_cast<int>(codice * kCarattere));

  cmdLoad.setEnabled(false);
  cmdElimina.setEnabled(false);
}

int ArchivioF24::RigaSelezionata() const { return lstF24.ListIndex() < 0 ? -1 : lstF24.ItemData(lstF24.ListIndex()); }

void ArchivioF24::lstF24_Click() {
  if (lstF24.ListIndex() < 0) return;
  cmdLoad.setEnabled(true);
  cmdElimina.setEnabled(true);
}

void ArchivioF24::lstF24_DblClick() {
  if (RigaSelezionata() >= 0) cmdLoad_Click();
}

void ArchivioF24::cmdLoad_Click() {
  const int i = RigaSelezionata();
  if (i < 0) return;
  const DatiContribuenteF24 r = DatiContribuenteF24::fromLine(List1.List(i));
  frmF24& f = app().form<frmF24>();
  f.txtCodFis.setText(r.CodiceFiscale);
  f.txtCognome.setText(r.Cognome);
  if (!r.Ente()) {
    f.chkEnte.setValue(vbUnchecked);
    f.txtNome.setText(r.Nome);
    f.txtData.setText(r.DataNascita);
    f.cboSesso.setListIndex(r.Sesso == "M" ? 0 : 1);
    f.txtComuneN.setText(r.ComuneNascita);
    f.txtProvN.setText(r.ProvinciaNascita);
  } else {
    f.chkEnte.setValue(vbChecked);
  }
  f.txtComuneR.setText(r.ComuneDomicilio);
  f.txtProvR.setText(r.ProvinciaDomicilio);
  f.txtIndirizzo.setText(r.Indirizzo);
  f.txtDelega.setText(r.Delega);
  f.txtAgenzia.setText(r.Agenzia);
  f.txtProv.setText(r.ProvinciaAgenzia);
  f.txtIban.setText(r.Iban);
  app().unload(*this);
}

void ArchivioF24::cmdElimina_Click() {
  const int i = RigaSelezionata();
  if (i < 0) return;
  if (!shell::Domanda("Vuoi eliminare il dato selezionato?")) return;
  archivio_.Elimina(i);
  CaricaF24();
}

void ArchivioF24::cmdExit_Click() { app().unload(*this); }

}  // namespace f24
