// The multi-column list: four list boxes and one scroll bar in step, wired
// as the archive page wires them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/Forms.h"
#include "forms/HeadlessDesktop.h"
#include "forms/ScriptedUser.h"
#include "widgets/CMultiListbox.h"

namespace widgets::testing {
namespace {

using forms::TwipsPerPixel;

// Four columns that show `kRows` full rows each, the scroll bar, and every
// event forwarded to the list as the archive page does.
class Host : public forms::Form {
 public:
  static constexpr int kRows = 8;

  forms::ControlArray<forms::ListBox> List1;
  forms::VScrollBar VScroll1;
  CMultiListbox Lista;
  int updates = 0;  // calls of Update that came from the controls' events

  explicit Host(int columns = 4) {
    setClientSize(9000, 4000);
    for (int c = 0; c < columns; ++c) List1.Add(c).create(*this, 120 + 2000 * c, 300, 2000, 300);
    // Tall enough for kRows full rows and part of one more.
    const int height = (kRows * List1[0].itemHeight() + 4 + 6) * TwipsPerPixel;
    for (auto& l : List1) l.setHeight(height);
    VScroll1.create(*this, 0, 0, 255, 1000);

    List1.Click = [this](int Index) { forward(Index); };
    List1.Scroll = [this](int Index) { forward(Index); };
    List1.MouseDown = [this](int Index, int, int, float, float) { forward(Index); };
    List1.MouseMove = [this](int Index, int Button, int, float, float) {
      if (Button == forms::vbLeftButton) forward(Index);
    };
    VScroll1.Change = [this] { forward(); };
    VScroll1.Scroll = [this] { forward(); };
  }

  void forward(int Index) {
    ++updates;
    Lista.Update(Index);
  }
  void forward() {
    ++updates;
    Lista.Update();
  }

  void fill(int rows) {
    for (int r = 0; r < rows; ++r) {
      const std::string n = std::to_string(r);
      Lista.AddItem("nome " + n, {"via " + n, "comune " + n, "20" + n});
    }
  }

  // Each column's selected row and first visible row.
  std::vector<int> selections() {
    std::vector<int> v;
    for (auto& l : List1) v.push_back(l.ListIndex());
    return v;
  }
  std::vector<int> tops() {
    std::vector<int> v;
    for (auto& l : List1) v.push_back(l.TopIndex());
    return v;
  }
};

class OneColumn : public Host {
 public:
  OneColumn() : Host(1) {}
};

class MultiListboxTest : public ::testing::Test {
 protected:
  forms::HeadlessDesktop desk;
  forms::Application application{desk};
  forms::ScriptedUser user;

  Host& host() { return application.form<Host>(); }
  Host& created(int rows = 0) {
    Host& h = host();
    h.Lista.Create(h.List1, h.VScroll1);
    h.fill(rows);
    h.Show();
    return h;
  }
};

TEST_F(MultiListboxTest, BehavesAsOneListWithFourColumns) {
  using V = std::vector<int>;
  struct Case {
    const char* what;
    std::function<void(Host&, forms::ScriptedUser&)> check;
  } cases[] = {
      {"Create counts the columns up to the first missing index",
       [](Host& h, forms::ScriptedUser&) { EXPECT_EQ(h.Lista.LastColumn(), 3); }},
      {"a click in a column selects that row everywhere and keeps that column's first row",
       [](Host& h, forms::ScriptedUser& u) {
         h.fill(30);
         h.List1[0].setTopIndex(3);
         h.List1[2].setTopIndex(5);
         u.pickRow(h.List1[2], 7);
         EXPECT_EQ(h.selections(), V(4, 7));
         EXPECT_EQ(h.tops(), V(4, 5));
         EXPECT_EQ(h.VScroll1.Value(), 5);
       }},
      {"the scroll bar moves every column",
       [](Host& h, forms::ScriptedUser& u) {
         h.fill(30);
         u.dragScroll(h.VScroll1, 12);
         EXPECT_EQ(h.tops(), V(4, 12));
         EXPECT_EQ(h.VScroll1.Value(), 12);
       }},
      {"more rows than fit show the scroll bar with the range that reaches the last row",
       [](Host& h, forms::ScriptedUser&) {
         h.fill(Host::kRows + 2);
         EXPECT_TRUE(h.VScroll1.Visible());
         EXPECT_EQ(h.VScroll1.Min(), 0);
         EXPECT_EQ(h.VScroll1.Max(), 2);
         EXPECT_EQ(h.VScroll1.SmallChange(), 1);
         EXPECT_EQ(h.VScroll1.LargeChange(), Host::kRows);
       }},
      {"rows that all fit hide the scroll bar",
       [](Host& h, forms::ScriptedUser&) {
         h.fill(Host::kRows);
         EXPECT_FALSE(h.VScroll1.Visible());
       }},
      {"List joins the cells of a row with tabs, or gives one cell",
       [](Host& h, forms::ScriptedUser&) {
         h.fill(6);
         EXPECT_EQ(h.Lista.List(5), "nome 5\tvia 5\tcomune 5\t205");
         EXPECT_EQ(h.Lista.List(5, 2), "comune 5");
         EXPECT_EQ(h.Lista.List(99), "\t\t\t") << "a missing row is empty in every column";
       }},
      {"AddItem fills the columns in order and fails on a missing one after the others",
       [](Host& h, forms::ScriptedUser&) {
         h.Lista.AddItem("a", {"b", "c", "d"});
         EXPECT_EQ(h.Lista.List(0), "a\tb\tc\td");
         EXPECT_THROW(h.Lista.AddItem("e", {"f", "g", "h", "i"}), forms::FormsError);
         EXPECT_EQ(h.Lista.List(1), "e\tf\tg\th");
       }},
      {"Clear on an empty list hides the scroll bar",
       [](Host& h, forms::ScriptedUser&) {
         h.fill(30);
         h.Lista.Clear();
         h.Lista.Clear();
         EXPECT_FALSE(h.VScroll1.Visible());
         EXPECT_EQ(h.Lista.ListCount(), 0);
         EXPECT_EQ(h.selections(), V(4, -1));
       }},
      {"a refill after a scroll starts at the first row",
       [](Host& h, forms::ScriptedUser& u) {
         h.fill(300);
         u.dragScroll(h.VScroll1, 250);
         h.Lista.Clear();
         h.fill(20);
         EXPECT_EQ(h.tops(), V(4, 0));
         EXPECT_EQ(h.VScroll1.Value(), 0);
       }},
      {"the last row is reachable with the scroll bar, in every column",
       [](Host& h, forms::ScriptedUser& u) {
         h.fill(100);
         u.dragScroll(h.VScroll1, h.VScroll1.Max());
         EXPECT_EQ(h.tops(), V(4, 100 - Host::kRows));
         u.pickRow(h.List1[3], 99);
         EXPECT_EQ(h.selections(), V(4, 99));
       }},
      {"the wheel over one column scrolls all four",
       [](Host& h, forms::ScriptedUser& u) {
         h.fill(50);
         u.wheel(h.List1[1], 3);
         EXPECT_EQ(h.tops(), V(4, 3));
         EXPECT_EQ(h.VScroll1.Value(), 3);
       }},
      {"a drag with the left button keeps the columns in step, a plain move does not act",
       [](Host& h, forms::ScriptedUser& u) {
         h.fill(50);
         h.List1[3].setTopIndex(9);
         u.mouseMove(h.List1[3], 10, 10);
         EXPECT_EQ(h.tops(), V({0, 0, 0, 9}));
         u.mouseMove(h.List1[3], 10, 10, forms::vbLeftButton);
         EXPECT_EQ(h.tops(), V(4, 9));
       }},
      {"keys in one column move the selection of all",
       [](Host& h, forms::ScriptedUser& u) {
         h.fill(50);
         u.pickRow(h.List1[0], 0);
         u.key(forms::vbKeyPageDown);
         u.key(forms::vbKeyPageDown);
         EXPECT_EQ(h.selections(), V(4, 2 * (Host::kRows - 1)));
         EXPECT_EQ(h.tops(), V(4, h.List1[0].TopIndex()));
         EXPECT_EQ(h.VScroll1.Value(), h.List1[0].TopIndex());
       }},
      {"a fill of many rows updates the scroll bar once, at its end",
       [](Host& h, forms::ScriptedUser&) {
         int cambi = 0;
         h.VScroll1.Change = [&cambi] { ++cambi; };
         {
           CMultiListbox::Riempimento r(h.Lista);
           h.fill(50);
           EXPECT_FALSE(h.VScroll1.Visible());
         }
         EXPECT_TRUE(h.VScroll1.Visible());
         EXPECT_EQ(h.VScroll1.Max(), 50 - Host::kRows);
         EXPECT_EQ(cambi, 0);
         h.fill(1);
         EXPECT_EQ(h.VScroll1.Max(), 51 - Host::kRows) << "single rows update it again";
       }},
      {"a bulk fill leaves the rows a fill row by row leaves, each column's view told once",
       [](Host& h, forms::ScriptedUser&) {
         h.fill(3);
         std::vector<std::string> atTheEnd;
         for (int r = 0; r < 3 + 40; ++r) atTheEnd.push_back(r < 3 ? h.Lista.List(r) : std::string());
         struct Counter : forms::View {
           int lists = 0;
           void changed(forms::Element&, forms::What what) override { lists += what == forms::What::List; }
         };
         std::vector<Counter> views(4);
         for (int c = 0; c < 4; ++c) h.List1[c].setView(&views[static_cast<size_t>(c)]);
         std::vector<std::vector<std::string>> columns(4);
         for (int r = 0; r < 40; ++r) {
           const std::string n = std::to_string(r);
           columns[0].push_back("nome " + n);
           columns[1].push_back("via " + n);
           columns[2].push_back("comune " + n);
           columns[3].push_back("20" + n);
           atTheEnd[static_cast<size_t>(3 + r)] = "nome " + n + "\tvia " + n + "\tcomune " + n + "\t20" + n;
         }
         h.Lista.AddItems(std::move(columns));
         for (int c = 0; c < 4; ++c) h.List1[c].setView(nullptr);
         for (const Counter& v : views) EXPECT_EQ(v.lists, 1);
         ASSERT_EQ(h.Lista.ListCount(), 43);
         for (int r = 0; r < 43; ++r) EXPECT_EQ(h.Lista.List(r), atTheEnd[static_cast<size_t>(r)]) << r;
         EXPECT_EQ(h.List1[0].NewIndex(), 42);
         EXPECT_TRUE(h.VScroll1.Visible());
         EXPECT_EQ(h.VScroll1.Max(), 43 - Host::kRows);
         // Fewer columns given: the others stay as they are, as with AddItem.
         h.Lista.AddItems({{"solo nome"}});
         EXPECT_EQ(h.List1[0].ListCount(), 44);
         EXPECT_EQ(h.List1[1].ListCount(), 43);
       }},
      {"ListIndex and TopIndex set every column",
       [](Host& h, forms::ScriptedUser&) {
         h.fill(50);
         h.Lista.setTopIndex(20);
         EXPECT_EQ(h.tops(), V(4, 20));
         EXPECT_EQ(h.VScroll1.Value(), 20);
         h.Lista.setListIndex(22);
         EXPECT_EQ(h.selections(), V(4, 22));
         EXPECT_EQ(h.Lista.Text(1), "via 22");
         h.Lista.RemoveItem(22);
         EXPECT_EQ(h.selections(), V(4, -1));
         EXPECT_EQ(h.Lista.List(22), "nome 23\tvia 23\tcomune 23\t2023");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Host& h = created();
    c.check(h, user);
    application.unload<Host>();
  }
}

TEST_F(MultiListboxTest, OneListBoxIsOneColumn) {
  auto& h = application.form<OneColumn>();
  h.Lista.Create(h.List1, h.VScroll1);
  EXPECT_EQ(h.Lista.LastColumn(), 0);
  h.Lista.AddItem("solo");
  EXPECT_EQ(h.Lista.List(0), "solo");
}

TEST_F(MultiListboxTest, TheScrollBarCoversTheRightEdgeOfTheLastColumn) {
  Host& h = created();
  const forms::ListBox& last = h.List1[3];
  EXPECT_EQ(h.VScroll1.Left(), last.Left() + last.Width() - 255);
  EXPECT_EQ(h.VScroll1.Top(), last.Top());
  EXPECT_EQ(h.VScroll1.Width(), 255);
  EXPECT_EQ(h.VScroll1.Height(), last.Height());
  EXPECT_EQ(h.Lista.VisibleRows(), Host::kRows);
}

TEST_F(MultiListboxTest, AClickReenteringUpdateThroughTheColumnsEnds) {
  Host& h = created(40);
  // Every column that takes the new selection raises Click, which comes
  // back to Update while the first call is still running.
  int clicks = 0;
  h.List1.Click = [&](int Index) {
    ++clicks;
    h.forward(Index);
  };
  user.pickRow(h.List1[2], 30);
  EXPECT_EQ(clicks, 4) << "one Click per column, no endless round";
  EXPECT_EQ(h.selections(), std::vector<int>(4, 30));
  EXPECT_EQ(h.tops(), std::vector<int>(4, h.List1[2].TopIndex()));
  EXPECT_EQ(h.VScroll1.Value(), h.List1[2].TopIndex());
}

TEST_F(MultiListboxTest, MoreRowsThanA16BitRangeStayReachable) {
  Host& h = created(40000);
  EXPECT_EQ(h.VScroll1.Max(), 40000 - Host::kRows);
  user.dragScroll(h.VScroll1, h.VScroll1.Max());
  EXPECT_EQ(h.tops(), std::vector<int>(4, 40000 - Host::kRows));
  EXPECT_EQ(h.Lista.List(39999, 0), "nome 39999");
}

}  // namespace
}  // namespace widgets::testing
