// gen-dichiarazione FILE: writes the blank IMU/TASI declaration to FILE
// (resources/dichiarazioneIMUTASI.pdf).
#include <exception>
#include <iostream>

#include "Dichiarazione.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "uso: gen-dichiarazione FILE.pdf\n";
    return 2;
  }
  try {
    strumenti::ScriviDichiarazione(argv[1]);
  } catch (const std::exception& e) {
    std::cerr << "gen-dichiarazione: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
