// Events raised by code changes: exactly as a user action, only on a real
// change, synchronously and re-entrantly.
#include <algorithm>
#include <functional>

#include "FormsFixture.h"

namespace forms::testing {
namespace {

class EventsForm : public Form {
 public:
  CheckBox Check1;
  OptionButton OptA, OptB;
  ListBox List1;
  ComboBox Combo1;
  TextBox Text1;
  Label Label1;
  VScrollBar VScroll1;
  Frame Frame1;
  OptionButton OptC, OptD;  // a second group, in Frame1
  ControlArray<OptionButton> Option1;

  EventsForm() {
    setClientSize(6000, 6000);
    Check1.create(*this, 0, 0, 1000, 300);
    OptA.create(*this, 0, 300, 1000, 300);
    OptB.create(*this, 0, 600, 1000, 300);
    List1.create(*this, 0, 900, 1000, 1000);
    Combo1.create(*this, 0, 2000, 1000, 300);
    Text1.create(*this, 0, 2300, 1000, 300);
    Label1.create(*this, 0, 2600, 1000, 300);
    VScroll1.create(*this, 1000, 0, 255, 2000);
    Frame1.create(*this, 2000, 0, 2000, 2000);
    OptC.create(Frame1, 100, 200, 1000, 300);
    OptD.create(Frame1, 100, 500, 1000, 300);
    for (int i : {0, 1, 5}) Option1.Add(i).create(*this, 4000, 300 * i, 1000, 300);
    for (const char* s : {"ROMA", "ROVIGO", "MILANO"}) {
      List1.AddItem(s);
      Combo1.AddItem(s);
    }
  }
};

struct ChangeCase {
  const char* name;
  // Wires a counter to the control's event and returns the setter to test.
  std::function<std::function<void(int)>(EventsForm&, int&)> wire;
};

TEST_F(FormsTest, CodeChangesRaiseTheUserEventOnlyOnRealChange) {
  const ChangeCase cases[] = {
      {"CheckBox.Value / Click",
       [](EventsForm& f, int& n) {
         f.Check1.Click = [&n] { ++n; };
         return [&f](int v) { f.Check1.setValue(v % 2); };
       }},
      {"OptionButton.Value / Click",
       [](EventsForm& f, int& n) {
         f.OptA.Click = f.OptB.Click = [&n] { ++n; };
         return [&f](int v) { (v % 2 ? f.OptA : f.OptB).setValue(true); };
       }},
      {"ListBox.ListIndex / Click",
       [](EventsForm& f, int& n) {
         f.List1.Click = [&n] { ++n; };
         return [&f](int v) { f.List1.setListIndex(v % 3); };
       }},
      {"ComboBox.ListIndex / Click",
       [](EventsForm& f, int& n) {
         f.Combo1.Click = [&n] { ++n; };
         return [&f](int v) { f.Combo1.setListIndex(v % 3); };
       }},
      {"TextBox.Text / Change",
       [](EventsForm& f, int& n) {
         f.Text1.Change = [&n] { ++n; };
         return [&f](int v) { f.Text1.setText(std::to_string(v)); };
       }},
      {"ComboBox.Text / Change",
       [](EventsForm& f, int& n) {
         f.Combo1.Change = [&n] { ++n; };
         return [&f](int v) { f.Combo1.setText(std::to_string(v)); };
       }},
      {"Label.Caption / Change",
       [](EventsForm& f, int& n) {
         f.Label1.Change = [&n] { ++n; };
         return [&f](int v) { f.Label1.setCaption(std::to_string(v)); };
       }},
      {"VScrollBar.Value / Change",
       [](EventsForm& f, int& n) {
         f.VScroll1.Change = [&n] { ++n; };
         return [&f](int v) { f.VScroll1.setValue(v); };
       }},
  };
  for (const ChangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    EventsForm f;
    int raised = 0;
    auto set = c.wire(f, raised);
    set(1);
    EXPECT_EQ(raised, 1) << "first change";
    set(1);
    EXPECT_EQ(raised, 1) << "the same value again";
    set(2);
    set(2);
    EXPECT_EQ(raised, 2) << "another value, then the same again";
  }
}

TEST_F(FormsTest, OptionGroupsArePerContainerAndOthersClearSilently) {
  EventsForm f;
  f.OptB.Click = logs("OptB");
  f.OptA.Click = logs("OptA");
  f.OptC.Click = logs("OptC");
  f.OptB.setValue(true);
  f.OptC.setValue(true);
  f.OptA.setValue(true);
  EXPECT_TRUE(f.OptA.Value());
  EXPECT_FALSE(f.OptB.Value());
  EXPECT_TRUE(f.OptC.Value()) << "the frame's group is a group of its own";
  EXPECT_EQ(log, (std::vector<std::string>{"OptB", "OptC", "OptA"})) << "no Click for the option cleared";
}

TEST_F(FormsTest, ChangeHandlerThatSetsItsOwnTextReenters) {
  EventsForm f;
  int depth = 0, maxDepth = 0, changes = 0;
  f.Text1.Change = [&] {
    ++changes;
    maxDepth = std::max(maxDepth, ++depth);
    std::string up = f.Text1.Text();
    for (char& ch : up) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    f.Text1.setText(up);
    --depth;
  };
  f.Text1.setText("abc");
  EXPECT_EQ(f.Text1.Text(), "ABC");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(maxDepth, 2) << "the nested Change runs inside the first one";
}

TEST_F(FormsTest, ControlArraysPassTheIndexAndRefuseMissingIndexes) {
  EventsForm f;
  std::vector<int> clicked;
  f.Option1.Click = [&](int Index) { clicked.push_back(Index); };
  f.Option1[5].setValue(true);
  f.Option1[0].setValue(true);
  EXPECT_EQ(clicked, (std::vector<int>{5, 0}));
  EXPECT_FALSE(f.Option1[5].Value()) << "the elements share the form as container";
  EXPECT_THROW(f.Option1[3], FormsError);
  EXPECT_EQ(f.Option1.LBound(), 0);
  EXPECT_EQ(f.Option1.UBound(), 5);
  std::vector<int> indexes;
  for (OptionButton& o : f.Option1) indexes.push_back(o.Index());
  EXPECT_EQ(indexes, (std::vector<int>{0, 1, 5}));
  f.Option1.Remove(1);
  EXPECT_FALSE(f.Option1.exists(1));
  EXPECT_THROW(f.Option1.Add(0), FormsError);
}

TEST_F(FormsTest, ScrollBarRangeAndDragging) {
  EventsForm& f = application.form<EventsForm>();
  f.VScroll1.setMax(100000);
  f.VScroll1.Change = logs("Change");
  f.VScroll1.Scroll = logs("Scroll");
  f.VScroll1.setValue(70000);
  EXPECT_THROW(f.VScroll1.setValue(100001), FormsError);
  f.VScroll1.setMax(50000);
  EXPECT_EQ(f.VScroll1.Value(), 50000) << "a smaller range pulls the value in";
  EXPECT_EQ(log, (std::vector<std::string>{"Change", "Change"}));
  log.clear();
  f.Show();
  user.dragScroll(f.VScroll1, 50003 - 5);
  EXPECT_EQ(log, (std::vector<std::string>{"Scroll", "Scroll", "Change"}));
}

}  // namespace
}  // namespace forms::testing

namespace forms::testing {
namespace {

// What a front end hears of the model.
struct RecordingView : View, Application::Observer {
  std::vector<std::pair<Element*, What>> changes;
  std::vector<std::string> forms;
  void changed(Element& e, What w) override { changes.emplace_back(&e, w); }
  void formLoaded(Form&) override { forms.push_back("loaded"); }
  void formUnloaded(Form&) override { forms.push_back("unloaded"); }
  void controlAdded(Control&) override { forms.push_back("control added"); }
  void controlRemoved(Control&) override { forms.push_back("control removed"); }
  bool saw(Element& e, What w) const {
    return std::find(changes.begin(), changes.end(), std::pair(&e, w)) != changes.end();
  }
};

TEST_F(FormsTest, TheFrontEndHearsOfEveryChange) {
  RecordingView view;
  application.setObserver(&view);
  EventsForm& f = application.form<EventsForm>();
  for (Element* e : std::initializer_list<Element*>{&f, &f.Text1, &f.List1, &f.Check1, &f.Label1}) e->setView(&view);
  f.Show();
  user.type(f.Text1, "a");
  f.List1.AddItem("NAPOLI");
  f.List1.setListIndex(0);
  f.Check1.setEnabled(false);
  f.Label1.setFontBold(true);
  f.Option1.Add(7).create(f, 0, 0, 100, 100);
  f.Option1.Remove(7);
  application.unload(f);
  EXPECT_TRUE(view.saw(f, What::Visible));
  EXPECT_TRUE(view.saw(f.Text1, What::Focus));
  EXPECT_TRUE(view.saw(f.Text1, What::Text));
  EXPECT_TRUE(view.saw(f.Text1, What::Selection));
  EXPECT_TRUE(view.saw(f.List1, What::List));
  EXPECT_TRUE(view.saw(f.List1, What::Selection));
  EXPECT_TRUE(view.saw(f.Check1, What::Enabled));
  EXPECT_TRUE(view.saw(f.Label1, What::Appearance));
  EXPECT_EQ(view.forms, (std::vector<std::string>{"loaded", "control added", "control removed", "unloaded"}));
  application.setObserver(nullptr);
}

}  // namespace
}  // namespace forms::testing
