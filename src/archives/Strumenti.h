#pragma once
// "Strumenti di utilità": the tools page of the frame window. It backs up the
// three archives into a folder the user picks and restores them from it,
// imports the cadastral and F24 archives of a program that computes IMU,
// opens the blank F24 forms and the IMU/TASI declaration, and opens the
// municipality-code, fiscal-code and tax-code windows.
//
// The buttons of the fiscal-code and tax-code windows stay disabled while
// the program lacks those windows; those of the blank F24 forms while it
// lacks the templates.
#include "forms/Forms.h"

namespace archives {

class Strumenti : public forms::Form {
 public:
  Strumenti();

  forms::ControlArray<forms::Label> Label1;  // 1 the title's shadow, 2 the title

  forms::Frame Frame1;  // "Copie di sicurezza archivio dati"
  forms::PictureBox Picture1;
  forms::CommandButton cmdBackup;
  forms::CommandButton cmdRestore;
  forms::Label Label2;

  forms::Frame Frame3;  // "Importazione dati catastali e F24"
  forms::PictureBox Picture3;
  forms::CommandButton cmdImport;
  forms::CommandButton cmdImportF24;
  forms::Label Label3;

  forms::Frame Frame2;  // "Calcolo codice fiscale e ricerca codice catastale comuni"
  forms::PictureBox Picture2;
  forms::CommandButton cmdCodCat;
  forms::CommandButton cmdCodFis;
  forms::ControlArray<forms::Label> Label6;  // 3 in Frame2, 0 in Frame4

  forms::Frame Frame4;  // "Modello F24 - Modello editabile, Dichiarazione TASI, ..."
  forms::PictureBox Picture4;
  forms::CommandButton cmdDownloadF24;
  forms::CommandButton cmdEsempio;
  forms::CommandButton cmdDicIMU;
  forms::CommandButton cmdCodiciTributi;

 private:
  void Form_Load();
  void cmdBackup_Click();
  void cmdRestore_Click();
  void cmdImport_Click();
  void cmdImportF24_Click();
  void cmdDownloadF24_Click();
  void cmdEsempio_Click();
  void cmdDicIMU_Click();
  void cmdCodCat_Click();
  void cmdCodFis_Click();
  void cmdCodiciTributi_Click();
};

}  // namespace archives
