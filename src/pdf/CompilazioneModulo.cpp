#include "pdf/CompilazioneModulo.h"

// qpdf without its old PointerHolder interfaces.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFFormFieldObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <regex>

#include "pdf/FontMetrics.h"
#include "pdf/PdfFormat.h"
#include "platform/Cp1252.h"
#include "platform/Files.h"

namespace pdf {
namespace {

// --- Reading the FDF ----------------------------------------------------------

class LettoreFdf {
 public:
  explicit LettoreFdf(const std::string& byte) : b_(byte) {}

  DatiFdf leggi() {
    DatiFdf dati;
    if (b_.rfind("%FDF-", 0) != 0) guasto("manca l'intestazione %FDF");
    p_ = b_.find("/Fields[");
    if (p_ == std::string::npos) guasto("manca l'elenco /Fields");
    p_ += 8;
    for (;;) {
      spazi();
      if (prendi("]")) break;
      if (!prendi("<<")) guasto("voce non valida");
      spazi();
      if (!prendi("/T")) guasto("voce senza /T");
      std::string nome = stringa();
      spazi();
      if (!prendi("/V")) guasto("voce senza /V");
      spazi();
      std::string valore = b_.compare(p_, 1, "(") == 0 ? stringa() : nomePdf();
      spazi();
      if (!prendi(">>")) guasto("voce non chiusa");
      dati.Campi.emplace_back(std::move(nome), std::move(valore));
    }
    spazi();
    if (!prendi("/F")) guasto("manca il file /F");
    spazi();
    dati.Pdf = stringa();
    return dati;
  }

 private:
  [[noreturn]] void guasto(const std::string& perche) const { throw ErroreCompilazione("FDF non valido: " + perche); }

  void spazi() {
    while (p_ < b_.size() && (b_[p_] == ' ' || b_[p_] == '\r' || b_[p_] == '\n' || b_[p_] == '\t')) ++p_;
  }

  bool prendi(std::string_view s) {
    if (b_.compare(p_, s.size(), s) != 0) return false;
    p_ += s.size();
    return true;
  }

  // A literal string: its bytes with the escapes undone, as UTF-8.
  std::string stringa() {
    if (!prendi("(")) guasto("stringa attesa");
    std::string out;
    int profondita = 0;
    while (p_ < b_.size()) {
      const char c = b_[p_++];
      if (c == '\\') {
        if (p_ >= b_.size()) break;
        out += b_[p_++];
      } else if (c == '(') {
        ++profondita;
        out += c;
      } else if (c == ')') {
        if (profondita == 0) return platform::cp1252ToUtf8(out);
        --profondita;
        out += c;
      } else {
        out += c;
      }
    }
    guasto("stringa non chiusa");
  }

  // A name such as /Off or /S#EC, kept as written.
  std::string nomePdf() {
    if (!prendi("/")) guasto("valore non valido");
    const size_t inizio = p_ - 1;
    while (p_ < b_.size() && std::string_view("/<>()[] \r\n").find(b_[p_]) == std::string_view::npos) ++p_;
    return b_.substr(inizio, p_ - inizio);
  }

  const std::string& b_;
  size_t p_ = 0;
};

// --- Sizes and sums -------------------------------------------------------------

// The font size in a /DA text ("/Helv 9 Tf 0 g"); 0 when it has none.
double dimensioneCarattere(const std::string& da, size_t* inizio = nullptr, size_t* fine = nullptr) {
  static const std::regex tf(R"(([0-9]*\.?[0-9]+)\s+Tf)");
  std::smatch m;
  if (!std::regex_search(da, m, tf)) return 0;
  if (inizio) *inizio = m.position(1);
  if (fine) *fine = m.position(1) + m.length(1);
  return std::stod(m[1]);
}

// Width of the value in thousandths of the font size (Helvetica and Arial share their widths).
double larghezza(const std::string& utf8) {
  static const FontMetrics arial = MetricheArial(0);
  double w = 0;
  for (const unsigned char c : platform::utf8ToCp1252(utf8)) {
    w += c >= arial.FirstChar && c <= arial.LastChar ? arial.Widths[c] : arial.MissingWidth;
  }
  return w;
}

std::string numeroPdf(double v) { return FormattaNumeroPdf(static_cast<float>(v), 1); }

// A smaller size in the widget's /DA when the value is wider than its box.
void adattaDimensione(QPDFObjectHandle widget, const std::string& valore) {
  if (!widget.isDictionary() || !widget.getKey("/Rect").isRectangle() || !widget.getKey("/DA").isString()) return;
  const std::string da = widget.getKey("/DA").getUTF8Value();
  size_t inizio = 0, fine = 0;
  const double dimensione = dimensioneCarattere(da, &inizio, &fine);
  if (dimensione <= 0) return;
  const auto r = widget.getKey("/Rect").getArrayAsRectangle();
  const double spazio = std::fabs(r.urx - r.llx) - 4;  // the filler keeps 2 points each side
  const double testo = larghezza(valore) * dimensione / 1000;
  if (spazio <= 0 || testo <= spazio) return;
  const double nuova = std::max(5.0, std::floor(dimensione * spazio / testo * 10) / 10);
  widget.replaceKey("/DA", QPDFObjectHandle::newString(da.substr(0, inizio) + numeroPdf(nuova) + da.substr(fine)));
}

// A number typed in a box: digits with an optional decimal "," or "."; nothing
// for an empty or non-numeric value.
std::optional<double> numero(const std::string& s) {
  static const std::regex forma(R"(\s*([+-]?[0-9]+(?:[.,][0-9]+)?)\s*)");
  std::smatch m;
  if (!std::regex_match(s, m, forma)) return std::nullopt;
  std::string t = m[1];
  for (char& c : t)
    if (c == ',') c = '.';
  return std::stod(t);
}

// The filler draws every value from the left edge: a box whose field asks for
// centred (1) or right (2) text gets its text moved there in the appearance.
void allinea(QPDFObjectHandle widget, int allineamento, const std::string& valore) {
  if (allineamento != 1 && allineamento != 2) return;
  if (!widget.getKey("/Rect").isRectangle() || !widget.getKey("/AP").isDictionary()) return;
  QPDFObjectHandle aspetto = widget.getKey("/AP").getKey("/N");
  if (!aspetto.isStream()) return;
  const auto dati = aspetto.getStreamData(qpdf_dl_generalized);
  std::string contenuto(reinterpret_cast<const char*>(dati->getBuffer()), dati->getSize());
  // The text position the filler wrote: "<x> <y> Td" after the font.
  static const std::regex posizione(R"(([0-9.]+)\s+Tf(\s+[^\n]*?)?\s+([0-9.]+)(\s+[0-9.]+\s+Td))");
  std::smatch m;
  if (!std::regex_search(contenuto, m, posizione)) return;
  const double dimensione = std::stod(m[1]);
  const auto r = widget.getKey("/Rect").getArrayAsRectangle();
  const double larghezzaBox = std::fabs(r.urx - r.llx);
  const double testo = larghezza(valore) * dimensione / 1000;
  const double x = allineamento == 1 ? (larghezzaBox - testo) / 2 : larghezzaBox - testo - 2;
  if (x <= std::stod(m[3])) return;
  contenuto.replace(m.position(3), m.length(3), numeroPdf(x));
  aspetto.replaceStreamData(contenuto, QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
}

std::string testoSomma(double v) {
  char buf[64];
  if (std::fabs(v - std::round(v)) < 1e-9)
    std::snprintf(buf, sizeof buf, "%.0f", v);
  else
    std::snprintf(buf, sizeof buf, "%.2f", v);
  return buf;
}

// The names summed by a calculate script AFSimple_Calculate("SUM", new Array("a", "b", ...));
// nothing for any other script.
std::optional<std::vector<std::string>> campiSomma(const std::string& js) {
  static const std::regex somma(R"re(AFSimple_Calculate\s*\(\s*"SUM"\s*,\s*new\s+Array\s*\(([^)]*)\)\s*\))re");
  static const std::regex nome(R"re("([^"]*)")re");
  std::smatch m;
  if (!std::regex_search(js, m, somma)) return std::nullopt;
  std::vector<std::string> nomi;
  const std::string elenco = m[1];
  for (auto it = std::sregex_iterator(elenco.begin(), elenco.end(), nome); it != std::sregex_iterator(); ++it)
    nomi.push_back((*it)[1]);
  return nomi;
}

std::string testoScript(QPDFObjectHandle js) {
  if (js.isString()) return js.getUTF8Value();
  if (js.isStream()) {
    auto dati = js.getStreamData(qpdf_dl_generalized);
    return std::string(reinterpret_cast<const char*>(dati->getBuffer()), dati->getSize());
  }
  return "";
}

std::string senzaEstensione(const std::string& percorso, std::string_view estensione) {
  if (percorso.size() >= estensione.size() &&
      percorso.compare(percorso.size() - estensione.size(), estensione.size(), estensione) == 0)
    return percorso.substr(0, percorso.size() - estensione.size());
  return percorso;
}

// A failure of the filling of the FDF `percorsoFdf`.
[[noreturn]] void nonCompilato(const std::string& percorsoFdf, const std::exception& e) {
  throw ErroreCompilazione("Impossibile compilare il modulo \"" + percorsoFdf + "\": " + e.what());
}

}  // namespace

DatiFdf LeggiFdf(const std::string& byte) { return LettoreFdf(byte).leggi(); }

std::string CompilaModulo(const std::string& percorsoFdf) {
  DatiFdf dati;
  try {
    dati = LeggiFdf(platform::readFile(percorsoFdf));
  } catch (const std::exception& e) {
    nonCompilato(percorsoFdf, e);
  }
  return CompilaModulo(dati, percorsoFdf);
}

std::string CompilaModulo(const DatiFdf& dati, const std::string& percorsoFdf) {
  const std::string base = senzaEstensione(percorsoFdf, ".fdf");
  const std::string uscita = base + "-compilato.pdf";
  try {
    // The /F path, or the twin beside the FDF (a path outside Windows-1252 cannot be written there).
    std::string modello = dati.Pdf;
    if (!platform::fileReadable(modello)) modello = base + ".pdf";
    if (!platform::fileReadable(modello))
      throw ErroreCompilazione("il modulo \"" + dati.Pdf + "\" non esiste o non si può leggere");

    QPDF q;
    q.setSuppressWarnings(true);
    q.processFile(modello.c_str());
    QPDFAcroFormDocumentHelper modulo(q);
    std::map<std::string, QPDFFormFieldObjectHelper> perNome;
    for (auto& campo : modulo.getFormFields()) perNome.emplace(campo.getFullyQualifiedName(), campo);

    auto assegna = [&](QPDFFormFieldObjectHelper& campo, const std::string& valore) {
      campo.setV(valore);
      for (auto& widget : modulo.getAnnotationsForField(campo)) adattaDimensione(widget.getObjectHandle(), valore);
    };
    for (const auto& [nome, valore] : dati.Campi) {
      auto it = perNome.find(nome);
      if (it == perNome.end()) continue;
      if (!valore.empty() && valore[0] == '/' && it->second.getFieldType() == "/Btn")
        it->second.setV(QPDFObjectHandle::newName(valore));
      else
        assegna(it->second, valore);
    }

    // The form's own totals, in its calculation order.
    QPDFObjectHandle acroForm = q.getRoot().getKey("/AcroForm");
    QPDFObjectHandle ordine = acroForm.isDictionary() ? acroForm.getKey("/CO") : QPDFObjectHandle::newNull();
    if (ordine.isArray()) {
      for (auto& oggetto : ordine.getArrayAsVector()) {
        if (!oggetto.isDictionary() || !oggetto.getKey("/AA").isDictionary()) continue;
        auto calcolo = oggetto.getKey("/AA").getKey("/C");
        if (!calcolo.isDictionary()) continue;
        const auto nomi = campiSomma(testoScript(calcolo.getKey("/JS")));
        if (!nomi) continue;
        double somma = 0;
        for (const auto& nome : *nomi) {
          auto it = perNome.find(nome);
          if (it == perNome.end()) continue;
          if (const auto v = numero(it->second.getValueAsString())) somma += *v;
        }
        QPDFFormFieldObjectHelper campo(oggetto);
        assegna(campo, testoSomma(somma));
      }
    }
    modulo.generateAppearancesIfNeeded();
    for (auto& [nome, campo] : perNome) {
      const std::string valore = campo.getValueAsString();
      if (valore.empty()) continue;
      const int allineamento = campo.getQuadding();
      for (auto& widget : modulo.getAnnotationsForField(campo)) allinea(widget.getObjectHandle(), allineamento, valore);
    }

    QPDFWriter w(q);
    w.setOutputMemory();
    w.setDeterministicID(true);
    w.write();
    auto buffer = w.getBufferSharedPointer();
    platform::writeFileAtomic(uscita,
                              std::string(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize()));
    return uscita;
  } catch (const std::exception& e) {
    nonCompilato(percorsoFdf, e);
  }
}

}  // namespace pdf
