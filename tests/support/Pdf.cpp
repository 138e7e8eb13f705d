#include "Pdf.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>

#include "support/Cartella.h"
#include "platform/Cp1252.h"

namespace quotara::testing {

namespace {

constexpr double kPuntiPerCm = 72 / 2.54;
constexpr double kAltezzaPagina = 842;  // points, A4 as the writer makes it

std::string Entita(std::string s) {
  const std::pair<const char*, const char*> entita[] = {{"&amp;", "&"},   {"&lt;", "<"},   {"&gt;", ">"},
                                                        {"&quot;", "\""}, {"&apos;", "'"}, {"&#39;", "'"}};
  for (const auto& [da, a] : entita)
    for (size_t p; (p = s.find(da)) != std::string::npos;) s.replace(p, std::string(da).size(), a);
  return s;
}

}  // namespace

std::string Quotato(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// What the command prints, with its exit status when it fails.
std::map<std::string, std::string> ValoriCampi(const std::string& file) {
  const std::string dump = Esegui("pdftk " + Quotato(file) + " dump_data_fields_utf8");
  std::map<std::string, std::string> out;
  std::string nome;
  const std::regex riga("^(FieldName|FieldValue): (.*)$");
  std::istringstream in(dump);
  for (std::string r; std::getline(in, r);) {
    std::smatch m;
    if (!std::regex_match(r, m, riga)) continue;
    if (m[1] == "FieldName")
      nome = m[2];
    else
      out[nome] = m[2];
  }
  return out;
}

std::string Esegui(const std::string& comando) {
  std::FILE* uscita = ::popen((comando + " 2>&1").c_str(), "r");
  if (!uscita) return "(cannot run " + comando + ")";
  std::string testo;
  char blocco[4096];
  for (size_t n; (n = std::fread(blocco, 1, sizeof blocco, uscita)) > 0;) testo.append(blocco, n);
  const int rc = ::pclose(uscita);
  if (rc != 0) testo += "\n(exit " + std::to_string(rc) + ")";
  return testo;
}

std::string ControllaPdf(const std::string& file) {
  // The team's checker beside the checkout when there is one, else the copy
  // kept in tools/. A missing qpdf fails the check: it is never skipped.
  std::string strumento = std::string(QUOTARA_SOURCE_DIR) + "/../shared/tools/check-pdf";
  if (!std::filesystem::exists(strumento)) strumento = std::string(QUOTARA_SOURCE_DIR) + "/tools/check-pdf";
  return Esegui("bash " + Quotato(strumento) + " " + Quotato(file));
}

std::vector<Parola> Parole(const std::string& file, int pagina) {
  const std::string n = std::to_string(pagina);
  const std::string html = Esegui("pdftotext -bbox -f " + n + " -l " + n + " " + Quotato(file) + " -");
  static const std::regex parola(
      R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
  std::vector<Parola> parole;
  for (std::sregex_iterator it(html.begin(), html.end(), parola), fine; it != fine; ++it) {
    const auto& m = *it;
    // The bottom of the box lies below the baseline by the font's descent,
    // about a fifth of the box's height.
    const double yMin = std::stod(m[2]), yMax = std::stod(m[4]);
    const double base = yMax - (yMax - yMin) * 0.2;
    parole.push_back({Entita(m[5]), std::stod(m[1]) / kPuntiPerCm, std::stod(m[3]) / kPuntiPerCm,
                      (kAltezzaPagina - base) / kPuntiPerCm});
  }
  return parole;
}

bool TestoIn(const std::vector<Parola>& parole, const std::string& testo, double x, double y, bool destra) {
  std::vector<std::string> cercate;
  std::istringstream in(testo);
  for (std::string w; in >> w;) cercate.push_back(w);
  if (cercate.empty()) return false;
  constexpr double tolleranza = 0.1;
  for (size_t i = 0; i + cercate.size() <= parole.size(); ++i) {
    bool uguali = true;
    for (size_t k = 0; k < cercate.size() && uguali; ++k)
      uguali = parole[i + k].testo == cercate[k] && std::abs(parole[i + k].y - y) < tolleranza;
    if (!uguali) continue;
    const double bordo = destra ? parole[i + cercate.size() - 1].x1 : parole[i].x0;
    if (std::abs(bordo - x) < tolleranza) return true;
  }
  return false;
}

bool ParolaPresente(const std::vector<Parola>& parole, const std::string& testo) {
  for (const auto& p : parole)
    if (p.testo == testo) return true;
  return false;
}

std::string TestoPagina(const std::string& file, int pagina) {
  const std::string n = std::to_string(pagina);
  return Esegui("pdftotext -layout -f " + n + " -l " + n + " " + Quotato(file) + " -");
}

int NumeroPagine(const std::string& file) {
  const std::string info = Esegui("pdfinfo " + Quotato(file));
  std::smatch m;
  static const std::regex pagine(R"(Pages:\s+(\d+))");
  return std::regex_search(info, m, pagine) ? std::stoi(m[1]) : 0;
}

std::vector<std::string> TestiDisegnati(const std::string& file) {
  const std::string pdf = LeggiFile(file);
  std::vector<std::string> testi;
  for (size_t p = 0; (p = pdf.find("\r\n(", p)) != std::string::npos;) {
    std::string testo;
    size_t i = p + 3;
    for (; i < pdf.size() && pdf[i] != ')'; ++i) {
      if (pdf[i] == '\\') ++i;
      testo += pdf[i];
    }
    if (pdf.compare(i, 5, ") Tj\r") == 0) testi.push_back(platform::cp1252ToUtf8(testo));
    p = i;
  }
  return testi;
}
}  // namespace quotara::testing
