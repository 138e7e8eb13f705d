// Windows on the Qt desktop: modal loops, message boxes, the close box, the
// frame with its pages, windows without caption, the end of the program.
#include <QAbstractItemView>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "DesktopFixture.h"

namespace desktop::testing {
namespace {

using namespace forms;

// A dialog that hides the window that opened it and shows it again when it
// closes, by its own button or by the close box.
class Dialog : public Form {
 public:
  CommandButton cmdChiudi;
  std::vector<std::string>* log = nullptr;
  bool refuseClose = false;

  Dialog() {
    setCaption("Dialogo");
    setBorderStyle(1);
    setClientSize(3000, 1500);
    cmdChiudi.create(*this, 900, 600, 1200, 400);
    cmdChiudi.setCaption("Chiudi");
    cmdChiudi.Click = [this] {
      if (log) log->push_back("cmdChiudi_Click");
      app().unload(*this);
    };
    QueryUnload = [this](int& Cancel, int UnloadMode) {
      if (log) log->push_back("QueryUnload " + std::to_string(UnloadMode));
      if (refuseClose) Cancel = 1;
    };
    Unload = [this](int&) {
      if (log) log->push_back("Form_Unload");
      app().form<SampleForm>().Show();
    };
  }
};

class WindowsTest : public DesktopTest {
 protected:
  SampleForm& form = application.form<SampleForm>();
  std::vector<std::string>& log = form.log;
  WindowsTest() {
    form.Show();
    settle();
  }
  // Runs `action` as soon as the event loop runs again (inside a modal loop).
  void later(std::function<void()> action) { QTimer::singleShot(0, &desk, std::move(action)); }
};

TEST_F(WindowsTest, AModalFormBlocksTheHandlerThatShowedItUntilItCloses) {
  form.Command1.Click = [this] {
    log.push_back("before Show");
    Dialog& d = application.form<Dialog>();
    d.log = &log;
    d.Show(vbModal);
    log.push_back("after Show");
  };
  bool blocked = false;
  later([&] {
    ASSERT_TRUE(application.isLoaded<Dialog>());
    Dialog& d = application.form<Dialog>();
    EXPECT_TRUE(desk.widgetOf(d)->isVisible());
    EXPECT_EQ(desk.widgetOf(d)->windowModality(), Qt::ApplicationModal);
    // The window behind takes no input now.
    QTest::mouseClick(desk.widgetOf(form.Check1), Qt::LeftButton);
    blocked = form.Check1.Value() == vbChecked;
    log.push_back("dialog open");
    QTest::mouseClick(desk.widgetOf(d.cmdChiudi), Qt::LeftButton);
  });
  QTest::mouseClick(desk.widgetOf(form.Command1), Qt::LeftButton);
  EXPECT_TRUE(blocked);
  EXPECT_EQ(log, (std::vector<std::string>{"before Show", "dialog open", "cmdChiudi_Click", "QueryUnload 1",
                                           "Form_Unload", "after Show"}));
  EXPECT_FALSE(application.isLoaded<Dialog>());
}

TEST_F(WindowsTest, AMessageBoxsAnswerReturnsToTheCaller) {
  struct Case {
    int buttons;
    int icon;
    const char* click;
    int answer;
    QStringList buttonTexts;
    QMessageBox::Icon qicon;
  };
  const std::vector<Case> cases = {
      {vbYesNo, vbQuestion, "No", vbNo, {"Sì", "No"}, QMessageBox::Question},
      {vbYesNo, vbQuestion, "Sì", vbYes, {"Sì", "No"}, QMessageBox::Question},
      {vbOKOnly, vbInformation, "OK", vbOK, {"OK"}, QMessageBox::Information},
      {vbOKOnly, vbExclamation, "OK", vbOK, {"OK"}, QMessageBox::Warning},
  };
  for (const Case& c : cases) {
    QString text, title;
    QStringList texts;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    later([&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      text = box->text();
      title = box->windowTitle();
      icon = box->icon();
      for (QAbstractButton* b : box->buttons()) texts << b->text();
      for (QAbstractButton* b : box->buttons())
        if (b->text() == c.click) b->click();
    });
    EXPECT_EQ(
        MsgBox("Questo immobile è già presente nell'archivio.\r\nVuoi sovrascriverlo?", c.buttons, c.icon, "Quotara"),
        c.answer);
    EXPECT_EQ(text, "Questo immobile è già presente nell'archivio.\nVuoi sovrascriverlo?");
    EXPECT_EQ(title, "Quotara");
    EXPECT_EQ(icon, c.qicon);
    texts.sort();
    QStringList expected = c.buttonTexts;
    expected.sort();
    EXPECT_EQ(texts, expected);
  }
}

TEST_F(WindowsTest, AnInputBoxGivesTheTypedTextOrNothing) {
  later([] {
    auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    // Plain buttons, as in the message boxes: no pictures on OK and Annulla.
    for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
      EXPECT_TRUE(b->icon().isNull()) << b->text().toStdString();
    dialog->setTextValue("2026");
    dialog->accept();
  });
  EXPECT_EQ(InputBox("Anno di imposta", "Quotara", "2025"), "2026");
  later([] { QApplication::activeModalWidget()->close(); });
  EXPECT_EQ(InputBox("Anno di imposta", "Quotara", "2025"), "");
}

TEST_F(WindowsTest, TheCloseBoxRunsTheDialogsUnloadPath) {
  Dialog& d = application.form<Dialog>();
  d.log = &log;
  form.Hide();
  d.Show();
  settle();
  ASSERT_FALSE(desk.widgetOf(form)->isVisible());

  // The window refuses to close: it stays.
  d.refuseClose = true;
  desk.widgetOf(d)->close();
  EXPECT_TRUE(application.isLoaded<Dialog>());
  EXPECT_TRUE(desk.widgetOf(d)->isVisible());

  // It closes like with its own button and shows again what it hid.
  d.refuseClose = false;
  desk.widgetOf(d)->close();
  EXPECT_EQ(log, (std::vector<std::string>{"QueryUnload 0", "QueryUnload 0", "Form_Unload"}));
  EXPECT_FALSE(application.isLoaded<Dialog>());
  EXPECT_TRUE(desk.widgetOf(form)->isVisible());
}

TEST_F(WindowsTest, TheCloseBoxOfAModalDialogEndsItsLoop) {
  form.Command1.Click = [this] {
    application.form<Dialog>().Show(vbModal);
    log.push_back("after Show");
  };
  later([&] { desk.widgetOf(application.form<Dialog>())->close(); });
  QTest::mouseClick(desk.widgetOf(form.Command1), Qt::LeftButton);
  EXPECT_EQ(log, std::vector<std::string>{"after Show"});
  EXPECT_FALSE(application.isLoaded<Dialog>());
}

// The frame window with a toolbar on top, a status bar at the bottom and
// one page at a time between them.
class Frame : public MDIForm {
 public:
  PictureBox picTop, picBottom;
  Frame() {
    setCaption("Quotara - Versione 1.2");
    setClientSize(6000, 4500);
    picTop.create(*this, 0, 0, 0, 600);
    picTop.setAlign(vbAlignTop);
    picBottom.create(*this, 0, 0, 0, 375);
    picBottom.setAlign(vbAlignBottom);
  }
};

class Page : public Form {
 public:
  TextBox Text1;
  Page() {
    setMDIChild<Frame>();
    setBorderStyle(0);
    setClientSize(6000, 3000);
    Text1.create(*this, 150, 150, 1500, 315);
  }
};

class OtherPage : public Form {
 public:
  OtherPage() {
    setMDIChild<Frame>();
    setBorderStyle(0);
    setClientSize(6000, 3000);
  }
};

TEST_F(WindowsTest, TheFrameHostsOnePageBetweenItsAlignedBoxes) {
  Page& page = application.form<Page>();
  page.Show();
  settle();
  Frame& frame = application.form<Frame>();
  QWidget* frameWidget = desk.widgetOf(frame);
  QWidget* pageWidget = desk.widgetOf(page);
  ASSERT_TRUE(frameWidget->isVisible());
  EXPECT_TRUE(pageWidget->isVisible());
  EXPECT_EQ(pageWidget->window(), frameWidget);
  const QRect area(pageWidget->parentWidget()->geometry());
  EXPECT_EQ(area, QRect(0, 40, 400, 300 - 40 - 25));
  EXPECT_EQ(desk.widgetOf(frame.picTop)->geometry(), QRect(0, 0, 400, 40));
  EXPECT_EQ(desk.widgetOf(frame.picBottom)->geometry(), QRect(0, 275, 400, 25));

  // Another page takes its place.
  application.form<OtherPage>().Show();
  EXPECT_FALSE(pageWidget->isVisible());
  EXPECT_TRUE(desk.widgetOf(application.form<OtherPage>())->isVisible());

  // Hiding the frame hides its page.
  frame.Hide();
  EXPECT_FALSE(desk.widgetOf(application.form<OtherPage>())->isVisible());
}

// A tool tip: no caption, one label, nothing that takes the focus.
class Tip : public Form {
 public:
  Label lblToolTip;
  Tip() {
    setBorderStyle(0);
    setClientSize(3000, 1500);
    lblToolTip.create(*this, 15, 15, 2000, 255);
    lblToolTip.setCaption("Calcola valore TASI");
  }
};

TEST_F(WindowsTest, WindowsWithoutCaptionAndOnTop) {
  Tip& tip = application.form<Tip>();
  form.Text1.SetFocus();
  settle();
  QWidget* before = QApplication::focusWidget();
  tip.Show();
  settle();
  QWidget* w = desk.widgetOf(tip);
  EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(w->testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_EQ(w->size(), QSize(200, 100));  // no frame: the client is the whole window
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), before);

  tip.setTopmost(true);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(w->isVisible());
  tip.setTopmost(false);
  EXPECT_FALSE(w->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(WindowsTest, TheLoopEndsWhenNoWindowIsLoadedOrAtEnd) {
  later([&] { application.unload(form); });
  EXPECT_EQ(desk.exec(), 0);
  EXPECT_FALSE(application.isLoaded<SampleForm>());

  application.form<SampleForm>().Show();
  later([&] { application.End(); });
  EXPECT_EQ(desk.exec(), 0);
  EXPECT_EQ(desk.exec(), 0);  // ended: no loop any more
}

TEST_F(WindowsTest, AHandlerMayUnloadItsWindowInTheMiddleOfAnInput) {
  form.List1.Click = [this] { application.unload(form); };
  auto* list = qobject_cast<QAbstractItemView*>(desk.widgetOf(form.List1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
  EXPECT_FALSE(application.isLoaded<SampleForm>());
  settle();

  SampleForm& again = application.form<SampleForm>();
  again.Combo2.Click = [this] { application.unload<SampleForm>(); };
  again.Show();
  auto* combo = qobject_cast<QComboBox*>(desk.widgetOf(again.Combo2));
  combo->showPopup();  // a row picked in the open list
  combo->hidePopup();
  emit combo->activated(0);
  EXPECT_FALSE(application.isLoaded<SampleForm>());
}

class Broken : public Form {
 public:
  TextBox Text1;
  Broken() {
    Text1.create(*this, 0, 0, 1500, 315);
    Load = [] { throw std::runtime_error("archivio illeggibile"); };
  }
};

TEST_F(WindowsTest, AWindowWhoseLoadFailsLeavesNoWidgetBehind) {
  Broken* broken = nullptr;
  EXPECT_THROW(broken = &application.form<Broken>(), std::runtime_error);
  EXPECT_FALSE(application.isLoaded<Broken>());
  (void)broken;
  // The desktop forgot it: the loop still ends when the last window goes.
  later([&] { application.unload(form); });
  QTimer::singleShot(3000, &desk, [] { QCoreApplication::exit(1); });  // still waiting for it: fail
  EXPECT_EQ(desk.exec(), 0);
}

}  // namespace
}  // namespace desktop::testing
