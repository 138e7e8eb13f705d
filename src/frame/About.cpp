#include "frame/About.h"

#include "kit/Applicazione.h"
#include "frame/Principale.h"
#include "kit/Risorse.h"
#include "frame/Splash.h"

namespace shell {

using namespace forms;

namespace {

constexpr const char* kNote[] = {
    "Le aliquote, le detrazioni e la quota a carico dell'occupante sono quelle deliberate da ciascun "
    "comune: verificarle sul sito del Dipartimento delle finanze.",
    "Gli archivi dei calcoli, dei dati catastali e dei contribuenti F24 sono nella cartella dei dati "
    "del programma: farne regolarmente una copia di sicurezza dalla pagina Strumenti.",
    "Le stampe sono documenti PDF aperti con il lettore predefinito; i modelli F24 compilati restano "
    "nella cartella datiF24.",
    "Il programma \xC3\xA8 fornito senza alcuna garanzia: controllare sempre i risultati prima del versamento.",
};

// The guide's picture of the toolbar strip (seventh cell of the first row),
// the strip's light grey background turned into the face of the window.
Image immagineGuida() {
  const Image barra = ImmagineRisorsa(ImmagineBarra);
  Image cella(25, 25, resolveColor(vbButtonFace));
  blitTransparent(cella, 0, 0, 25, 25, barra, 6 * 25, 0, RGB(192, 192, 192));
  return cella;
}

}  // namespace

About::About() {
  setMDIChild<Principale>();
  setCaption("Informazioni");
  setEscapeCloses(true);       // a window that only shows or picks
  setClientSize(11385, 8175);  // as tall as the calculation page: the page area of the frame

  Label1.create(*this, 150, 720, 4000, 255);
  Image1.create(*this, 2400, 180, 480, 480);
  Label2.Add(0).create(*this, 150, 1080, 11000, 255);
  Label2[0].setCaption(
      "Quotara calcola la TASI di ogni immobile e permette di creare, controllare, stampare e archiviare i calcoli.");

  Frame1.create(*this, 150, 1560, 5400, 6480);
  Frame1.setCaption("Riferimenti e normative TASI");
  Picture1.create(Frame1, 120, 300, 5160, 3000);
  Picture1.setBorderStyle(0);
  Command1.Add(0).create(Picture1, 120, 120, 4920, 1140);
  Command1.Add(1).create(Picture1, 120, 1500, 4920, 1380);
  Image2.create(Frame1, 240, 3600, 375, 375);
  Image2.setToolTipText("Guida in linea");
  Image2.setPicture(immagineGuida());
  Label3.create(Frame1, 840, 3660, 4200, 255);
  Label3.setCaption("Guida in linea del programma");

  Frame2.create(*this, 5760, 1560, 5475, 6480);
  Frame2.setCaption("Note sull'utilizzo");
  int top = 360;
  for (int i = 0; i < static_cast<int>(std::size(kNote)); ++i) {
    Label& nota = lblNota.Add(i);
    nota.create(Frame2, 180, top, 5115, 1080);
    nota.setCaption(kNote[i]);
    top += 1260;
  }

  Load = [this] { Form_Load(); };
  Paint = [this] { Form_Paint(); };
  Command1.Click = [this](int Index) { Command1_Click(Index); };
  Image2.MouseDown = [this](int Button, int Shift, float X, float Y) { Image2_MouseDown(Button, Shift, X, Y); };
  Image2.MouseUp = [this](int Button, int Shift, float X, float Y) { Image2_MouseUp(Button, Shift, X, Y); };
}

void About::Form_Load() {
  Label1.setCaption(TestoVersione());
  Frame1.setBackColor(BackColor());
  Frame2.setBackColor(BackColor());
  Picture1.setBackColor(BackColor());
  if (auto icona = IconaProgramma(0, 32, resolveColor(BackColor()))) Image1.setPicture(*icona);
  Image2.setMousePointer(vbCustom);
  Command1[0].setCaption("TASI\rInformazioni generali");
  Command1[1].setCaption("Dipartimento delle finanze\rIUC (IMU-TARI-TASI)\rRegolamenti e delibere aliquote/tariffe");
}

void About::Form_Paint() {
  setFontSize(24);
  setForeColor(RGB(128, 128, 128));
  for (int i = 0; i < 3; ++i) {
    setCurrentX(static_cast<float>(120 + i));
    setCurrentY(static_cast<float>(20 + i));
    if (i == 2) setForeColor(RGB(0, 0, 255));
    Print("Quotara");
  }
  Label1.setCaption(TestoVersione());
}

void About::Command1_Click(int Index) {
  if (Index == 0)
    ApriRisorsaHtml("tasi.htm", RisorsaTasi);
  else
    desktop().openDocument(IndirizzoDelibere);
}

void About::Image2_MouseDown(int, int, float, float) { Image2.setBorderStyle(1); }

void About::Image2_MouseUp(int, int, float, float) {
  Image2.setBorderStyle(0);
  ApriRisorsaHtml("tasiguida.htm", RisorsaGuida);
}

}  // namespace shell
