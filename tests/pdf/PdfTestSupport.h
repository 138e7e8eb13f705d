#pragma once
// Helpers of the PDF writer tests: file access, the structural check of every written
// file, and a one-page document whose content stream a test can compare line by line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <string>

#include "pdf/PdfWriter.h"
#include "support/Pdf.h"
#include "support/Cartella.h"

namespace pdftest {

// A file in the running test's own scratch folder.
inline std::string outPath(const std::string& name) { return (quotara::testing::CartellaTest() / name).string(); }

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool haveTool(const std::string& tool) {
  return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

inline pdf::PdfDateTime fixedTime() { return {2024, 3, 9, 14, 30, 22}; }

// Every cross-reference entry is 20 bytes and points at "N 0 obj"; startxref points at
// "xref". Checked here so that it holds also where the external check cannot run.
inline void expectSoundXref(const std::string& pdf) {
  std::smatch m;
  ASSERT_TRUE(std::regex_search(pdf, m, std::regex("startxref\r(\\d+)\r\n%%EOF\r\r\n$")));
  const size_t xref = std::stoul(m[1]);
  ASSERT_EQ(pdf.compare(xref, 7, "xref\r\n0"), 0);
  const size_t countEnd = pdf.find("\r\n", xref + 7);
  const int entries = std::stoi(pdf.substr(xref + 7, countEnd - xref - 7));
  size_t at = countEnd + 2;
  ASSERT_EQ(pdf.compare(at, 20, "0000000000 65535 f\r\n"), 0);
  for (int n = 1; n < entries; ++n) {
    at += 20;
    const std::string entry = pdf.substr(at, 20);
    ASSERT_EQ(entry.find_first_not_of("0123456789"), 10u) << "entry " << n;
    ASSERT_EQ(entry.substr(10), " 00000 n\r\n") << "entry " << n;
    const std::string opening = std::to_string(n) + " 0 obj\r\n";
    EXPECT_EQ(pdf.compare(std::stoul(entry.substr(0, 10)), opening.size(), opening), 0) << "object " << n;
  }
  EXPECT_EQ(pdf.compare(at + 20, 8, "trailer\r"), 0);
}

// The structural check of the project (qpdf --check without warnings plus the xref rules).
inline void expectValidPdf(const std::string& path) {
  expectSoundXref(readFile(path));
  EXPECT_EQ(quotara::testing::ControllaPdf(path), "") << path;
}

// The content stream of the first page, between the CR LF after "stream" and "endstream".
inline std::string firstPageContent(const std::string& pdf) {
  const size_t page = pdf.find("/Type /Page\r");
  const size_t start = pdf.find(">>\rstream\r\n", page) + 11;
  return pdf.substr(start, pdf.find("endstream\r\n", start) - start);
}

// Writes a one-page document (centimetres unless told otherwise): `setup` runs before the
// page (fonts, images), `content` inside it. Returns the page's content stream.
inline std::string pageContent(const std::string& file, const std::function<void(pdf::clsPDFWriter&)>& content,
                               const std::function<void(pdf::clsPDFWriter&)>& setup = {}, int scaleMode = 3) {
  std::string path = outPath(file);
  {
    pdf::clsPDFWriter w;
    w.SetClock(fixedTime);
    w.ScaleMode(scaleMode);
    w.InitPDFFile(path);
    if (setup) setup(w);
    w.BeginPage();
    content(w);
    w.EndPage();
    w.ClosePDFFile();
  }
  expectValidPdf(path);
  return firstPageContent(readFile(path));
}

}  // namespace pdftest
