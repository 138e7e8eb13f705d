#include "calculation/RiepilogoArchivio.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace calculation;

namespace {

std::shared_ptr<const shell::RigheArchivio> Righe(const std::vector<std::string>& righe) {
  auto r = std::make_shared<shell::RigheArchivio>();
  std::string testo;
  for (const std::string& riga : righe) testo += riga + "\n";
  auto t = std::make_shared<const std::string>(testo);
  for (size_t inizio = 0; inizio < t->size();) {
    const size_t fine = t->find('\n', inizio);
    r->Righe.push_back(std::string_view(*t).substr(inizio, fine - inizio));
    inizio = fine + 1;
  }
  r->Testi.push_back(std::move(t));
  return r;
}

std::vector<std::string> Testi(const std::vector<std::string_view>& v) { return {v.begin(), v.end()}; }

}  // namespace

// Texts are told apart by their exact bytes, the empty text included, however
// many there are and whether or not room was made for them first.
TEST(InsiemeTesti, HoldsEachExactTextOnce) {
  for (size_t spazio : {size_t{0}, size_t{10}, size_t{100000}}) {
    SCOPED_TRACE(spazio);
    std::vector<std::string> testi = {"", "a", "A", "à", "À", "via roma 1", "via roma 1 ", "VIA ROMA 1"};
    for (int i = 0; i < 50000; ++i) testi.push_back("VIA DELLA LIBERTÀ " + std::to_string(i));
    InsiemeTesti insieme;
    insieme.reserve(spazio);
    EXPECT_TRUE(insieme.empty());
    EXPECT_FALSE(insieme.contains(""));
    for (const std::string& t : testi) EXPECT_TRUE(insieme.insert(t)) << t;
    EXPECT_EQ(insieme.size(), testi.size());
    for (const std::string& t : testi) {
      EXPECT_TRUE(insieme.contains(t)) << t;
      EXPECT_FALSE(insieme.insert(std::string(t))) << t;
    }
    for (const char* assente : {"b", "via roma", "VIA DELLA LIBERTÀ 50000", "VIA DELLA LIBERTA 1"})
      EXPECT_FALSE(insieme.contains(assente)) << assente;
    EXPECT_EQ(insieme.size(), testi.size());
  }
}

// Each taxpayer, address and municipality once in the order of first
// appearance, exact texts apart; the code of a municipality from its first
// line that has one.
TEST(RiepilogoArchivio, EachValueOnceInFileOrderWithTheFirstCode) {
  const std::string dopo = ";2026;1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20;21;22;23;";
  const auto r = Riepiloga(
      Righe({"ROSSI;VIA PO 1;TORINO" + dopo, "rossi;VIA PO 1;Torino" + dopo + "L219",
             "BIANCHI;VIA PO 2;TORINO" + dopo + "L219", "ROSSI;via po 2;MILANO" + dopo + "F205", "", "VERDI"}));
  EXPECT_EQ(Testi(r.Contribuenti), (std::vector<std::string>{"ROSSI", "rossi", "BIANCHI", "", "VERDI"}));
  EXPECT_EQ(Testi(r.Indirizzi), (std::vector<std::string>{"VIA PO 1", "VIA PO 2", "via po 2", ""}));
  EXPECT_EQ(Testi(r.Comuni), (std::vector<std::string>{"TORINO", "Torino", "MILANO", ""}));
  EXPECT_TRUE(r.ComuniVisti.contains("Torino"));
  EXPECT_FALSE(r.ComuniVisti.contains("torino"));
  EXPECT_TRUE(r.IndirizziVisti.contains("via po 2"));
  EXPECT_EQ(r.Codici.size(), 3u);
  EXPECT_EQ(r.Codici.at("TORINO"), "L219");
  EXPECT_EQ(r.Codici.at("Torino"), "L219");
  EXPECT_EQ(r.Codici.at("MILANO"), "F205");
}
