// Text and fonts: standard and metric fonts, text objects, text state, measuring.
#include <cmath>

#include "pdf/PdfWriter.h"
#include "platform/Cp1252.h"

namespace pdf {
namespace {

std::string withoutBlanks(std::string_view s) {
  std::string out;
  for (char c : s)
    if (c != ' ') out += c;
  return out;
}

// ASCII only: the process locale must not change which table a name selects.
char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (upperAscii(a[i]) != upperAscii(b[i])) return false;
  return true;
}

constexpr std::string_view kSuffix[] = {"", ",Bold", ",Italic", ",BoldItalic"};

}  // namespace

void clsPDFWriter::LoadFontStandard(std::string_view Name, std::string_view BaseFont, int Options) {
  requireName(Name);
  const std::string base = withoutBlanks(BaseFont);
  requireName(base);
  requireNoStream();
  const int N = ApriOggettoPdf(0);
  put("<< /Type /Font /Subtype /Type1 /Name /");
  put(Name);
  put(" /BaseFont /");
  put(base);
  if (Options >= 1 && Options <= 3) put(kSuffix[Options]);
  put(" /Encoding /WinAnsiEncoding >>");
  endLine();
  ChiudiOggettoPdf();
  addResource(fontResources_, Name, N);
}

void clsPDFWriter::LoadFont(std::string_view Name, std::string_view BaseFont, int Options) {
  requireName(Name);
  requireNoStream();
  std::string key = withoutBlanks(BaseFont);
  for (char& c : key) c = upperAscii(c);
  FontMetrics rec = key == "TIMESNEWROMAN" ? MetricheTimesNewRoman(Options)
                    : key == "COURIERNEW"  ? MetricheCourierNew(Options)
                    : key == "SYMBOL"      ? MetricheSymbol(Options)
                                           : MetricheArial(Options);

  const int N = ApriOggettoPdf(0);
  put("<< /Type /Font \r/Subtype /TrueType\r/Name /");
  put(Name);
  put("\r/BaseFont /");
  put(rec.FontName);
  put("\r/FirstChar ");
  putInt(rec.FirstChar);
  put("\r/LastChar ");
  putInt(rec.LastChar);
  put("\r/FontDescriptor ");
  putInt(static_cast<std::int64_t>(N) + 1);
  put(" 0 R\r/Encoding /WinAnsiEncoding\r/Widths [");
  endLine();
  int count = 0;
  for (int code = rec.FirstChar; code <= rec.LastChar; ++code) {
    putInt(rec.Widths[static_cast<size_t>(code)]);
    put(" ");
    if (++count % 16 == 0) endLine();
  }
  if (count % 16 != 0) endLine();
  ScriviLineaPdf("] >>");
  ChiudiOggettoPdf();
  addResource(fontResources_, Name, N);

  ApriOggettoPdf(0);
  put("<<\r/Type /FontDescriptor\r/FontName /");
  put(rec.FontName);
  put("\r");
  put(rec.Descriptor);
  put("\r>>");
  endLine();
  ChiudiOggettoPdf();

  fontTable_.push_back(std::move(rec));
  fontIndex_.push_back({std::string(Name), fontTable_.size() - 1});
}

float clsPDFWriter::measure(std::string_view bytes, std::string_view FontName, float Fontsize) const {
  const FontMetrics* rec = nullptr;
  for (const FontEntry& e : fontIndex_) {
    if (equalsIgnoringCase(e.Name, FontName)) {
      rec = &fontTable_[e.Index];
      break;
    }
  }
  if (!rec) return 0;
  float total = 0;
  float spaces = 0;
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    total += static_cast<float>(c >= rec->FirstChar && c <= rec->LastChar ? rec->Widths[c] : rec->MissingWidth);
    if (c == ' ') spaces += 1;
  }
  const auto chars = static_cast<float>(bytes.size());
  const float L = (total * Fontsize / 1000 + spaces * wordSpacing_ + chars * charSpacing_) * horizontalScaling_ / 100;
  return DaPunti(L);
}

float clsPDFWriter::Length(std::string_view Phrase, std::string_view FontName, float Fontsize) const {
  return measure(platform::utf8ToCp1252(Phrase), FontName, Fontsize);
}

void clsPDFWriter::DrawText(float x, float y, std::string_view strTemp, std::string_view FontName, float Fontsize,
                            int Align, float Rotate) {
  requireName(FontName);
  requireStream();
  const std::string text = platform::utf8ToCp1252(strTemp);
  if (Align == 1) x -= measure(text, FontName, Fontsize);
  if (Align == 2) x -= measure(text, FontName, Fontsize) / 2;
  put("BT\r\n/");
  put(FontName);
  put(" ");
  putNumber(Fontsize);
  put(" Tf\r\n");
  if (Rotate == 0) {
    putCoord(x);
    put(" ");
    putCoord(y);
    put(" Td");
  } else {
    // Degrees to radians with the writer's 7-digit pi, so that angles give the same matrix.
    const double a = static_cast<double>(Rotate) * 3.141592 / 180;
    const auto c = static_cast<float>(std::cos(a));
    const auto s = static_cast<float>(std::sin(a));
    for (float v : {c, s, -s, c}) {
      putNumber(v);
      put(" ");
    }
    putCoord(x);
    put(" ");
    putCoord(y);
    put(" Tm");
  }
  put("\r\n(");
  appendEscapedPdf(buffer_, text);
  put(") Tj\r\nET");
  endLine();
}

void clsPDFWriter::SetWordSpacing(float W) {
  requireStream();
  putNumber(W);
  put(" Tw");
  endLine();
  wordSpacing_ = W;
}

void clsPDFWriter::SetCharSpacing(float W) {
  requireStream();
  putNumber(W);
  put(" Tc");
  endLine();
  charSpacing_ = W;
}

void clsPDFWriter::SetTextHorizontalScaling(float W) {
  requireStream();
  putNumber(W);
  put(" Tz");
  endLine();
  horizontalScaling_ = W;
}

void clsPDFWriter::SetTextRenderingMode(float W) {
  requireStream();
  // Tr takes an integer: fill, stroke, fill and stroke.
  if (W != 0 && W != 1 && W != 2) return;
  putNumber(W);
  put(" Tr");
  endLine();
}

}  // namespace pdf
