#pragma once
// "Quotara": the program's main frame window. It hosts one page at a time
// (the calculation, the totals, the archive browser, the cadastral list, the
// tools, the About page) between its toolbar at the top and its status bar at
// the bottom. The toolbar switches pages, prints the current page, opens the
// online guide and ends the program.
#include <functional>
#include <memory>
#include <string>

#include "forms/Forms.h"
#include "kit/ProcedureStampa.h"

namespace reports {
struct EsitoStampa;
}  // namespace reports

namespace widgets {
class clsCoolbar;
class CStatusBar32x;
}  // namespace widgets

namespace shell {

// The program's own print procedures, one per page.
ProcedureStampa ProcedureDelProgramma();

// Names this window as the frame of the pages and puts the program's print
// procedures in place: once, when the program starts, before any window opens.
void CollegaCornice(forms::Application& a);

// What the user sees of a report run: the file opened in the desktop's PDF
// viewer, or the reason it could not be written in a "Quotara" message box.
// True when the file was written.
bool MostraStampa(const reports::EsitoStampa& esito);

// Deletes every temporary file the program wrote (the report PDFs, the blank
// forms, "codfis.imu", the help pages, "catasto.csv"), as "Esci" does.
void CancellaTemporanei();

class Principale : public forms::MDIForm {
 public:
  // The toolbar's commands, by the number the toolbar reports.
  enum Comando { Quotara = 1, Totali, Archivio, Catasto, Stampa, Strumenti, Guida, Info, Esci };

  Principale();
  ~Principale() override;

  forms::PictureBox picCoolBar;        // the toolbar's drawing surface
  forms::PictureBox StatBar;           // hosts the status bar
  forms::PictureBox picMasterBitmaps;  // the button images, 250 x 75
  forms::PictureBox picSourceBitmaps;  // working surfaces of the toolbar
  forms::PictureBox picScratchPad;
  forms::TimerControl Timer1;        // 1000 ms: redraws the status bar
  forms::TimerControl timerCoolBar;  // the toolbar's tooltip timer

  // Unloads the pages MainForm, Verifica, Archivio, About, Immobili and
  // Strumenti, in this order (those that are loaded).
  void Chiudi();
  // Redraws both panes of the status bar.
  void UpDateStat();
  // Runs toolbar command `numero` (1 to 9) as its button does; other numbers
  // do nothing.
  void EseguiComando(int numero);

  widgets::clsCoolbar& BarraComandi() { return *BarraComandi_; }
  widgets::CStatusBar32x& BarraStato() { return *BarraStato_; }

  // Checks the calculation page before its report: gives false, after its
  // message, when the year is not the current one and the user declines, or
  // when the result, the taxpayer, the address or the municipality is missing.
  void ControllaDatiCalcolo(bool& Esito);

 private:
  void MDIForm_Load();
  void MDIForm_Activate();
  void MDIForm_Resize();
  void MDIForm_QueryUnload(int& Cancel, int UnloadMode);
  void MDIForm_Unload(int& Cancel);
  void Timer1_Timer();
  void timerCoolBar_Timer();
  void picCoolBar_KeyDown(int& KeyCode, int Shift);
  void picCoolBar_KeyUp(int& KeyCode, int Shift);
  void picCoolBar_MouseDown(int Button, int Shift, float X, float Y);
  void picCoolBar_MouseMove(int Button, int Shift, float X, float Y);
  void picCoolBar_MouseUp(int Button, int Shift, float X, float Y);
  void picCoolBar_Resize();

  // "Stampa": the report of the current page.
  void StampaPagina();
  // The confirmation, the test of the report's file and the report itself.
  void ConfermaEStampa(const std::string& domanda, const char* file, const std::function<void()>& stampa);

  std::unique_ptr<widgets::clsCoolbar> BarraComandi_;
  std::unique_ptr<widgets::CStatusBar32x> BarraStato_;
};

}  // namespace shell
