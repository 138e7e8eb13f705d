// Every change of the model shows on its widget at once.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "DesktopFixture.h"

namespace desktop::testing {
namespace {

using namespace forms;

class SyncTest : public DesktopTest {
 protected:
  SampleForm& form = application.form<SampleForm>();
  SyncTest() { form.Show(); }
};

TEST_F(SyncTest, PropertiesOfTheModelShowOnTheWidgets) {
  struct Case {
    const char* what;
    std::function<void()> change;
    std::function<bool()> shown;
  };
  auto* text1 = widget<QLineEdit>(form.Text1);
  auto* combo1 = widget<QComboBox>(form.Combo1);
  auto* combo2 = widget<QComboBox>(form.Combo2);
  auto* list = widget<QListView>(form.List1);
  auto* button = widget<QPushButton>(form.Command1);
  const std::vector<Case> cases = {
      {"text", [&] { form.Text1.setText("MILANO"); }, [&] { return text1->text() == "MILANO"; }},
      {"selection", [&] { form.Text1.setSelStart(1), form.Text1.setSelLength(3); },
       [&] { return text1->selectedText() == "ILA"; }},
      {"multi-line text", [&] { form.Text3.setText("uno\r\ndue"); },
       [&] { return widget<QPlainTextEdit>(form.Text3)->toPlainText() == "uno\ndue"; }},
      {"label caption", [&] { form.Label1.setCaption("Provincia && comune"); },
       [&] { return widget<QLabel>(form.Label1)->text() == "Provincia & comune"; }},
      {"button caption", [&] { form.Command1.setCaption("&Archivia\r\ndati"); },
       [&] { return button->text() == "&Archivia\ndati"; }},
      {"frame caption", [&] { form.Frame1.setCaption("Rate"); },
       [&] { return widget<QGroupBox>(form.Frame1)->title() == "Rate"; }},
      {"window caption", [&] { form.setCaption("Totali"); },
       [&] { return desk.widgetOf(form)->windowTitle() == "Totali"; }},
      {"check value", [&] { form.Check1.setValue(vbGrayed); },
       [&] { return widget<QCheckBox>(form.Check1)->checkState() == Qt::PartiallyChecked; }},
      {"option value", [&] { form.Option1[0].setValue(true); },
       [&] {
         return widget<QRadioButton>(form.Option1[0])->isChecked() &&
                !widget<QRadioButton>(form.Option1[1])->isChecked();
       }},
      {"combo items", [&] { form.Combo1.AddItem("D/1"); },
       [&] { return combo1->count() == 5 && combo1->itemText(4) == "D/1"; }},
      {"combo text", [&] { form.Combo1.setText("C/"); }, [&] { return combo1->currentText() == "C/"; }},
      {"combo list index", [&] { form.Combo2.setListIndex(2); },
       [&] { return combo2->currentText() == "Unica soluzione"; }},
      {"combo cleared", [&] { form.Combo2.Clear(); },
       [&] { return combo2->count() == 0 && combo2->currentIndex() == -1; }},
      {"list items", [&] { form.List1.RemoveItem(0); }, [&] { return list->model()->rowCount() == 2; }},
      {"list index", [&] { form.List1.setListIndex(1); }, [&] { return list->currentIndex().row() == 1; }},
      {"scroll value", [&] { form.VScroll1.setValue(7); },
       [&] { return widget<QScrollBar>(form.VScroll1)->value() == 7; }},
      {"scroll range", [&] { form.VScroll1.setMax(5); },
       [&] {
         return widget<QScrollBar>(form.VScroll1)->maximum() == 5 && widget<QScrollBar>(form.VScroll1)->value() == 5;
       }},
      {"enabled", [&] { form.Text1.setEnabled(false); }, [&] { return !text1->isEnabled(); }},
      {"visible", [&] { form.Command1.setVisible(false); }, [&] { return button->isHidden(); }},
      {"hidden container", [&] { form.Frame1.setVisible(false); },
       [&] { return !desk.widgetOf(form.Check1)->isVisible(); }},
      {"geometry", [&] { form.Command1.Move(150, 300, 1200, 450); },
       [&] { return button->geometry() == QRect(10, 20, 80, 30); }},
      {"back colour", [&] { form.Text1.setBackColor(RGB(255, 255, 0)); },
       [&] { return text1->palette().color(QPalette::Base) == QColor(255, 255, 0); }},
      {"fore colour", [&] { form.Label1.setForeColor(RGB(0, 0, 128)); },
       [&] { return desk.widgetOf(form.Label1)->palette().color(QPalette::WindowText) == QColor(0, 0, 128); }},
      {"font", [&] { form.Label1.setFontName("Courier New"), form.Label1.setFontBold(true); },
       [&] {
         const QFont f = desk.widgetOf(form.Label1)->font();
         return f.family() == "Liberation Mono" && f.bold();
       }},
      {"tool tip", [&] { form.Command1.setToolTipText("Calcola"); }, [&] { return button->toolTip() == "Calcola"; }},
      {"pointer", [&] { form.Command1.setMousePointer(vbHourglass); },
       [&] { return button->cursor().shape() == Qt::WaitCursor; }},
      {"form hidden", [&] { form.Hide(); }, [&] { return !desk.widgetOf(form)->isVisible(); }},
  };
  for (const Case& c : cases) {
    c.change();
    EXPECT_TRUE(c.shown()) << c.what;
  }
}

TEST_F(SyncTest, TheFocusOfTheModelIsTheFocusOnTheScreen) {
  form.Text1.SetFocus();
  settle();
  EXPECT_EQ(QApplication::focusWidget(), desk.widgetOf(form.Text1));
  form.List1.SetFocus();
  EXPECT_EQ(QApplication::focusWidget(), desk.widgetOf(form.List1));
}

TEST_F(SyncTest, AControlAddedAtRunTimeGetsItsWidget) {
  OptionButton& added = form.Option1.Add(2);
  added.create(form.Frame1, 180, 1320, 2000, 255);
  added.setCaption("Unica");
  auto* w = widget<QRadioButton>(added);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->parentWidget(), desk.widgetOf(form.Frame1));
  EXPECT_EQ(w->text(), "Unica");
  form.Option1.Remove(2);
  EXPECT_EQ(desk.widgetOf(added), nullptr);
}

}  // namespace
}  // namespace desktop::testing
