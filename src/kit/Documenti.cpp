#include "kit/Documenti.h"

#include <filesystem>
#include <memory>

#include "forms/Application.h"
#include "kit/Messaggi.h"
#include "shell/Modulo1.h"

namespace shell {

std::string TestoDocumentoNonAperto(const std::vector<std::string>& Percorsi) {
  if (Percorsi.empty()) return "";
  namespace fs = std::filesystem;
  const fs::path cartella = fs::path(Percorsi.front()).parent_path();
  bool stessaCartella = true;
  for (const std::string& p : Percorsi) stessaCartella = stessaCartella && fs::path(p).parent_path() == cartella;
  std::string nomi;
  for (size_t i = 0; i < Percorsi.size(); ++i) {
    if (i > 0) nomi += i + 1 == Percorsi.size() ? " e " : ", ";
    nomi += "\"" + (stessaCartella ? fs::path(Percorsi[i]).filename().string() : Percorsi[i]) + "\"";
  }
  const bool uno = Percorsi.size() == 1;
  std::string testo =
      std::string("Non è stato trovato un programma per aprire ") + (uno ? "il file " : "i file ") + nomi + ".";
  if (stessaCartella)
    testo += std::string("\r\n") + (uno ? "Il file si trova" : "I file si trovano") + " nella cartella:\r\n" +
             cartella.string();
  testo += std::string("\r\n") + (uno ? "Apritelo" : "Apriteli") + " da lì con il programma che preferite.";
  // The private temporary folder is emptied when the program closes.
  const auto senzaBarra = [](const fs::path& p) {
    return fs::path(p.lexically_normal().string() + "/").lexically_normal();
  };
  if (stessaCartella && senzaBarra(cartella) == senzaBarra(CartellaTemp()))
    testo += uno ? "\r\nIl file verrà eliminato alla chiusura del programma: se vi serve, salvatelo in un'altra "
                   "cartella."
                 : "\r\nI file verranno eliminati alla chiusura del programma: se vi servono, salvateli in un'altra "
                   "cartella.";
  return testo;
}

void ApriDocumento(const std::string& Percorso) { ApriDocumenti({Percorso}); }

void ApriDocumenti(const std::vector<std::string>& Percorsi) {
  // The files of one request fail together: the first failure tells of them all.
  auto detto = std::make_shared<bool>(false);
  for (const std::string& p : Percorsi)
    forms::desktop().openDocument(p, [detto, Percorsi] {
      if (*detto) return;
      *detto = true;
      Messaggio(TestoDocumentoNonAperto(Percorsi), forms::vbExclamation);
    });
}

}  // namespace shell
