#pragma once
// The start-up window: the program's picture with its version and legal
// notice, shown centred for two seconds while the program starts.
#include "forms/Forms.h"

namespace shell {

class Splash : public forms::Form {
 public:
  Splash();

  forms::Label Label4;  // "Versione M.m.r"
  forms::Label Label5;  // the legal notice

 private:
  void Form_Load();
};

// "Versione " and the three version numbers joined by ".".
std::string TestoVersione();

}  // namespace shell
