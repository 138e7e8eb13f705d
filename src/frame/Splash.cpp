#include "frame/Splash.h"

#include "kit/Applicazione.h"
#include "kit/Risorse.h"

namespace shell {

using namespace forms;

std::string TestoVersione() {
  return "Versione " + std::to_string(Applicazione::Major) + "." + std::to_string(Applicazione::Minor) + "." +
         std::to_string(Applicazione::Revision);
}

Splash::Splash() {
  setBorderStyle(0);
  setStartUpPosition(2);
  setClientSize(5430, 2550);
  setPicture(ImmagineRisorsa(ImmagineSplash));

  Label4.create(*this, 2100, 1620, 3000, 255);
  Label4.setBackStyle(0);
  Label4.setForeColor(RGB(255, 255, 255));
  Label4.setFontBold(true);
  Label5.create(*this, 2100, 1950, 3180, 480);
  Label5.setBackStyle(0);
  Label5.setForeColor(RGB(220, 228, 245));

  Load = [this] { Form_Load(); };
}

void Splash::Form_Load() {
  Label4.setCaption(TestoVersione());
  Label5.setCaption(Applicazione::LegalCopyright);
}

}  // namespace shell
