#include "kit/Finestre.h"

#include <filesystem>

#include "forms/Application.h"
#include "forms/Form.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "kit/Applicazione.h"
#include "kit/Messaggi.h"

namespace shell {

std::string CartellaDialoghi() {
  const std::string& ultima = app().CartellaDialoghi;
  return ultima.empty() ? platform::homeFolder() : ultima;
}

std::string SfogliaCartella(const std::string& Titolo) {
  const std::string cartella = forms::desktop().BrowseForFolder(Titolo, CartellaDialoghi()).value_or("");
  if (!cartella.empty()) app().CartellaDialoghi = cartella;
  return cartella;
}

std::string TogliBarra(const std::string& Percorso) {
  if (!Percorso.empty() && Percorso.back() == '/') return Percorso.substr(0, Percorso.size() - 1);
  return Percorso;
}

std::string DialogoFile(const std::string& Titolo, const std::string& Filtro, const std::string& CartellaIniziale) {
  const std::string file = forms::desktop().GetOpenFileName(Titolo, Filtro, CartellaIniziale).value_or("");
  if (!file.empty()) app().CartellaDialoghi = std::filesystem::path(file).parent_path().string();
  return file;
}

void EnableMaxButton(forms::Form& finestra, bool Abilita) { finestra.setMaxButton(Abilita); }

bool FileEsiste(const std::string& Percorso) {
  std::error_code ec;
  return !Percorso.empty() && std::filesystem::exists(std::filesystem::symlink_status(Percorso, ec));
}

int FileBloccato(const std::string& Percorso) {
  if (!FileEsiste(Percorso)) return -999;
  return platform::fileInUse(Percorso) == 0 ? 0 : -1;
}

bool FileAperto(const std::string& Percorso) {
  if (FileBloccato(Percorso) != -1) return false;
  Messaggio("Il file \xC3\xA8 gi\xC3\xA0 aperto e in uso.\r\nChiudere il file aperto e rilanciare la stampa.");
  return true;
}

Clessidra::Clessidra() : prima_(forms::desktop().mousePointer()) {
  forms::desktop().setMousePointer(forms::vbHourglass);
}

Clessidra::~Clessidra() { forms::desktop().setMousePointer(prima_); }

}  // namespace shell
