#pragma once
// The fixture of the F24 tests (the program's own, with a scratch folder per
// test) and small helpers to run the PDF tools on the files they write.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// qpdf without its old PointerHolder interfaces.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>

#include "support/Pdf.h"
#include "support/ProgramTest.h"

namespace f24::testing {

using quotara::testing::LeggiFile;
using quotara::testing::ScriviFile;

// A file of the repository.
inline std::string sorgente(const std::string& relativo) { return std::string(QUOTARA_SOURCE_DIR) + "/" + relativo; }

// Single quotes around a path for the shell.
inline std::string quota(const std::string& s) { return quotara::testing::Quotato(s); }

using quotara::testing::Esegui;

// Whether the command whose output this is ended well.
inline bool Riuscito(const std::string& uscita) { return uscita.find("\n(exit ") == std::string::npos; }

// The project's structural PDF check.
inline void controllaPdf(const std::string& percorso) { EXPECT_EQ(quotara::testing::ControllaPdf(percorso), ""); }

// FieldName -> value of every field of a filled form, read with qpdf (a child
// field under its full name, "decdet1.0"): quicker than pdftk for tests that
// fill many forms.
inline std::map<std::string, std::string> ValoriModulo(const std::string& percorso) {
  QPDF q;
  q.setSuppressWarnings(true);
  q.processFile(percorso.c_str());
  QPDFAcroFormDocumentHelper modulo(q);
  std::map<std::string, std::string> out;
  for (auto& campo : modulo.getFormFields()) out[campo.getFullyQualifiedName()] = campo.getValueAsString();
  return out;
}

class F24Test : public quotara::testing::ProgramTest {
 protected:
  std::string percorso(const std::string& nome) const { return (cartella() / nome).string(); }
  std::string datiF24() const { return dati("datiF24"); }
  std::string inDati(const std::string& nome) const { return datiF24() + "/" + nome; }
  // The files of "datiF24", sorted.
  std::vector<std::string> FileDatiF24() const {
    std::vector<std::string> out;
    if (!std::filesystem::exists(datiF24())) return out;
    for (const auto& e : std::filesystem::directory_iterator(datiF24())) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }
};

}  // namespace f24::testing
