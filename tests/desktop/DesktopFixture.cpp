#include "DesktopFixture.h"

namespace desktop::testing {

using namespace forms;

QApplication& qtApplication() {
  static int argc = 1;
  static char name[] = "test_desktop";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    auto* a = new QApplication(argc, argv);
    QApplication::setApplicationName("Quotara");
    return a;
  }();
  return *app;
}

SampleForm::SampleForm() {
  setCaption("Esempio - Versione 1.2");
  setBorderStyle(1);
  setClientSize(7200, 4950);  // 480 x 330 pixels
  setStartUpPosition(2);

  Label1.create(*this, 120, 135, 1200, 255);
  Label1.setCaption("&Comune:");
  Text1.create(*this, 1380, 90, 2400, 315);
  Text1.setText("ROMA");
  Text2.create(*this, 1380, 480, 2400, 315);
  Text2.setText("BLOCCATO");
  Text2.setEnabled(false);

  Combo1.create(*this, 4200, 90, 2400, 315);
  for (const char* c : {"A", "A/1", "A/2", "C/6"}) Combo1.AddItem(c);
  Combo2.create(*this, 4200, 480, 2400, 315);
  Combo2.setStyle(vbComboDropDownList);
  for (const char* c : {"Acconto", "Saldo", "Unica soluzione"}) Combo2.AddItem(c);
  Combo2.setListIndex(1);

  List1.create(*this, 120, 960, 3000, 1500);
  List1.setTabStops({52, 96});
  for (const char* row : {"ROSSI MARIO\tROMA\t2026", "BIANCHI ANNA\tMILANO\t2025", "VERDI LUCA\tNAPOLI\t2024"})
    List1.AddItem(row);

  Frame1.create(*this, 3300, 900, 3000, 1560);
  Frame1.setCaption("Tipo di versamento");
  Option1.Add(0).create(Frame1, 180, 300, 2600, 285);
  Option1[0].setCaption("Acconto");
  Option1.Add(1).create(Frame1, 180, 630, 2600, 285);
  Option1[1].setCaption("Saldo");
  Option1[1].setValue(true);
  Check1.create(Frame1, 180, 1020, 2600, 285);
  Check1.setCaption("Abitazione principale");
  Check1.setValue(vbChecked);

  VScroll1.create(*this, 6600, 900, 255, 1560);
  VScroll1.setMax(10);
  VScroll1.setLargeChange(5);

  Command1.create(*this, 120, 2640, 1500, 420);
  Command1.setCaption("&Calcola TASI");
  Command2.create(*this, 1740, 2640, 1380, 420);
  Command2.setCaption("Annulla");
  Command2.setEnabled(false);

  Picture1.create(*this, 3300, 2640, 1800, 900);
  Picture1.setScaleMode(vbPixels);
  Picture1.setBackColor(RGB(255, 255, 255));
  Picture1.Line(4, 4, 40, 30, RGB(255, 0, 0), LineKind::BoxFill);
  Picture1.setCurrentX(48);
  Picture1.setCurrentY(8);
  Picture1.Print("Riquadro");

  forms::Image icon(24, 24, RGB(0, 128, 0));
  icon.fillBox(6, 6, 17, 17, RGB(255, 255, 0));
  Image1.create(*this, 5400, 2640, 360, 360);
  Image1.setPicture(icon);

  Line1.create(*this, 0, 0, 0, 0);
  Line1.setPoints(120, 3660, 6840, 3660);
  Line1.setBorderColor(RGB(128, 128, 128));

  Text3.create(*this, 120, 3780, 4500, 900);
  Text3.setMultiLine(true);
  Text3.setText("Prima riga\r\nSeconda riga");

  File1.create(*this, 4800, 3780, 2040, 900);
  File1.setPattern("*.h");
  File1.setPath(QUOTARA_TEST_DATA);

  Timer1.create(*this);
  Timer1.setInterval(20);
  Timer1.setEnabled(false);
  Timer1.Timer = [this] { log.push_back("Timer1_Timer"); };
}

}  // namespace desktop::testing

// fontconfig keeps a cache that it never frees; it is not ours to report.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
