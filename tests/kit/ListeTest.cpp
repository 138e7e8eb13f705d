#include "kit/Liste.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/HeadlessDesktop.h"
#include "kit/Applicazione.h"
#include "support/TestiF24.h"

namespace {

class ListeTest : public ::testing::Test {
 protected:
  forms::HeadlessDesktop desk;
  shell::Applicazione application{desk};
  forms::ComboBox combo;

  void riempi(const std::vector<std::string>& voci, bool ordinata = false) {
    combo.setSorted(ordinata);
    for (const auto& v : voci) combo.AddItem(v);
  }
  std::vector<std::string> voci() const {
    std::vector<std::string> v;
    for (int i = 0; i < combo.ListCount(); ++i) v.push_back(combo.List(i));
    return v;
  }
};

TEST_F(ListeTest, PresenteInComboIsExactAndCaseSensitive) {
  for (bool ordinata : {false, true}) {
    SCOPED_TRACE(ordinata ? "sorted list" : "unsorted list");
    combo.Clear();
    riempi({"Rossi", "ROSSI", "rossi", "Bianchi", "", "Verdi Città"}, ordinata);
    const struct {
      const char* valore;
      bool presente;
    } casi[] = {{"Rossi", true}, {"ROSSI", true},     {"rossi", true},       {"RoSSi", false},       {"Ross", false},
                {"", true},      {"Bianchi ", false}, {"Verdi Città", true}, {"Verdi CITTÀ", false}, {"Zeta", false}};
    for (const auto& c : casi) EXPECT_EQ(shell::PresenteInCombo(c.valore, combo), c.presente) << c.valore;
  }
  combo.Clear();
  EXPECT_FALSE(shell::PresenteInCombo("", combo));
}

TEST_F(ListeTest, OrdinaComboSortsDescendingFromTheStartIndex) {
  const struct {
    std::vector<std::string> voci;
    int inizio;
    std::vector<std::string> attese;
  } casi[] = {
      {{"*** TUTTI ***", "2014", "2016", "2015"}, 1, {"*** TUTTI ***", "2016", "2015", "2014"}},
      {{"2014", "2016", "2015", "2016"}, 0, {"2016", "2016", "2015", "2014"}},
      {{"b", "B", "a"}, 0, {"b", "a", "B"}},  // by character codes, not ignoring case
      {{"2014", "2016"}, 5, {"2014", "2016"}},
      {{"2014", "2016"}, -1, {"2016", "2014"}},
      {{}, 0, {}},
  };
  for (const auto& c : casi) {
    combo.Clear();
    riempi(c.voci);
    shell::OrdinaCombo(combo, c.inizio);
    EXPECT_EQ(voci(), c.attese) << "from " << c.inizio;
  }
}

TEST_F(ListeTest, OrdinaComboLeavesTheItemDataOfEachPosition) {
  riempi({"2014", "2016", "2015"});
  for (int i = 0; i < 3; ++i) combo.setItemData(i, 10 + i);
  shell::OrdinaCombo(combo, 0);
  EXPECT_EQ(voci(), (std::vector<std::string>{"2016", "2015", "2014"}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(combo.ItemData(i), 10 + i);
}

TEST_F(ListeTest, SvuotaRigheF24EmptiesTheRows) {
  quotara::testing::ConsegnaF24(application, {"H501;X;;1;3958;2015;100", "0"});
  shell::SvuotaRigheF24();
  EXPECT_TRUE(quotara::testing::TestiF24(application).empty());
  shell::SvuotaRigheF24();
  EXPECT_TRUE(quotara::testing::TestiF24(application).empty());
}

}  // namespace
