#include "shell/CampiRiga.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "shell/RecordArchivio.h"

namespace shell {
namespace {

using Campi = std::vector<std::string>;

// Every field, read one after the other.
Campi Tutti(std::string_view riga, std::string_view separatore = ";") {
  Campi campi;
  for (LettoreCampi l(riga, separatore); !l.Finito();) campi.emplace_back(l.Prossimo());
  return campi;
}

TEST(LettoreCampi, ReadsEveryFieldOfALine) {
  const struct {
    const char* riga;
    const char* separatore;
    Campi campi;
  } casi[] = {
      {"", ";", {""}},
      {"abc", ";", {"abc"}},
      {";", ";", {"", ""}},
      {"a;", ";", {"a", ""}},
      {";a", ";", {"", "a"}},
      {"a;b;;d", ";", {"a", "b", "", "d"}},
      {"Città;€;ò", ";", {"Città", "€", "ò"}},
      {"a,b;c", ",", {"a", "b;c"}},
      {"a - b - c", " - ", {"a", "b", "c"}},
      {"a - b -", " - ", {"a", "b -"}},
      {"a;b", "", {"a;b"}},
  };
  for (const auto& c : casi) EXPECT_EQ(Tutti(c.riga, c.separatore), c.campi) << c.riga;
  // The fields of a line split as a whole are those read one by one.
  for (const auto& c : casi) {
    if (std::string_view(c.separatore) != ";") continue;
    std::vector<std::string_view> viste = DividiCampi(c.riga);
    EXPECT_EQ(Campi(viste.begin(), viste.end()), c.campi) << c.riga;
  }
}

TEST(LettoreCampi, GivesNothingOnceTheLineIsRead) {
  LettoreCampi l("a;b");
  EXPECT_EQ(l.Prossimo(), "a");
  EXPECT_FALSE(l.Finito());
  EXPECT_EQ(l.Prossimo(), "b");
  EXPECT_TRUE(l.Finito());
  EXPECT_EQ(l.Prossimo(), "");
  EXPECT_EQ(l.Campo(3), "");
}

TEST(LettoreCampi, CountsTheFieldsOfWhatIsLeftFromOne) {
  const struct {
    int letti, n;
    const char* campo;
  } casi[] = {
      {0, 1, "a"}, {0, 4, "d"}, {0, 5, ""}, {0, 0, ""}, {0, -1, ""}, {1, 1, "b"}, {2, 2, "d"}, {3, 1, "d"}, {3, 2, ""},
  };
  for (const auto& c : casi) {
    LettoreCampi l("a;b;;d");
    l.Salta(c.letti);
    EXPECT_EQ(l.Campo(c.n), c.campo) << c.letti << " " << c.n;
  }
  EXPECT_EQ(CampoDi("a;b;;d", 2), "b");
  EXPECT_EQ(CampoDi("a;b;;d", 28), "");
}

TEST(CampiRiga, SplitsUpToTheLastFieldAsked) {
  const struct {
    const char* riga;
    int ultimo;
    int numero;
    Campi campi;  // fields 1 to 5
  } casi[] = {
      {"a;b;c;d;e;f", 4, 4, {"a", "b", "c", "d", ""}},
      {"a;b;c;d;e;f", 9, 4, {"a", "b", "c", "d", ""}},  // at most the four it holds
      {"a;b", 4, 2, {"a", "b", "", "", ""}},
      {"a;b;c;d;e;f", 1, 1, {"a", "", "", "", ""}},
      {"", 4, 1, {"", "", "", "", ""}},
      {";;;", 4, 4, {"", "", "", "", ""}},
  };
  for (const auto& c : casi) {
    const CampiRiga<4> campi(c.riga, c.ultimo);
    EXPECT_EQ(campi.size(), c.numero) << c.riga;
    Campi letti;
    for (int n = 1; n <= 5; ++n) letti.emplace_back(campi[n]);
    EXPECT_EQ(letti, c.campi) << c.riga << " " << c.ultimo;
    EXPECT_EQ(campi[0], "");
  }
}

}  // namespace
}  // namespace shell
