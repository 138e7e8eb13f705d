// A table like the archive report, 46 rows a page, a few text cells per row and a line under
// each row: written by clsPDFWriter and, for comparison, by libharu (uncompressed, as ours).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "pdf/PdfWriter.h"
#include "platform/Cp1252.h"

#ifdef QUOTARA_HAVE_HPDF
#include <hpdf.h>
#endif

namespace {

constexpr int kRowsPerPage = 46;

struct Row {
  std::string name, location, year, rendita, tasi;
};

const std::vector<Row>& sampleRows() {
  static const std::vector<Row> rows = [] {
    const char* names[] = {"Rossi Mario", "Bianchi Lucia", "Esposito Niccolò", "Romano Giulia", "Colombo Andrea"};
    const char* places[] = {"Città di Castello - Via Roma 12", "Forlì - Corso della Repubblica 3",
                            "Cantù - Piazza Garibaldi 1", "Sant'Agata - Via Mazzini 45"};
    std::vector<Row> v;
    for (int i = 0; i < kRowsPerPage; ++i)
      v.push_back({names[i % 5], places[i % 4], std::to_string(2014 + i % 10), std::to_string(500 + 37 * i) + ",00",
                   std::to_string(100 + 13 * i) + "," + std::to_string(10 + i)});
    return v;
  }();
  return rows;
}

std::string outFile(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void writeOurs(int rows) {
  pdf::clsPDFWriter w;
  w.Title("Archivio immobili TASI");
  w.ScaleMode(3);
  w.PaperSize(0);
  w.Margin(0);
  w.Orientation(0);
  std::string path = outFile("quotara-bench-ours.pdf");
  w.InitPDFFile(path);
  w.LoadFont("Fnt1", "Arial", 0);
  w.LoadFont("Fnt2", "Arial", 1);
  w.LoadFont("Fnt3", "Arial", 2);
  w.LoadFont("Fnt4", "Arial", 3);
  w.LoadFont("Fnt5", "Verdana", 0);
  w.LoadFont("Fnt6", "Verdana", 1);
  auto pageHead = [&] {
    w.BeginPage();
    w.DrawText(19, 1, "pag. " + std::to_string(w.Pages()), "Fnt1", 8, 1);
    w.DrawObject("Footers");
    w.DrawText(1.5f, 1, "Quotara - 2024", "Fnt1", 8);
    w.DrawText(1.5f, 27.7f, "Quotara - Archivio immobili", "Fnt2", 14);
    w.SetLineWidth(0.01f);
    w.Rectangle(1.5f, 2, 18, 25, 1, 0.1f);
    w.SetDash(0.05f, 0.05f);
    for (float x : {5.f, 13.f, 15.f, 17.f}) {
      w.MoveTo(x, 27);
      w.LineTo(x, 2);
    }
    w.SetDash(0, 0);
    w.MoveTo(1.5f, 25.7f);
    w.LineTo(19.5f, 25.7f);
    w.DrawText(2.8f, 26.1f, "Nome", "Fnt4", 10);
    w.DrawText(7.8f, 26.1f, "Ubicazione", "Fnt4", 10);
    w.DrawText(13.5f, 26.1f, "Anno", "Fnt4", 10);
    w.DrawText(15.3f, 26.1f, "Rendita", "Fnt4", 10);
    w.DrawText(17.8f, 26.1f, "TASI", "Fnt4", 10);
  };
  pageHead();
  const auto& sample = sampleRows();
  for (int r = 0, k = 0; r < rows; ++r) {
    const Row& row = sample[static_cast<size_t>(r % kRowsPerPage)];
    const float y = 25 - 0.5f * static_cast<float>(k);
    w.DrawText(1.7f, y, row.name, "Fnt1", 10);
    w.DrawText(5.2f, y, row.location, "Fnt1", 10);
    w.DrawText(13.6f, y, row.year, "Fnt1", 10);
    w.DrawText(16.8f, y, row.rendita, "Fnt1", 10, 1);
    w.DrawText(19.3f, y, row.tasi, "Fnt1", 10, 1);
    w.MoveTo(1.5f, y - 0.15f);
    w.LineTo(19.5f, y - 0.15f);
    if (++k == kRowsPerPage && r + 1 < rows) {
      w.EndPage();
      pageHead();
      k = 0;
    }
  }
  w.EndPage();
  w.StartObject("Footers", 7);
  w.DrawText(19.5f, 1, "di " + std::to_string(w.Pages()), "Fnt1", 8, 1);
  w.EndObject();
  w.ClosePDFFile();
}

void BM_ClsPdfWriter_1000Pages(benchmark::State& state) {
  for (auto _ : state) writeOurs(1000 * kRowsPerPage);
  state.counters["pages/s"] =
      benchmark::Counter(1000.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ClsPdfWriter_1000Pages)->Unit(benchmark::kMillisecond);

void BM_ClsPdfWriter_Rows(benchmark::State& state) {
  for (auto _ : state) writeOurs(static_cast<int>(state.range(0)));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ClsPdfWriter_Rows)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

#ifdef QUOTARA_HAVE_HPDF

void onHpdfError(HPDF_STATUS error, HPDF_STATUS detail, void*) {
  throw std::runtime_error("libharu error " + std::to_string(error) + "/" + std::to_string(detail));
}

void writeHaru(int rows) {
  HPDF_Doc doc = HPDF_New(onHpdfError, nullptr);
  HPDF_SetCompressionMode(doc, HPDF_COMP_NONE);
  HPDF_SetInfoAttr(doc, HPDF_INFO_TITLE, "Archivio immobili TASI");
  HPDF_Font regular = HPDF_GetFont(doc, "Helvetica", "WinAnsiEncoding");
  HPDF_Font bold = HPDF_GetFont(doc, "Helvetica-Bold", "WinAnsiEncoding");
  HPDF_Font boldItalic = HPDF_GetFont(doc, "Helvetica-BoldOblique", "WinAnsiEncoding");
  const int pages = rows == 0 ? 1 : (rows + kRowsPerPage - 1) / kRowsPerPage;
  const float cm = 72 / 2.54f;
  HPDF_Page page = nullptr;
  auto text = [&](float x, float y, const std::string& utf8, HPDF_Font font, float size, bool right = false) {
    const std::string s = platform::utf8ToCp1252(utf8);
    HPDF_Page_BeginText(page);
    HPDF_Page_SetFontAndSize(page, font, size);
    const float px = x * cm - (right ? HPDF_Page_TextWidth(page, s.c_str()) : 0);
    HPDF_Page_TextOut(page, px, y * cm, s.c_str());
    HPDF_Page_EndText(page);
  };
  auto line = [&](float x1, float y1, float x2, float y2) {
    HPDF_Page_MoveTo(page, x1 * cm, y1 * cm);
    HPDF_Page_LineTo(page, x2 * cm, y2 * cm);
    HPDF_Page_Stroke(page);
  };
  auto pageHead = [&](int number) {
    page = HPDF_AddPage(doc);
    HPDF_Page_SetSize(page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
    text(19, 1, "pag. " + std::to_string(number), regular, 8, true);
    text(19.5f, 1, "di " + std::to_string(pages), regular, 8, true);
    text(1.5f, 1, "Quotara - 2024", regular, 8);
    text(1.5f, 27.7f, "Quotara - Archivio immobili", bold, 14);
    HPDF_Page_SetLineWidth(page, 0.01f * cm);
    // The table box with rounded corners of radius 0.1 cm.
    const float x = 1.5f * cm, y = 2 * cm, w = 18 * cm, h = 25 * cm, r = 0.1f * cm, k = r * 0.55f;
    HPDF_Page_MoveTo(page, x + r, y);
    HPDF_Page_LineTo(page, x + w - r, y);
    HPDF_Page_CurveTo(page, x + w - r + k, y, x + w, y + r - k, x + w, y + r);
    HPDF_Page_LineTo(page, x + w, y + h - r);
    HPDF_Page_CurveTo(page, x + w, y + h - r + k, x + w - r + k, y + h, x + w - r, y + h);
    HPDF_Page_LineTo(page, x + r, y + h);
    HPDF_Page_CurveTo(page, x + r - k, y + h, x, y + h - r + k, x, y + h - r);
    HPDF_Page_LineTo(page, x, y + r);
    HPDF_Page_CurveTo(page, x, y + r - k, x + r - k, y, x + r, y);
    HPDF_Page_Stroke(page);
    const HPDF_UINT16 dash[] = {1, 1};  // libharu 2.3 takes whole points
    HPDF_Page_SetDash(page, dash, 2, 0);
    for (float sx : {5.f, 13.f, 15.f, 17.f}) line(sx, 27, sx, 2);
    HPDF_Page_SetDash(page, nullptr, 0, 0);
    line(1.5f, 25.7f, 19.5f, 25.7f);
    text(2.8f, 26.1f, "Nome", boldItalic, 10);
    text(7.8f, 26.1f, "Ubicazione", boldItalic, 10);
    text(13.5f, 26.1f, "Anno", boldItalic, 10);
    text(15.3f, 26.1f, "Rendita", boldItalic, 10);
    text(17.8f, 26.1f, "TASI", boldItalic, 10);
  };
  int number = 1;
  pageHead(number);
  const auto& sample = sampleRows();
  for (int r = 0, k = 0; r < rows; ++r) {
    const Row& row = sample[static_cast<size_t>(r % kRowsPerPage)];
    const float y = 25 - 0.5f * static_cast<float>(k);
    text(1.7f, y, row.name, regular, 10);
    text(5.2f, y, row.location, regular, 10);
    text(13.6f, y, row.year, regular, 10);
    text(16.8f, y, row.rendita, regular, 10, true);
    text(19.3f, y, row.tasi, regular, 10, true);
    line(1.5f, y - 0.15f, 19.5f, y - 0.15f);
    if (++k == kRowsPerPage && r + 1 < rows) {
      pageHead(++number);
      k = 0;
    }
  }
  HPDF_SaveToFile(doc, outFile("quotara-bench-libharu.pdf").c_str());
  HPDF_Free(doc);
}

void BM_Libharu_1000Pages(benchmark::State& state) {
  for (auto _ : state) writeHaru(1000 * kRowsPerPage);
  state.counters["pages/s"] =
      benchmark::Counter(1000.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Libharu_1000Pages)->Unit(benchmark::kMillisecond);

void BM_Libharu_Rows(benchmark::State& state) {
  for (auto _ : state) writeHaru(static_cast<int>(state.range(0)));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Libharu_Rows)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

#endif

}  // namespace
