#include "f24/frmModelliF24.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "f24/Verifica.h"
#include "forms/Text.h"
#include "pdf/CompilazioneModulo.h"
#include "kit/Applicazione.h"
#include "kit/Dialoghi.h"
#include "kit/Documenti.h"
#include "kit/Messaggi.h"
#include "shell/Modulo1.h"

namespace f24 {

using namespace forms;

namespace {

// The first n characters of a text.
std::string primi(std::string_view testo, size_t n) {
  return forms::text::toUtf8(forms::text::toU32(testo).substr(0, n));
}

std::vector<std::string> parti(std::string_view base) {
  std::vector<std::string> out;
  for (;;) {
    const size_t p = base.find('_');
    out.emplace_back(base.substr(0, p));
    if (p == std::string_view::npos) return out;
    base.remove_prefix(p + 1);
  }
}

// Removes one file; the reason when it is there and cannot be removed.
std::optional<std::string> elimina(const std::string& percorso) {
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(percorso, ec))) return std::nullopt;
  if (std::filesystem::remove(percorso, ec) && !ec) return std::nullopt;
  return ec ? ec.message() : std::string("impossibile eliminarlo");
}

std::string nomeFile(const std::string& percorso) { return std::filesystem::path(percorso).filename().string(); }

}  // namespace

RigaModelloF24 ColonneModelloF24(const std::string& nome) {
  const std::string base = nome.size() >= 4 ? nome.substr(0, nome.size() - 4) : std::string();
  const auto p = parti(base);
  auto parte = [&](size_t i) { return i < p.size() ? p[i] : std::string(); };
  RigaModelloF24 r;
  r.Nome = primi(parte(1), 18);
  r.Comune = parte(2);
  r.Pagamento = parte(3);
  r.Anno = parte(4);
  r.Foglio = base.size() >= 2 && base[base.size() - 2] == '_' ? base.substr(base.size() - 1) : "-";
  return r;
}

frmModelliF24::frmModelliF24() {
  setCaption("Archivio modelli F24 salvati");
  setEscapeCloses(true);  // a window that only shows or picks
  setBorderStyle(1);
  setStartUpPosition(2);
  setClientSize(9360, 5940);

  File1.create(*this, 120, 5400, 1200, 300);
  File1.setVisible(false);

  Label1.create(*this, 240, 120, 8880, 330);
  Label1.setFontSize(10);
  Label1.setFontBold(true);
  Label1.setCaption("Archivio modelli F24 compilati e salvati");

  Frame1.create(*this, 240, 540, 8880, 3600);
  Frame1.setCaption("Elenco modelli F24 salvati");
  const char* titoli[] = {"Nome", "Comune", "Pagamento", "Anno", "Foglio"};
  // Over the columns of the list, which begin at characters 0, 28, 37, 49 and 58 of
  // its Courier lines.
  const int sinistre[] = {150, 3105, 4060, 5325, 6275};
  for (int i = 0; i < 5; ++i) {
    Label& l = Label2.Add(i);
    l.create(Frame1, sinistre[i], 300, 1200, 255);
    l.setFontBold(true);
    l.setCaption(titoli[i]);
  }
  lstF24.create(Frame1, 120, 600, 8640, 2880);
  lstF24.setTabIndex(0);

  Frame2.create(*this, 240, 4260, 8880, 960);
  Frame2.setCaption("Gestione archivio");
  Picture1.create(Frame2, 120, 300, 8640, 540);
  Picture1.setBorderStyle(0);
  cmdLoad.create(Picture1, 0, 60, 2760, 420);
  cmdLoad.setCaption("Apri modello selezionato");
  cmdLoad.setTabIndex(1);
  cmdElimina.create(Picture1, 2940, 60, 2760, 420);
  cmdElimina.setCaption("Elimina modello selezionato");
  cmdElimina.setTabIndex(2);
  cmdDeleteAll.create(Picture1, 5880, 60, 2760, 420);
  cmdDeleteAll.setCaption("Elimina tutto l'archivio");
  cmdDeleteAll.setTabIndex(3);

  cmdExit.create(*this, 7560, 5400, 1560, 420);
  cmdExit.setCaption("Chiudi");
  cmdExit.setTabIndex(4);

  Load = [this] { Form_Load(); };
  lstF24.Click = [this] { lstF24_Click(); };
  lstF24.DblClick = [this] { lstF24_DblClick(); };
  cmdLoad.Click = [this] { cmdLoad_Click(); };
  cmdElimina.Click = [this] { cmdElimina_Click(); };
  cmdDeleteAll.Click = [this] { cmdDeleteAll_Click(); };
  cmdExit.Click = [this] { cmdExit_Click(); };
  shell::DialogoNonModale(*this, cmdExit);
}

void frmModelliF24::Form_Load() { CaricaModelli(); }

void frmModelliF24::CaricaModelli() {
  lstF24.Clear();
  File1.setPattern("*.fdf");
  try {
    File1.setPath(CartellaModelliF24());
  } catch (const FormsError&) {
    File1.Clear();  // no folder: no forms
  }
  const std::string& sep = FormatoColonne.ColumnSeparator();
  for (int i = 0; i < File1.ListCount(); ++i) {
    const RigaModelloF24 r = ColonneModelloF24(File1.List(i));
    lstF24.AddItem(r.Nome + sep + sep + r.Comune + sep + r.Pagamento + sep + r.Anno + sep + r.Foglio);
    lstF24.setItemData(lstF24.NewIndex(), i);
  }
  // Name and payment at least as wide as their longest ("acconto"), so that
  // the columns stand under their headings whatever the rows hold.
  FormatoColonne.setMinimumWidths({18, 0, 0, 7});
  FormatoColonne.FormatListBoxListItemsAsColumns(lstF24);
  cmdLoad.setEnabled(false);
  cmdElimina.setEnabled(false);
}

std::string frmModelliF24::FileSelezionato() const {
  if (lstF24.ListIndex() < 0) return "";
  return CartellaModelliF24() + "/" + File1.List(lstF24.ItemData(lstF24.ListIndex()));
}

void frmModelliF24::lstF24_Click() {
  if (lstF24.ListIndex() < 0) return;
  cmdLoad.setEnabled(true);
  cmdElimina.setEnabled(true);
}

void frmModelliF24::lstF24_DblClick() {
  if (lstF24.ListCount() > 0 && lstF24.ListIndex() >= 0) cmdLoad_Click();
}

void frmModelliF24::cmdLoad_Click() {
  const std::string fdf = FileSelezionato();
  if (fdf.empty()) return;
  // The desktop's viewer cannot read FDF: the form is filled here and the filled copy opened.
  try {
    shell::ApriDocumento(pdf::CompilaModulo(fdf));
  } catch (const pdf::ErroreCompilazione& e) {
    shell::Messaggio(std::string("Impossibile aprire il modello F24.\r\n") + e.what(), vbCritical);
  }
}

void frmModelliF24::cmdElimina_Click() {
  const std::string fdf = FileSelezionato();
  if (fdf.empty()) return;
  if (!shell::Domanda("Vuoi eliminare il modello F24 selezionato?")) return;
  const std::string base = fdf.substr(0, fdf.size() - 4);
  std::string rimasti;
  for (const std::string& f : {fdf, base + ".pdf", base + "-compilato.pdf"})
    if (const auto perche = elimina(f)) rimasti += "\r\n" + nomeFile(f) + ": " + *perche;
  if (!rimasti.empty()) shell::Messaggio("Impossibile eliminare:" + rimasti, vbCritical);
  CaricaModelli();
  if (lstF24.ListCount() == 0) {
    // The last form is gone: so is the folder, when nothing else is left in it.
    std::error_code ec;
    std::filesystem::remove(CartellaModelliF24(), ec);
    Chiudi();
  }
}

void frmModelliF24::cmdDeleteAll_Click() {
  if (!shell::Domanda("Vuoi eliminare tutto l'archivio dei modelli F24?")) return;
  const std::string cartella = CartellaModelliF24();
  std::string rimasti;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(cartella, ec), fine; !ec && it != fine; it.increment(ec))
    if (const auto perche = elimina(it->path().string())) rimasti += "\r\n" + nomeFile(it->path()) + ": " + *perche;
  std::filesystem::remove(cartella, ec);
  if (!shell::EsisteCartella(cartella))
    MsgBox("L'archivio è stato eliminato.", vbOKOnly, vbInformation, "quotara");
  else
    shell::Messaggio("L'archivio non è stato eliminato del tutto. Sono rimasti:" +
                         (rimasti.empty() ? "\r\n" + nomeFile(cartella) : rimasti),
                     vbExclamation);
  Chiudi();
}

void frmModelliF24::cmdExit_Click() { Chiudi(); }

void frmModelliF24::Chiudi() {
  shell::app().unload(*this);
  // The totals page offers the list only while its folder is there.
  if (shell::app().isLoaded<Verifica>())
    shell::app().form<Verifica>().cmdArchivioF24.setEnabled(shell::EsisteCartella(CartellaModelliF24()));
}

}  // namespace f24
