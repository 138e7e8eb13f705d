// List boxes and combo boxes: the list API, the selection, searching, the
// edit part of combos, and a hidden sorted list as a data store.
#include <filesystem>
#include <fstream>

#include "support/Cartella.h"
#include "FormsFixture.h"

namespace forms::testing {
namespace {

class ListForm : public Form {
 public:
  ListBox List1, List2;
  ComboBox Combo1, Combo2;
  FileListBox File1;
  int prefixLength = 0;  // as the shared LunghezzaPrefisso of the auto-completion

  ListForm() {
    setClientSize(6000, 6000);
    List1.create(*this, 0, 0, 2000, 1500);
    List2.create(*this, 0, 1500, 2000, 1500);
    List2.setVisible(false);
    List2.setSorted(true);
    Combo1.create(*this, 2000, 0, 2000, 300);
    Combo2.create(*this, 2000, 400, 2000, 300);
    Combo2.setStyle(vbComboDropDownList);
    File1.create(*this, 4000, 0, 2000, 2000);
    for (const char* s : {"ROMA", "ROVIGO", "MILANO"}) {
      Combo1.AddItem(s);
      Combo2.AddItem(s);
    }
    Combo1.Change = [this] { AutoComplete(Combo1); };
  }

  // The auto-completion of the calculation window's combos, step by step.
  void AutoComplete(ComboBox& box) {
    int n = box.SelStart();
    if (prefixLength != 0) {
      box.setSelStart(prefixLength);
      n = prefixLength;
    }
    const std::string prefix = box.Text().substr(0, n);
    box.setListIndex(box.FindString(prefix));
    if (box.ListIndex() == -1) {
      prefixLength = static_cast<int>(prefix.size());
      box.setText(prefix);
    }
    box.setSelStart(n);
    box.setSelLength(static_cast<int>(box.Text().size()) - n);
    prefixLength = 0;
  }
};

class ListTest : public FormsTest {
 protected:
  ListForm& f = application.form<ListForm>();
};

TEST_F(ListTest, FindStringIsACaseInsensitivePrefixSearchThatWraps) {
  struct Case {
    const char* prefix;
    int start;
    int found;
  } cases[] = {
      {"ro", -1, 0},     {"ro", 0, 1},  {"ro", 1, 0}, {"Rov", -1, 1},
      {"milano", -1, 2}, {"x", -1, -1}, {"", -1, -1},  // an empty prefix matches nothing
      {"ROMAX", -1, -1}, {"mi", 99, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.prefix) + " from " + std::to_string(c.start));
    EXPECT_EQ(f.Combo1.FindString(c.prefix, c.start), c.found);
  }
}

TEST_F(ListTest, ComboAutoCompletionAsTheCalculationWindowDoesIt) {
  f.Show();
  f.Combo1.setText(" ");  // the reset of the window
  EXPECT_EQ(f.Combo1.Text(), "") << "an empty prefix finds nothing, so the blank is cut";
  EXPECT_EQ(f.Combo1.ListIndex(), -1);

  int clicks = 0;
  f.Combo1.Click = [&] { ++clicks; };
  user.type(f.Combo1, "r");
  EXPECT_EQ(f.Combo1.Text(), "ROMA");
  EXPECT_EQ(f.Combo1.SelText(), "OMA");
  user.type("ov");
  EXPECT_EQ(f.Combo1.Text(), "ROVIGO");
  EXPECT_EQ(f.Combo1.SelText(), "IGO");
  EXPECT_EQ(f.Combo1.ListIndex(), 1);
  user.type("x");
  EXPECT_EQ(f.Combo1.Text(), "ROVx") << "a prefix no item has keeps what the box shows, the typed key included";
  EXPECT_EQ(f.Combo1.ListIndex(), -1) << "typing leaves the selected item";
  EXPECT_EQ(clicks, 3) << "ROMA, ROVIGO, and back to no item";
}

TEST_F(ListTest, ComboSelectionPutsTheItemInTheEditPart) {
  f.Combo1.Change = nullptr;
  int changes = 0;
  f.Combo1.Change = [&] { ++changes; };
  f.Combo1.setListIndex(2);
  EXPECT_EQ(f.Combo1.Text(), "MILANO");
  EXPECT_EQ(changes, 0) << "ListIndex raises Click, not Change";
  f.Combo1.Clear();
  EXPECT_EQ(f.Combo1.Text(), "");
  EXPECT_EQ(f.Combo1.ListIndex(), -1);
  EXPECT_THROW(f.Combo1.setListIndex(0), FormsError);
}

TEST_F(ListTest, DropDownListSelectsByFirstLetter) {
  f.Show();
  user.type(f.Combo2, "m");
  EXPECT_EQ(f.Combo2.Text(), "MILANO");
  user.type("rr");
  EXPECT_EQ(f.Combo2.Text(), "ROVIGO") << "the same letter again goes to the next item";
  user.key(vbKeyUp);
  EXPECT_EQ(f.Combo2.ListIndex(), 0);
  f.Combo2.setText("milano");
  EXPECT_EQ(f.Combo2.ListIndex(), 2);
  EXPECT_THROW(f.Combo2.setText("NAPOLI"), FormsError);
}

TEST_F(ListTest, ListSelectionScrollsAndPicksRaiseClick) {
  for (int i = 0; i < 20; ++i) f.List1.AddItem("riga " + std::to_string(i));
  // 1500 twips = 100 pixels, less the border: 96 / 13 = 7 whole rows.
  EXPECT_EQ(f.List1.itemHeight(), 13);
  EXPECT_EQ(f.List1.clientHeightPx(), 96);
  f.List1.setListIndex(10);
  EXPECT_EQ(f.List1.TopIndex(), 4);
  f.List1.setTopIndex(1000);
  EXPECT_EQ(f.List1.TopIndex(), 13);
  f.Show();
  f.List1.Click = logs("Click");
  f.List1.DblClick = logs("DblClick");
  user.pickRow(f.List1, 3);
  user.pickRow(f.List1, 3);
  user.dblClickRow(f.List1, 5);
  user.key(vbKeyDown);
  EXPECT_EQ(f.List1.ListIndex(), 6);
  EXPECT_EQ(log, (std::vector<std::string>{"Click", "Click", "DblClick", "Click"}));
  EXPECT_EQ(f.List1.List(-1), "");
  EXPECT_THROW(f.List1.ItemData(20), FormsError);
  EXPECT_THROW(user.pickRow(f.List1, 20), FormsError);
}

// The keys that take a row, with and without a row selected: the
// highlighted row is the selected one, else the first.
TEST_F(ListTest, SpaceDownAndEnterTakeTheHighlightedRow) {
  struct Caso {
    const char* name;
    int selected;  // ListIndex before the key
    int keyCode;
    int listIndex;
    std::vector<std::string> events;
  };
  const Caso casi[] = {
      {"Down with nothing selected", -1, vbKeyDown, 0, {"Click"}},
      {"Space with nothing selected", -1, vbKeySpace, 0, {"Click"}},
      {"Space on the selected row", 1, vbKeySpace, 1, {}},
      {"Enter with nothing selected", -1, vbKeyReturn, 0, {"Click", "DblClick"}},
      {"Enter on the selected row", 2, vbKeyReturn, 2, {"Click", "DblClick"}},
      {"a letter still finds the next row with it", 0, vbKeyC, 2, {"Click"}},
  };
  for (const char* s : {"ALFA", "BETA", "CORTINA"}) f.List1.AddItem(s);
  f.Show();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.name);
    f.List1.Click = nullptr;
    f.List1.DblClick = nullptr;
    f.List1.setListIndex(c.selected);
    user.focus(f.List1);
    log.clear();
    f.List1.Click = logs("Click");
    f.List1.DblClick = logs("DblClick");
    user.key(c.keyCode);
    EXPECT_EQ(f.List1.ListIndex(), c.listIndex);
    EXPECT_EQ(log, c.events);
  }
  // An empty list takes nothing; a list whose KeyPress keeps Enter (to move
  // on) does not take the row either.
  f.List1.Clear();
  log.clear();
  user.key(vbKeyReturn);
  user.key(vbKeySpace);
  EXPECT_TRUE(log.empty());
  f.List1.AddItem("ALFA");
  f.List1.KeyPress = [](int& k) {
    if (k == vbKeyReturn) k = 0;
  };
  user.key(vbKeyReturn);
  EXPECT_EQ(f.List1.ListIndex(), -1);
  EXPECT_TRUE(log.empty());
}

TEST_F(ListTest, RemovingAndInsertingKeepTheSelectedItem) {
  for (const char* s : {"a", "b", "c", "d"}) f.List1.AddItem(s);
  f.List1.setListIndex(2);
  f.List1.AddItem("first", 0);
  EXPECT_EQ(f.List1.List(f.List1.ListIndex()), "c");
  f.List1.RemoveItem(0);
  EXPECT_EQ(f.List1.List(f.List1.ListIndex()), "c");
  f.List1.RemoveItem(2);
  EXPECT_EQ(f.List1.ListIndex(), -1);
}

// Would take minutes if every insertion moved the items behind it.
TEST_F(ListTest, AHiddenSortedListOfManyItemsStaysFast) {
  constexpr int n = 100000;
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (int i = 0; i < n; ++i) {
    std::string line = (next() % 2 ? "rossi;" : "Rossi;") + std::to_string(next() % 1000000) + ";via roma";
    f.List2.AddItem(line);
    ASSERT_EQ(f.List2.List(f.List2.NewIndex()), line);
    f.List2.setItemData(f.List2.NewIndex(), i);
  }
  ASSERT_EQ(f.List2.ListCount(), n);
  for (int i = 1; i < n; ++i) ASSERT_LE(compareNoCase(f.List2.List(i - 1), f.List2.List(i)), 0) << i;
  EXPECT_EQ(f.List2.FindString("ROSSI;"), 0);
  EXPECT_EQ(f.List2.FindString("bianchi"), -1);
  for (int i = n - 1; i >= 0; i -= 2) f.List2.RemoveItem(i);
  EXPECT_EQ(f.List2.ListCount(), n / 2);
  for (int i = 1; i < n / 2; ++i) ASSERT_LE(compareNoCase(f.List2.List(i - 1), f.List2.List(i)), 0) << i;
}

// AddItems gives the list that AddItem of each item gives, item data and
// selection included, and tells the view once.
TEST_F(ListTest, AddingManyItemsAtOnceIsAddingThemOneByOne) {
  struct Case {
    const char* name;
    bool sorted;
    std::vector<std::string> before, added;
  };
  const std::vector<Case> cases = {
      {"unsorted", false, {"b", "a"}, {"c", "A", "b"}},
      {"sorted, equal texts keep their order", true, {"b", "B", "d"}, {"b", "a", "D", "B", "c", "b"}},
      {"sorted, into an empty list", true, {}, {"z", "Y", "x", "y"}},
      {"sorted, accents and case", true, {"à"}, {"À", "a", "b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ListBox& one = f.List1;
    ListBox& many = f.List2;
    for (ListBox* l : {&one, &many}) {
      l->Clear();
      l->setSorted(c.sorted);
      for (size_t i = 0; i < c.before.size(); ++i) {
        l->AddItem(c.before[i]);
        l->setItemData(l->NewIndex(), static_cast<int>(i) + 1);
      }
      if (!c.before.empty()) l->setListIndex(l->ListCount() - 1);
    }
    for (const std::string& s : c.added) one.AddItem(s);
    int views = 0;
    struct Counter : View {
      int& n;
      explicit Counter(int& count) : n(count) {}
      void changed(Element&, What what) override { n += what == What::List; }
    } counter{views};
    many.setView(&counter);
    many.AddItems(c.added);
    many.setView(nullptr);
    EXPECT_EQ(views, 1);
    ASSERT_EQ(many.ListCount(), one.ListCount());
    for (int i = 0; i < one.ListCount(); ++i) {
      EXPECT_EQ(many.List(i), one.List(i)) << i;
      EXPECT_EQ(many.ItemData(i), one.ItemData(i)) << i;
    }
    EXPECT_EQ(many.NewIndex(), one.NewIndex());
    EXPECT_EQ(many.ListIndex(), one.ListIndex());
  }
}

TEST_F(ListTest, SortingIgnoresCase) {
  for (const char* s : {"b", "B", "a", "À", "à", "C"}) f.List2.AddItem(s);
  std::vector<std::string> items;
  for (int i = 0; i < f.List2.ListCount(); ++i) items.push_back(f.List2.List(i));
  EXPECT_EQ(items, (std::vector<std::string>{"a", "b", "B", "C", "À", "à"}))
      << "equal items keep the order they came in";
}

TEST_F(ListTest, FileListShowsMatchingFilesAlphabetically) {
  namespace fs = std::filesystem;
  const fs::path dir = quotara::testing::CartellaTest() / "filelist";
  fs::remove_all(dir);
  fs::create_directories(dir / "sub.dat");
  for (const char* name : {"b.DAT", "A.dat", "c.txt", "tasi.dat"}) std::ofstream(dir / name) << "x";
  f.File1.setPattern("*.dat");
  f.File1.setPath(dir.string());
  std::vector<std::string> names;
  for (int i = 0; i < f.File1.ListCount(); ++i) names.push_back(f.File1.List(i));
  EXPECT_EQ(names, (std::vector<std::string>{"A.dat", "b.DAT", "tasi.dat"}));
  f.File1.setPattern("*.TXT;A*");
  EXPECT_EQ(f.File1.ListCount(), 2);
  EXPECT_THROW(f.File1.setPath((dir / "missing").string()), FormsError);
}

// Lists filled in order in several steps keep every item, in order, with its
// data, however the steps fall against the blocks that hold them.
TEST_F(ListTest, ItemsAddedInManyStepsStayInOrder) {
  std::vector<std::string> attese;
  int n = 0;
  for (int passo : {1, 3, 127, 128, 129, 1, 500, 2}) {
    std::vector<std::string> nuove;
    for (int k = 0; k < passo; ++k) nuove.push_back("riga " + std::to_string(n++));
    attese.insert(attese.end(), nuove.begin(), nuove.end());
    f.List1.AddItems(nuove);
    f.List1.setItemData(f.List1.ListCount() - 1, n);
  }
  f.List1.AddItem("ultima");
  attese.push_back("ultima");
  ASSERT_EQ(f.List1.ListCount(), static_cast<int>(attese.size()));
  for (int i = 0; i < f.List1.ListCount(); ++i) ASSERT_EQ(f.List1.List(i), attese[static_cast<size_t>(i)]) << i;
  EXPECT_EQ(f.List1.ItemData(0), 1);
  EXPECT_EQ(f.List1.ItemData(3), 4);
  EXPECT_EQ(f.List1.ItemData(static_cast<int>(attese.size()) - 2), n);
  f.List1.RemoveItem(0);
  EXPECT_EQ(f.List1.List(0), "riga 1");
  EXPECT_EQ(f.List1.FindString("ULTIMA"), f.List1.ListCount() - 1);
}

}  // namespace
}  // namespace forms::testing
