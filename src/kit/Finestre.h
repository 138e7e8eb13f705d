#pragma once
// Helpers over the desktop's services: the folder and file dialogs, the
// maximise button of a window, the hourglass of a long step, and whether a
// file exists or is held by another program.
#include <string>

namespace forms {
class Form;
}

namespace shell {

// Where the folder and file dialogs open: the user's home folder the first
// time, then the folder last chosen in one of them.
std::string CartellaDialoghi();

// The folder dialog with `Titolo`, opened in CartellaDialoghi(): the chosen
// folder, "" when cancelled.
std::string SfogliaCartella(const std::string& Titolo);

// The path without one trailing "/"; unchanged when it has none.
std::string TogliBarra(const std::string& Percorso);

// The open-file dialog (`Filtro` as "Archivi (*.dat)|*.dat"): the chosen
// file, "" when cancelled. Its folder is the next CartellaDialoghi().
std::string DialogoFile(const std::string& Titolo, const std::string& Filtro, const std::string& CartellaIniziale);

// Allows or forbids maximising the window (its maximise button, the
// Maximize item of its system menu and a double click on its caption).
void EnableMaxButton(forms::Form& finestra, bool Abilita);

// The hourglass over a long step: shown while the guard lives, and the
// pointer the screen had before back however the step ends, by an exception
// too. Every long step of a window takes one:
//
//   shell::Clessidra clessidra;
class Clessidra {
 public:
  Clessidra();
  ~Clessidra();
  Clessidra(const Clessidra&) = delete;
  Clessidra& operator=(const Clessidra&) = delete;

 private:
  int prima_;
};

// True when a file or folder of that path exists.
bool FileEsiste(const std::string& Percorso);

// -999 nothing of that name exists; -1 it exists but cannot be opened for
// writing or another program holds a lock on it; 0 it is free.
int FileBloccato(const std::string& Percorso);

// True, after telling the user ("Il file è già aperto e in uso." /
// "Chiudere il file aperto e rilanciare la stampa."), when FileBloccato gives
// -1; false otherwise (also when the file does not exist).
bool FileAperto(const std::string& Percorso);

}  // namespace shell
