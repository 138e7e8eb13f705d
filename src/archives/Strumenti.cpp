#include "archives/Strumenti.h"

#include "archives/CopiaSicurezza.h"
#include "f24/frmTributi.h"
#include "fiscalcode/frmCFdati.h"
#include "fiscalcode/frmCodComune.h"
#include "kit/Applicazione.h"
#include "kit/Dialoghi.h"
#include "kit/Finestre.h"
#include "kit/Messaggi.h"
#include "shell/Modulo1.h"
#include "kit/Risorse.h"

namespace archives {

using namespace forms;

namespace {

const Color kSfondo = RGB(213, 249, 255);

void Mostra(const Esito& esito) { shell::Messaggio(esito.messaggio, esito.errore ? vbExclamation : vbInformation); }

// The hourglass while a blank form is written and handed to the viewer.
void ConClessidra(void (*apri)()) {
  shell::Clessidra clessidra;
  apri();
}

// The file dialog lists only files named `nome` (the IMU program's file); the
// chosen one replaces the archive `archivio` once it holds its layout.
void Importa(const std::string& nome, const std::string& descrizione, const std::string& archivio, Tracciato tracciato,
             const std::string& riuscito) {
  const std::string file =
      shell::DialogoFile("Importa file " + nome, descrizione + "|" + nome, shell::CartellaDialoghi());
  if (file.empty()) return;
  Mostra(ImportaArchivio(file, shell::PercorsoApp() + "/" + archivio, tracciato, riuscito));
}

// A control with a caption, placed on its container.
template <class C>
void Posa(C& c, Container& dove, int left, int top, int width, int height, const char* caption) {
  c.create(dove, left, top, width, height);
  c.setCaption(caption);
}

// The button row of a frame: a borderless picture box the buttons stand on.
void RigaPulsanti(PictureBox& p, Frame& f, int top, int height) {
  p.create(f, 120, top, f.Width() - 240, height);
  p.setBorderStyle(0);
  p.setTabStop(false);
}

// One of the two frames side by side at the top: two buttons one above the
// other, and what they do below them.
void MezzoRiquadro(Form& pagina, Frame& f, int left, const char* titolo, PictureBox& riga, CommandButton& primo,
                   const char* testoPrimo, CommandButton& secondo, const char* testoSecondo, Label& spiegazione,
                   const char* testo) {
  Posa(f, pagina, left, 900, 5460, 2850, titolo);
  RigaPulsanti(riga, f, 330, 1170);
  Posa(primo, riga, 240, 30, 4740, 495, testoPrimo);
  Posa(secondo, riga, 240, 645, 4740, 495, testoSecondo);
  Posa(spiegazione, f, 240, 1620, 4980, 1500, testo);
}

}  // namespace

Strumenti::Strumenti() {
  setMDIChild();
  setCaption("Strumenti di utilità");
  setClientSize(11385, 8175);  // the page area of the frame window

  for (int i : {1, 2}) {
    Label& l = Label1.Add(i);
    l.create(*this, i == 1 ? 195 : 150, i == 1 ? 165 : 120, 6000, 600);
    l.setCaption("Strumenti di utilità");
    l.setFontSize(18);
    l.setFontBold(true);
    l.setBackStyle(0);
    l.setForeColor(i == 1 ? RGB(160, 160, 160) : RGB(0, 0, 160));
  }

  MezzoRiquadro(*this, Frame1, 150, "Copie di sicurezza archivio dati", Picture1, cmdBackup,
                "Copie di sicurezza archivi", cmdRestore, "Ripristino dati archivi", Label2,
                "La copia di sicurezza salva gli archivi del programma (archivio TASI, dati catastali e dati F24) in "
                "una cartella a scelta. Il ripristino ricopia gli archivi salvati da quella cartella nella cartella "
                "del programma, dopo aver chiesto se sovrascrivere gli archivi presenti.");
  MezzoRiquadro(*this, Frame3, 5775, "Importazione dati catastali e F24", Picture3, cmdImport,
                "Importa dati catastali da programma IMU", cmdImportF24, "Importa dati F24 da programma IMU", Label3,
                "Questi comandi importano i dati catastali e i dati F24 archiviati da un programma per il calcolo "
                "dell'IMU, dai suoi file IMUCAT.DAT e IMUF24.DAT. L'archivio importato sostituisce quello del "
                "programma.");

  Posa(Frame2, *this, 150, 3990, 11085, 1650, "Calcolo codice fiscale e ricerca codice catastale comuni");
  RigaPulsanti(Picture2, Frame2, 330, 585);
  Posa(cmdCodCat, Picture2, 120, 30, 3600, 495, "Ricerca Codice Catastale Comune");
  Posa(cmdCodFis, Picture2, 3840, 30, 3000, 495, "Calcola Codice Fiscale");
  Posa(Label6.Add(3), Frame2, 240, 1050, 10605, 480,
       "In questa sezione è possibile calcolare il codice fiscale o reperire il codice catastale dei Comuni.");

  Posa(Frame4, *this, 150, 5880, 11085, 1650,
       "Modello F24 - Modello editabile, Dichiarazione TASI, istruzioni e codici tributi");
  RigaPulsanti(Picture4, Frame4, 330, 585);
  Posa(cmdDownloadF24, Picture4, 120, 30, 2460, 495, "Modello F24 editabile");
  Posa(cmdEsempio, Picture4, 2700, 30, 3300, 495, "Modello F24 semplificato editabile");
  Posa(cmdDicIMU, Picture4, 6120, 30, 2460, 495, "Dichiarazione IMU-TASI");
  Posa(cmdCodiciTributi, Picture4, 8700, 30, 2085, 495, "Codici tributi F24");
  Posa(Label6.Add(0), Frame4, 240, 1050, 10605, 480,
       "Viene messo qui a disposizione il modello F24 completo in formato PDF e EDITABILE e la dichiarazione TASI.");

  for (Label* l : {&Label2, &Label3, &Label6[3], &Label6[0]}) l->setBackStyle(0);

  // The blank F24 forms need their templates among the resources.
  cmdDownloadF24.setEnabled(shell::CaricaRisorsa(shell::TipoRisorsa::Custom, shell::RisorsaModelloF24).has_value());
  cmdEsempio.setEnabled(
      shell::CaricaRisorsa(shell::TipoRisorsa::Custom, shell::RisorsaModelloF24Semplificato).has_value());

  Load = [this] { Form_Load(); };
  cmdBackup.Click = [this] { cmdBackup_Click(); };
  cmdRestore.Click = [this] { cmdRestore_Click(); };
  cmdImport.Click = [this] { cmdImport_Click(); };
  cmdImportF24.Click = [this] { cmdImportF24_Click(); };
  cmdDownloadF24.Click = [this] { cmdDownloadF24_Click(); };
  cmdEsempio.Click = [this] { cmdEsempio_Click(); };
  cmdDicIMU.Click = [this] { cmdDicIMU_Click(); };
  cmdCodCat.Click = [this] { cmdCodCat_Click(); };
  cmdCodFis.Click = [this] { cmdCodFis_Click(); };
  cmdCodiciTributi.Click = [this] { cmdCodiciTributi_Click(); };
}

void Strumenti::Form_Load() {
  setBackColor(kSfondo);
  for (Frame* f : {&Frame1, &Frame2, &Frame3, &Frame4}) f->setBackColor(kSfondo);
  for (PictureBox* p : {&Picture1, &Picture2, &Picture3, &Picture4}) p->setBackColor(kSfondo);
}

void Strumenti::cmdBackup_Click() {
  if (ArchiviPresenti(shell::PercorsoApp()).empty()) {
    shell::Messaggio("La cartella del programma non contiene nessun archivio.");
    return;
  }
  const std::string cartella = shell::SfogliaCartella("Seleziona la cartella o il drive dove salvare gli archivi:");
  if (cartella.empty()) return;
  Mostra(SalvaArchivi(shell::PercorsoApp(), shell::TogliBarra(cartella)));
}

void Strumenti::cmdRestore_Click() {
  if (!shell::Domanda(
          "Attenzione: i file presenti nella cartella del programma verranno sovrascritti.\r\nVuoi continuare?"))
    return;
  const std::string cartella =
      shell::SfogliaCartella("Seleziona la cartella o il drive dove sono le copie di sicurezza gli archivi:");
  if (cartella.empty()) return;
  Mostra(RipristinaArchivi(shell::TogliBarra(cartella), shell::PercorsoApp()));
}

void Strumenti::cmdImport_Click() {
  Importa("imucat.dat", "Catasto IMU (*.dat)", "tasicat.dat", TracciatoCatasto,
          "Importazione catasto completata con successo.");
}

void Strumenti::cmdImportF24_Click() {
  Importa("imuf24.dat", "F24 IMU (*.dat)", "tasif24.dat", TracciatoF24,
          "Importazione dati F24 completata con successo.");
}

void Strumenti::cmdDownloadF24_Click() { ConClessidra(shell::ApriModelloF24); }

void Strumenti::cmdCodiciTributi_Click() { shell::app().form<f24::frmTributi>().Show(vbModal); }

void Strumenti::cmdEsempio_Click() { ConClessidra(shell::ApriModelloF24Semplificato); }

void Strumenti::cmdDicIMU_Click() { ConClessidra(shell::ApriDichiarazione); }

void Strumenti::cmdCodCat_Click() {
  shell::Applicazione& a = shell::app();
  a.CodCatDaMainForm = false;
  shell::ApriDialogo(a.form<fiscalcode::frmCodComune>());
}

void Strumenti::cmdCodFis_Click() {
  shell::Applicazione& a = shell::app();
  a.CodFisDaF24 = false;
  shell::ApriDialogo(a.form<fiscalcode::frmCFdati>());
}

}  // namespace archives
