#pragma once
// "Informazioni": the information page of the frame window, with the
// program's title, version and description, and buttons that open the page
// on the TASI rules, the government page of the municipal resolutions and
// the online guide.
#include "forms/Forms.h"

namespace shell {

// The finance department's list, by region, of the municipalities'
// regulations and rate resolutions for IUC (IMU, TARI, TASI).
inline constexpr const char* IndirizzoDelibere =
    "https://www1.finanze.gov.it/finanze2/dipartimentopolitichefiscali/fiscalitalocale/IUC/sceltaregione.htm";

class About : public forms::Form {
 public:
  About();

  forms::Label Label1;                       // the version
  forms::ImageControl Image1;                // the frame window's icon
  forms::ControlArray<forms::Label> Label2;  // 0: the description
  forms::Frame Frame1;                       // "Riferimenti e normative TASI"
  forms::PictureBox Picture1;
  forms::ControlArray<forms::CommandButton> Command1;  // 0 the TASI page, 1 the government page
  forms::ImageControl Image2;                          // opens the online guide
  forms::Label Label3;                                 // the caption beside Image2
  forms::Frame Frame2;                                 // "Note sull'utilizzo"
  forms::ControlArray<forms::Label> lblNota;

 private:
  void Form_Load();
  void Form_Paint();
  void Command1_Click(int Index);
  void Image2_MouseDown(int Button, int Shift, float X, float Y);
  void Image2_MouseUp(int Button, int Shift, float X, float Y);
};

}  // namespace shell
