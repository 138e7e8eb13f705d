// Document structure: file layout, objects, pages, form objects, cross-reference table.
#include "pdf/PdfWriter.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstring>
#include <ctime>
#include <random>

#include "platform/Cp1252.h"
#include "platform/Paths.h"

namespace pdf {
namespace {

constexpr int kPagesObject = 3;
constexpr int kResourcesObject = 4;
constexpr std::int64_t kMaxOffset = 9999999999;  // 10 digits of a cross-reference entry
constexpr size_t kFlushSize = 1 << 16;
constexpr std::string_view kProducer = "Quotara clsPDFWriter";

PdfDateTime localNow() {
  const std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

void appendDigits(std::string& out, int value, int width) {
  char buf[12];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  out.append(static_cast<size_t>(std::max<std::ptrdiff_t>(0, width - (res.ptr - buf))), '0');
  out.append(buf, res.ptr);
}

// In the program folder, "~" and the upper-case hex of the number made of day, hour,
// minute, second and a random digit.
std::string chooseFileName(const PdfDateTime& t) {
  std::string folder;
  try {
    folder = platform::programFolder();
  } catch (const std::exception& e) {
    throw PdfError(e.what());
  }
  const unsigned digit = std::random_device{}() % 10;
  const unsigned long number =
      ((((static_cast<unsigned long>(t.Day) * 100 + t.Hour) * 100 + t.Minute) * 100 + t.Second) * 10) + digit;
  char hex[24];
  const auto res = std::to_chars(hex, hex + sizeof hex, number, 16);
  std::string name = "~";
  for (const char* p = hex; p != res.ptr; ++p) name += static_cast<char>(*p >= 'a' ? *p - 'a' + 'A' : *p);
  return folder + "/" + name + ".pdf";
}

}  // namespace

clsPDFWriter::clsPDFWriter() : clock_(localNow) {}

clsPDFWriter::~clsPDFWriter() {
  if (file_) std::fclose(file_);
}

void clsPDFWriter::EncodeASCII85(bool value) { encodeASCII85_ = value; }
void clsPDFWriter::Margin(float value) { margin_ = InPunti(value); }
void clsPDFWriter::PaperWidth(float value) {
  paperSize_ = 255;
  paperWidth_ = InPunti(value);
}
void clsPDFWriter::PaperHeight(float value) {
  paperSize_ = 255;
  paperHeight_ = InPunti(value);
}
int clsPDFWriter::Pages() const { return pages_; }
void clsPDFWriter::ScaleMode(int value) { scaleMode_ = value; }
void clsPDFWriter::Orientation(int value) { orientation_ = value; }
void clsPDFWriter::Title(std::string_view value) { title_ = value; }
void clsPDFWriter::SetClock(std::function<PdfDateTime()> clock) { clock_ = std::move(clock); }

void clsPDFWriter::PaperSize(int value) {
  static constexpr float kPaper[4][2] = {{595.2f, 842}, {842, 1190.5f}, {612, 792}, {612, 864}};
  paperSize_ = value;
  if (value >= 0 && value <= 3) {
    paperWidth_ = kPaper[value][0];
    paperHeight_ = kPaper[value][1];
  }
}

float clsPDFWriter::InPunti(float Value) const {
  const double v = Value;
  switch (scaleMode_) {
    case 0:
      return Value;
    case 1:
      return static_cast<float>(v * 72);
    case 2:
      return static_cast<float>(v * 72 / 25.4);
    case 3:
      return static_cast<float>(v * 72 / 2.54);
    default:
      return 0;
  }
}

float clsPDFWriter::DaPunti(float Value) const {
  const double v = Value;
  switch (scaleMode_) {
    case 0:
      return Value;
    case 1:
      return static_cast<float>(v / 72);
    case 2:
      return static_cast<float>(v / 72 * 25.4);
    case 3:
      return static_cast<float>(v / 72 * 2.54);
    default:
      return 0;
  }
}

// ---- output ----

void clsPDFWriter::requireOpen() const {
  if (!file_) throw PdfError("no PDF file is open");
}

void clsPDFWriter::requireStream() const {
  requireOpen();
  if (stream_ == Stream::None) throw PdfError("no page or form object is open");
}

void clsPDFWriter::requireNoStream() const {
  requireOpen();
  if (stream_ != Stream::None) throw PdfError("a page or form object is still open");
}

void clsPDFWriter::requireName(std::string_view name) {
  if (!isPdfName(name)) throw PdfError("\"" + std::string(name) + "\" is not a plain PDF name");
}

void clsPDFWriter::addResource(std::string& list, std::string_view Name, int N) {
  list += '/';
  list.append(Name);
  list += ' ';
  list += std::to_string(N);
  list += " 0 R \r";
}

void clsPDFWriter::putInt(std::int64_t n) {
  char buf[24];
  const auto res = std::to_chars(buf, buf + sizeof buf, n);
  buffer_.append(buf, res.ptr);
}

void clsPDFWriter::endLine() {
  buffer_ += "\r\n";
  if (buffer_.size() >= kFlushSize) flush();
}

void clsPDFWriter::flush() {
  if (buffer_.empty()) return;
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
    const std::string why = std::strerror(errno);
    throw PdfError("cannot write " + pdfFileName_ + ": " + why);
  }
  written_ += static_cast<std::int64_t>(buffer_.size());
  buffer_.clear();
}

void clsPDFWriter::ScriviLineaPdf(std::string_view Text) {
  requireOpen();
  put(Text);
  endLine();
}

int clsPDFWriter::ApriOggettoPdf(int N) {
  if (N == 0) {
    if (objectCount_ == INT_MAX) throw PdfError("too many objects for one PDF file");
    N = objectCount_ + 1;
  }
  if (N > objectCount_) {
    objectCount_ = N;
    xrefOffsets_.resize(static_cast<size_t>(N));
  }
  const std::int64_t offset = position();
  if (offset > kMaxOffset) throw PdfError("the PDF file is too large for its cross-reference table");
  xrefOffsets_[static_cast<size_t>(N) - 1] = offset;
  putInt(N);
  put(" 0 obj");
  endLine();
  return N;
}

void clsPDFWriter::ChiudiOggettoPdf() { ScriviLineaPdf("endobj"); }

// ---- document ----

void clsPDFWriter::InitPDFFile(std::string& strFileName) {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  buffer_.clear();
  written_ = 0;
  stream_ = Stream::None;
  const PdfDateTime now = clock_();
  if (strFileName.empty()) strFileName = chooseFileName(now);
  pdfFileName_ = strFileName;
  file_ = std::fopen(strFileName.c_str(), "wb");
  if (!file_) {
    const std::string why = std::strerror(errno);
    throw PdfError("cannot create " + strFileName + ": " + why);
  }
  std::setvbuf(file_, nullptr, _IONBF, 0);  // the writer buffers its lines itself

  ScriviLineaPdf("%PDF-1.3");
  objectCount_ = 0;
  ApriOggettoPdf(0);
  put("<<\r/Title (");
  appendEscapedPdf(buffer_, platform::utf8ToCp1252(title_));
  put(")\r/Author (Bromwel)\r/Creator  (Quotara)\r/Producer (");
  appendEscapedPdf(buffer_, kProducer);
  put(")\r/CreationDate (D:");
  appendDigits(buffer_, now.Year, 4);
  for (int part : {now.Month, now.Day, now.Hour, now.Minute, now.Second}) appendDigits(buffer_, part, 2);
  put("+01'00')\r>>");
  endLine();
  ChiudiOggettoPdf();

  ApriOggettoPdf(0);
  put("<<\r/Type /Catalog\r/Pages 3 0 R\r/PageLayout /OneColumn\r/PageMode /UseNone\r/Lang (it) \r"
      "/ViewerPreferences << /HideToolbar false /DisplayDocTitle true /HideWindowUI false >>\r>>");
  endLine();
  ChiudiOggettoPdf();
  objectCount_ = 4;
  xrefOffsets_.resize(4);
}

void clsPDFWriter::ClosePDFFile() {
  requireNoStream();
  ApriOggettoPdf(kResourcesObject);
  put("<<\r");
  if (!fontResources_.empty()) {
    put("/Font <<\r");
    put(fontResources_);
    put(">>\r");
  }
  put("/ProcSet [/PDF /Text");
  if (!imageResources_.empty()) put(" /ImageB /ImageC /ImageI");
  put(" ]\r");
  if (!imageResources_.empty() || !objectResources_.empty()) {
    put("/XObject <<\r");
    put(imageResources_);
    put("\r");
    put(objectResources_);
    put(">>\r");
  }
  put(">>");
  endLine();
  ChiudiOggettoPdf();

  ApriOggettoPdf(kPagesObject);
  put("<<\r/Type /Pages\r/Count ");
  putInt(pages_);
  put("\r/MediaBox [0 0 ");
  putNumber(paperWidth_);
  put(" ");
  putNumber(paperHeight_);
  put("]\r/CropBox [");
  putMarginBox();
  put("]\r");
  if (orientation_ == 1) put("/Rotate 90");
  put("\r/Kids [");
  put(kidsList_);
  put(" ]\r/Resources ");
  putInt(kResourcesObject);
  put(" 0 R\r>>");
  endLine();
  ChiudiOggettoPdf();

  const std::int64_t xref = position();
  ScriviLineaPdf("xref");
  put("0 ");
  putInt(objectCount_ + 1);
  endLine();
  ScriviLineaPdf("0000000000 65535 f");
  for (const std::int64_t offset : xrefOffsets_) {
    char digits[11];
    std::int64_t rest = offset;
    for (int i = 9; i >= 0; --i) {
      digits[i] = static_cast<char>('0' + rest % 10);
      rest /= 10;
    }
    put(std::string_view(digits, 10));
    put(" 00000 n");
    endLine();
  }
  put("trailer\r<<\r/Size ");
  putInt(objectCount_ + 1);
  put("\r/Info 1 0 R\r/Root 2 0 R\r>>");
  endLine();
  put("startxref\r");
  putInt(xref);
  endLine();
  ScriviLineaPdf("%%EOF\r");
  flush();
  std::FILE* f = file_;
  file_ = nullptr;
  if (std::fclose(f) != 0) {
    const std::string why = std::strerror(errno);
    throw PdfError("cannot close " + pdfFileName_ + ": " + why);
  }
}

void clsPDFWriter::AbandonPDFFile() {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  buffer_.clear();
  stream_ = Stream::None;
  if (!pdfFileName_.empty()) std::remove(pdfFileName_.c_str());
}

// ---- pages and form objects ----

int clsPDFWriter::BeginPage() {
  requireNoStream();
  ++pages_;
  const int P = ApriOggettoPdf(0);
  put("<<\r/Type /Page\r/Parent 3 0 R\r/Contents ");
  putInt(static_cast<std::int64_t>(P) + 1);
  put(" 0 R\r>>");
  endLine();
  ChiudiOggettoPdf();
  kidsList_ += std::to_string(P) + " 0 R ";
  ApriOggettoPdf(P + 1);
  put("<< /Length ");
  putInt(static_cast<std::int64_t>(P) + 2);
  put(" 0 R >>\rstream");
  endLine();
  streamStart_ = position();
  stream_ = Stream::Page;
  DisegnaOggettiAutomatici();
  charSpacing_ = 0;
  wordSpacing_ = 0;
  horizontalScaling_ = 100;
  return pages_;
}

void clsPDFWriter::closeStream() {
  const std::int64_t length = position() - streamStart_;
  stream_ = Stream::None;
  ScriviLineaPdf("endstream");
  ChiudiOggettoPdf();
  ApriOggettoPdf(0);
  putInt(length);
  endLine();
  ChiudiOggettoPdf();
}

void clsPDFWriter::EndPage() {
  requireOpen();
  if (stream_ != Stream::Page) throw PdfError("no page is open");
  closeStream();
}

void clsPDFWriter::StartObject(std::string_view Name, int Options) {
  requireName(Name);
  requireNoStream();
  const int N = ApriOggettoPdf(0);
  put("<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r/Name /");
  put(Name);
  put("\r/BBox [");
  putMarginBox();
  put("]\r/Matrix [1 0 0 1 0 0]\r/Length ");
  putInt(static_cast<std::int64_t>(N) + 1);
  put(" 0 R >>\rstream");
  endLine();
  streamStart_ = position();
  stream_ = Stream::Form;
  addResource(objectResources_, Name, N);
  autoObjects_.push_back({std::string(Name), Options});
}

void clsPDFWriter::EndObject() {
  requireOpen();
  if (stream_ != Stream::Form) throw PdfError("no form object is open");
  closeStream();
}

void clsPDFWriter::DrawObject(std::string_view Name) {
  requireName(Name);
  requireStream();
  put("/");
  put(Name);
  put(" Do");
  endLine();
}

void clsPDFWriter::DisegnaOggettiAutomatici() {
  const int n = pages_;
  for (const OggettoPdf& o : autoObjects_) {
    const int opt = o.Options;
    const bool draw = (opt & 7) == 7 || (n % 2 == 0 && (opt & 2) != 0) ||
                      (n % 2 == 1 && (opt & 4) != 0 && !((opt & 8) != 0 && n == 1));
    if (draw) DrawObject(o.Name);
  }
}

}  // namespace pdf
