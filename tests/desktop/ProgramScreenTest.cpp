// The calculation page under the keyboard and the mouse of a user, through
// the real Qt widgets: the open list of a combo, Tab after a corrected value,
// paste, the selection a click leaves, the visible focus.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <QListView>

#include "ProgramFixture.h"
#include "archives/Archivio.h"
#include "archives/Catasto.h"
#include "archives/Immobili.h"
#include "archives/frmCategorie.h"
#include "f24/Verifica.h"
#include "fiscalcode/frmCodComune.h"
#include "platform/Files.h"
#include "widgets/clsCoolbar.h"
#include "widgets/frmToolTip.h"

namespace desktop::testing {
namespace {

using namespace forms;

class ProgramScreenTest : public ProgramFixture {
 protected:
  ProgramScreenTest() { activateFrame(); }
  static void archive() {
    platform::writeLinesAtomic(
        calculation::MainForm::PercorsoArchivio(),
        {"ROSSI MARIO;VIA ROMA 1;MILANO;2026;1.000,00;2.5;5;0;0,00;12;6;6;100;0;0;;;;;;;;;;;;;F205",
         "BIANCHI LUCIA;VIA VERDI 2;TORINO;2026;800,00;1.5;5;0;0,00;12;6;6;100;0;0;;;;;;;;;;;;;L219"});
  }
  void newCalculation() {
    archive();
    click(page().Command2);
  }
  QLineEdit* line(const Control& c) {
    if (auto* combo = qobject_cast<QComboBox*>(widget(c))) return combo->lineEdit();
    return qobject_cast<QLineEdit*>(widget(c));
  }
  // A key to whatever has the focus on the screen.
  static void key(Qt::Key k, Qt::KeyboardModifiers m = {}) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, k, m);
  }
  static void keys(const char* text) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClicks(target, text);
  }
};

TEST_F(ProgramScreenTest, PickingAMunicipalityFromTheOpenListFillsTheCode) {
  ASSERT_TRUE(started);
  newCalculation();
  auto* combo = qobject_cast<QComboBox*>(widget(page().Combo2));
  type(page().Combo2, "");
  key(Qt::Key_Down, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return combo->view()->isVisible(); }, 2000));
  QAbstractItemView* list = combo->view();
  const int milano = combo->findText("MILANO");
  ASSERT_GE(milano, 0);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(milano, 0)).center());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !combo->view()->isVisible(); }, 2000));
  EXPECT_EQ(page().Combo2.Text(), "MILANO");
  EXPECT_EQ(combo->lineEdit()->text(), "MILANO");
  EXPECT_EQ(page().lblCodCat.Caption(), "F205");
  EXPECT_EQ(qobject_cast<QLabel*>(widget(page().lblCodCat))->text(), "F205");

  // The taxpayer with Alt+Down, Down and Enter.
  type(page().Combo1, "");
  key(Qt::Key_Down, Qt::AltModifier);
  auto* names = qobject_cast<QComboBox*>(widget(page().Combo1));
  ASSERT_TRUE(QTest::qWaitFor([&] { return names->view()->isVisible(); }, 2000));
  QTest::keyClick(names->view(), Qt::Key_Down);
  QTest::keyClick(names->view(), Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !names->view()->isVisible(); }, 2000));
  EXPECT_EQ(page().Combo1.Text(), names->itemText(names->view()->currentIndex().row()).toStdString());
  EXPECT_FALSE(page().Combo1.Text().empty());
}

// With its list open, a name typed goes into the box (with the program's
// own completion); Enter takes it and closes the list, and the next Enter
// moves on to the next box.
TEST_F(ProgramScreenTest, ANameTypedIntoTheOpenListThenEnterTwiceMoveOn) {
  ASSERT_TRUE(started);
  newCalculation();
  auto* names = qobject_cast<QComboBox*>(widget(page().Combo1));
  for (const char* typed : {"ROSSI MARIO", "BIAN"}) {
    SCOPED_TRACE(typed);
    type(page().Combo1, "");
    key(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return names->view()->isVisible(); }, 2000));
    QTest::keyClicks(names->view(), typed);
    EXPECT_TRUE(names->view()->isVisible());
    QTest::keyClick(names->view(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !names->view()->isVisible(); }, 2000));
    EXPECT_EQ(application.focused(), &page().Combo1);
    key(Qt::Key_Return);
    EXPECT_EQ(application.focused(), &page().Combo3);
    EXPECT_EQ(QApplication::focusWidget(), widget(page().Combo3));
    keys("VIA X");
    EXPECT_EQ(page().Combo3.Text(), "VIA X");
  }
  EXPECT_EQ(page().Combo1.Text(), "BIANCHI LUCIA");
  EXPECT_EQ(names->lineEdit()->text(), "BIANCHI LUCIA");
}

// "Ricerca Codice Catastale Comune": the one match of a typed name, reached
// with Tab, is taken with Enter, Space or Down as with a click.
TEST_F(ProgramScreenTest, TheMatchOfATypedMunicipalityIsTakenFromTheKeyboard) {
  ASSERT_TRUE(started);
  for (Qt::Key k : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Down}) {
    SCOPED_TRACE(k);
    auto& ricerca = application.form<fiscalcode::frmCodComune>();  // loaded anew each time
    desk.deliver([&] {
      frame().Hide();
      ricerca.Show();
    });
    widget(ricerca)->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(widget(ricerca)));
    auto* list = qobject_cast<QListView*>(widget(ricerca.lstComuni));
    ASSERT_NE(list, nullptr);
    type(ricerca.txtComune, "FIUMICINO");
    key(Qt::Key_Tab);
    ASSERT_EQ(application.focused(), &ricerca.lstComuni);
    ASSERT_EQ(ricerca.lstComuni.ListCount(), 1);
    EXPECT_EQ(ricerca.lblCatasto.Caption(), "");
    key(k);
    EXPECT_EQ(ricerca.lblCatasto.Caption(), "M297");
    EXPECT_EQ(ricerca.lblProv.Caption(), "RM");
    EXPECT_EQ(list->currentIndex().row(), 0);
    click(ricerca.Command3);
    ASSERT_FALSE(application.isLoaded<fiscalcode::frmCodComune>());
  }
}

// "Categorie catastali": the first row shows whole, and Enter inserts the
// row chosen with the arrows into the record, as a double click does.
TEST_F(ProgramScreenTest, EnterInsertsTheHighlightedCategory) {
  ASSERT_TRUE(started);
  frame().EseguiComando(shell::Principale::Catasto);
  auto& immobili = application.form<archives::Immobili>();
  std::string inserita;
  bool chiusa = false;
  QTimer::singleShot(0, [&] {
    auto& scheda = application.form<archives::Catasto>();
    QTimer::singleShot(0, [&] {
      auto& categorie = application.form<archives::frmCategorie>();
      auto* list = qobject_cast<QListView*>(widget(categorie.List1));
      ASSERT_NE(list, nullptr);
      const QImage shot = shotOf(widget(categorie));
      save(shot, "categorie-tastiera");
      // The rows start inside the 2-pixel border the model counts, the
      // first one whole, and the list shows the rows the model scrolls by.
      const QRect first = list->visualRect(list->model()->index(0, 0));
      EXPECT_EQ(first.top(), 0);
      EXPECT_EQ(list->viewport()->geometry().top(), 2);
      EXPECT_EQ(list->viewport()->height(), categorie.List1.clientHeightPx());
      QTest::keyClick(list, Qt::Key_Down);  // A/1
      QTest::keyClick(list, Qt::Key_Down);  // A/2
      QTest::keyClick(list, Qt::Key_Return);
      chiusa = !application.isLoaded<archives::frmCategorie>();
    });
    click(scheda.cmdCat);
    inserita = scheda.Text1[5].Text();
    click(scheda.Command1);
  });
  click(immobili.Command1[0]);
  EXPECT_TRUE(chiusa);
  EXPECT_EQ(inserita, "A/2");
}

TEST_F(ProgramScreenTest, TheKeyboardGoesOnAfterTheMonthsAreCorrected) {
  ASSERT_TRUE(started);
  for (const char* months : {"13", "0"}) {
    SCOPED_TRACE(months);
    click(page().Command2);
    type(page().Text8, months);
    key(Qt::Key_Tab);
    EXPECT_EQ(page().Text8.Text(), "12");
    EXPECT_FALSE(page().Text1.Enabled());
    // The focus went on to the next box that takes it, on the screen too.
    ASSERT_EQ(application.focused(), &page().Text9);
    EXPECT_EQ(QApplication::focusWidget(), widget(page().Text9));
    keys("50");
    EXPECT_EQ(page().Text9.Text(), "50");
    key(Qt::Key_Tab);
    EXPECT_NE(application.focused(), &page().Text9);
  }
  type(page().Text3, "1000");
  type(page().Text4, "2");
  key(Qt::Key_C, Qt::AltModifier);
  EXPECT_FALSE(page().Label8.Caption().empty());
}

TEST_F(ProgramScreenTest, PastingANameLetsTabMoveOn) {
  ASSERT_TRUE(started);
  newCalculation();
  QGuiApplication::clipboard()->setText("ROSSI MARIO");
  click(page().Combo1);
  key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(page().Combo1.Text(), "ROSSI MARIO");
  key(Qt::Key_Tab);
  EXPECT_EQ(application.focused(), &page().Combo3);
  EXPECT_EQ(page().Combo1.Text(), "ROSSI MARIO");
}

// "A field's text is selected when it takes the focus": a click into a box
// selects its text, so what is typed replaces it.
TEST_F(ProgramScreenTest, AClickSelectsTheTextOfTheBoxItFocuses) {
  ASSERT_TRUE(started);
  newCalculation();
  struct Case {
    Control* box;
    const char* typed;
    std::string expected;
  };
  page().Text3.setText("1.200,00");
  for (const Case& c : {Case{&page().Combo2, "ROMA", "ROMA"}, Case{&page().Combo1, "BIANCHI LUCIA", "BIANCHI LUCIA"},
                        Case{&page().Combo3, "VIA PO 1", "VIA PO 1"}, Case{&page().Text3, "500", "500"}}) {
    SCOPED_TRACE(c.typed);
    QLineEdit* l = line(*c.box);
    ASSERT_NE(l, nullptr);
    QTest::mouseClick(l, Qt::LeftButton, {}, QPoint(l->width() / 2, l->height() / 2));
    ASSERT_EQ(application.focused(), c.box);
    keys(c.typed);
    EXPECT_EQ(static_cast<EditControl*>(c.box)->Text().substr(0, c.expected.size()), c.expected);
  }
  click(page().Text4);
  EXPECT_EQ(page().Text3.Text(), "500,00");
  EXPECT_EQ(page().Combo2.Text(), "ROMA");
}

// The control with the focus shows it: buttons, check boxes and option
// buttons draw the focus frame, whether the focus came by Tab or by a click.
TEST_F(ProgramScreenTest, TheFocusIsVisibleOnButtonsAndBoxes) {
  ASSERT_TRUE(started);
  for (Control* c :
       std::initializer_list<Control*>{&page().Command1, &page().Check1, &page().Option1[0], &page().chkUnica}) {
    SCOPED_TRACE(c->TabIndex());
    desk.deliver([&] { input::focus(page().Text2); });
    settle();
    const QImage without = widget(*c)->grab().toImage();
    desk.deliver([&] { input::focus(*c); });
    settle();
    ASSERT_EQ(QApplication::focusWidget(), widget(*c));
    EXPECT_NE(widget(*c)->grab().toImage(), without);
  }
}

// A click on a toolbar button shows its page with the keyboard on the page's
// first control, on the screen too.
TEST_F(ProgramScreenTest, AfterAToolbarClickTheKeysGoToThePage) {
  ASSERT_TRUE(started);
  auto press = [&](int button) {
    const QPoint at(frame().BarraComandi().ButtonLeft(button) + 30, 20);
    QTest::mouseMove(widget(frame().picCoolBar), at);
    QTest::mouseClick(widget(frame().picCoolBar), Qt::LeftButton, {}, at);
    settle();
  };
  press(shell::Principale::Strumenti);
  forms::Form* tools = frame().ActiveForm();
  ASSERT_NE(tools, nullptr);
  ASSERT_NE(tools, &page());
  Control* first = tools->nextTabStop(nullptr, true);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(application.focused(), first);
  EXPECT_EQ(QApplication::focusWidget(), widget(*first));

  press(shell::Principale::Quotara);
  ASSERT_EQ(application.focused(), &page().Combo1);
  EXPECT_EQ(QApplication::focusWidget(), widget(page().Combo1));
  keys("ABC");
  EXPECT_EQ(page().Combo1.Text(), "ABC");
}

// Ctrl and a digit runs the toolbar's command from the focused control of a
// page on the screen too: a text box, the open list of a combo, a list. The
// keys carry the text X gives them (Ctrl+2 a NUL, Ctrl+3 an ESC, Ctrl+1 "1").
TEST_F(ProgramScreenTest, CtrlAndADigitReachesTheFrameFromTheFocusedControl) {
  ASSERT_TRUE(started);
  archive();
  const auto press = [](QWidget* target, Qt::Key k, const QString& text) {
    ASSERT_NE(target, nullptr);
    QTest::sendKeyEvent(QTest::Click, target, k, text, Qt::ControlModifier);
    settle();
  };

  type(page().Text3, "12");
  ASSERT_EQ(QApplication::focusWidget(), widget(page().Text3));
  press(QApplication::focusWidget(), Qt::Key_2, QString(QChar(0)));
  ASSERT_TRUE(application.isLoaded<f24::Verifica>());
  EXPECT_EQ(application.PaginaAttiva, 2);
  EXPECT_FALSE(application.isLoaded<calculation::MainForm>());
  auto& totali = application.form<f24::Verifica>();
  EXPECT_EQ(application.focused(), &totali.Combo1);
  EXPECT_EQ(QApplication::focusWidget(), widget(totali.Combo1));

  auto* names = qobject_cast<QComboBox*>(widget(totali.Combo1));
  ASSERT_NE(names, nullptr);
  names->showPopup();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(names->view()->window()));
  press(names->view(), Qt::Key_3, "\x1b");
  ASSERT_TRUE(application.isLoaded<archives::Archivio>());
  EXPECT_EQ(application.PaginaAttiva, 3);

  auto& archivio = application.form<archives::Archivio>();
  desk.deliver([&] { input::focus(archivio.List1[0]); });
  ASSERT_EQ(QApplication::focusWidget(), widget(archivio.List1[0]));
  press(QApplication::focusWidget(), Qt::Key_1, "1");
  ASSERT_TRUE(application.isLoaded<calculation::MainForm>());
  EXPECT_EQ(application.PaginaAttiva, 1);
  EXPECT_EQ(QApplication::focusWidget(), widget(page().Combo1));
  EXPECT_EQ(page().Combo1.Text(), "");
}

// Resting on a toolbar button shows its tip after the toolbar's 500 ms, in a
// window of the tip's size.
TEST_F(ProgramScreenTest, TheToolbarTipAppearsAfterARest) {
  ASSERT_TRUE(started);
  QWidget* bar = widget(frame().picCoolBar);
  QTest::mouseMove(bar, QPoint(290, 20));
  QTest::mouseMove(bar, QPoint(291, 22));
  ASSERT_TRUE(QTest::qWaitFor([&] { return application.isLoaded<widgets::frmToolTip>(); }, 3000));
  auto& tip = application.form<widgets::frmToolTip>();
  EXPECT_EQ(tip.lblToolTip.Caption(), " Stampa Quotara (Ctrl+5) ");
  QWidget* w = widget(tip);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(QTest::qWaitFor([&] { return w->isVisible(); }, 2000));
  EXPECT_EQ(w->size(), QSize(tip.Width() / TwipsPerPixel, tip.Height() / TwipsPerPixel));
  EXPECT_GT(w->width(), 40);
}

// Every box shows the longest value it takes, in the font it shows it with.
TEST_F(ProgramScreenTest, BoxesShowTheirLongestValues) {
  ASSERT_TRUE(started);
  struct Case {
    TextBox* box;
    const char* longest;
  };
  for (const Case& c : {Case{&page().Text3, "999.999.999.123,00"}, Case{&page().Text4, "999999"},
                        Case{&page().Text5, "999999"}, Case{&page().Text7, "9.999.999,99"}, Case{&page().Text2, "2026"},
                        Case{&page().Text9, "33,33"}, Case{&page().Text8, "12"}}) {
    SCOPED_TRACE(c.longest);
    QLineEdit* l = line(*c.box);
    ASSERT_NE(l, nullptr);
    const QMargins m = l->textMargins();
    // QLineEdit's own room: the frame and a 2-pixel margin each side.
    const int room =
        l->width() - 2 * (l->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2) - m.left() - m.right();
    EXPECT_LE(l->fontMetrics().horizontalAdvance(QString::fromUtf8(c.longest)), room);
  }
}

// The finish of the page: the possession boxes one width, the name boxes
// apart.
TEST_F(ProgramScreenTest, TheBoxesLineUpAndKeepApart) {
  ASSERT_TRUE(started);
  for (TextBox* t : {&page().Text1, &page().Text10, &page().Text9}) {
    EXPECT_EQ(widget(*t)->geometry().left(), widget(page().Text8)->geometry().left());
    EXPECT_EQ(widget(*t)->width(), widget(page().Text8)->width());
  }
  const QRect a = widget(page().Combo1)->geometry(), b = widget(page().Combo3)->geometry(),
              c = widget(page().Combo2)->geometry();
  EXPECT_GE(b.top() - a.bottom() - 1, 4);
  EXPECT_GE(c.top() - b.bottom() - 1, 4);
  // "Pert." stands next to the box it fills.
  page().Check1.setValue(vbChecked);
  const QRect pert = widget(page().cmdPertinenze)->geometry().translated(widget(page().Picture5)->pos());
  const int gap = widget(page().Text3)->geometry().left() - pert.right() - 1;
  EXPECT_GE(gap, 2);
  EXPECT_LE(gap, 8);
}

}  // namespace
}  // namespace desktop::testing
