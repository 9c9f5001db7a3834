// The layout editor and the picture dialog offscreen: typing by key position in three
// languages, the cursor and its edges, dotted edges, pictures added, replaced, resized and
// deleted, OK and Cancel.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include "authoring/definitions/crossword_document.h"
#include "authoring/gui/layout_editor/layout_canvas.h"
#include "authoring/gui/layout_editor/layout_editor_dialog.h"
#include "authoring/gui/layout_editor/picture_dialog.h"
#include "common/crossword_reader.h"
#include "common/jpeg.h"
#include "editing_test_support.h"
#include "tests/support/prompt_answers.h"

using namespace gw::gui;
using namespace gw::gui::testing;

namespace {

// An open crossword of blank cells, or of the given rows.
void openBoard(gw::CrosswordDocument& doc, int rows, int columns, int language = 0,
               const std::string& board = {}) {
  gw::CrosswordFile file;
  file.rows = static_cast<std::uint8_t>(rows);
  file.columns = static_cast<std::uint8_t>(columns);
  file.language = static_cast<gw::Language>(language);
  file.board = board.empty() ? std::string(static_cast<std::size_t>(rows * columns), ' ') : board;
  doc = gw::CrosswordDocument::fromFile(file);
}

// The picture dialog's answer: a picture file (if any), a size, then OK or Cancel.
DialogScript::Step answerPicture(std::function<void(QDialog*)> before, bool ok = true) {
  return [=](QDialog* d) {
    before(d);
    if (ok) {
      QVERIFY(d->findChild<QPushButton*>("okButton")->isEnabled());
      d->findChild<QPushButton*>("okButton")->click();
    } else {
      d->findChild<QPushButton*>("cancelButton")->click();
    }
  };
}

void setSize(QDialog* d, int width, int height) {
  d->findChild<QSpinBox*>("columnsSpinBox")->setValue(width);
  d->findChild<QSpinBox*>("rowsSpinBox")->setValue(height);
}

std::uint32_t topLeftColour(const std::string& jpeg) { return gw::decodeJpeg(jpeg).argb(0, 0); }
bool isReddish(std::uint32_t argb) { return ((argb >> 16) & 0xFF) > 200 && (argb & 0xFF) < 80; }
bool isBluish(std::uint32_t argb) { return (argb & 0xFF) > 200 && ((argb >> 16) & 0xFF) < 80; }

}  // namespace

class LayoutEditorTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  gw::CrosswordDocument doc_;
  std::unique_ptr<gw::test::PromptAnswers> answers_;
  std::unique_ptr<LayoutEditorDialog> editor_;
  QString redPicture_, bluePicture_;

  LayoutEditorDialog& open() {
    editor_ = std::make_unique<LayoutEditorDialog>(doc_);
    editor_->show();
    return *editor_;
  }
  QWidget* board() { return editor_->findChild<QWidget*>("layoutCanvas"); }
  QAction* action(const char* name) { return editor_->action(name); }
  // Adds a picture at the cursor through the picture dialog.
  void addPicture(const QString& file, int width, int height) {
    DialogScript dialogs(editor_.get());
    answers_->nextFile(file);
    dialogs.then(answerPicture([=](QDialog* d) {
      d->findChild<QPushButton*>("addPictureButton")->click();
      setSize(d, width, height);
    }));
    action("addPictureAction")->trigger();
    QVERIFY(dialogs.finished());
  }

 private Q_SLOTS:
  void initTestCase() {
    redPicture_ = dir_.filePath("red.jpg");
    bluePicture_ = dir_.filePath("blue.jpeg");
    writeBytes(redPicture_, samplePicture(40, 20, true));
    writeBytes(bluePicture_, samplePicture(40, 20, false));
  }
  void init() {
    doc_ = gw::CrosswordDocument();
    answers_ = std::make_unique<gw::test::PromptAnswers>();
  }
  void cleanup() {
    editor_.reset();
    answers_.reset();
  }

  void keysTypeTheLetterOfTheirPositionInTheCrosswordsLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QByteArray>("row");
    QTest::newRow("English") << 0 << "ab[c" << QByteArray("ABC   ");
    QTest::newRow("German: y and z swap, [ is Ü") << 1 << "yz[a" << QByteArray("ZYA   ");
    QTest::newRow("Serbian: q Љ, [ Ш, / -, a А") << 2 << "q[/a" << QByteArray("\x8A\xD8-\xC0  ");
  }
  void keysTypeTheLetterOfTheirPositionInTheCrosswordsLanguage() {
    QFETCH(int, language);
    QFETCH(QString, keys);
    QFETCH(QByteArray, row);
    openBoard(doc_, 2, 6, language);
    open();
    QTest::keyClicks(board(), keys);
    QCOMPARE(QByteArray::fromStdString(doc_.board().substr(0, 6)), row);
    QCOMPARE(editor_->cursorCell(), (BoardCell{0, int(row.indexOf(' '))}));
  }

  void theCursorKeepsToTheBoardAndTypesDownOnRequest() {
    openBoard(doc_, 3, 3, 0, "AB      C");
    open();
    QCOMPARE(editor_->cursorCell(), (BoardCell{0, 0}));  // the first letter, column by column
    QVERIFY(!action("leftAction")->isEnabled());
    QVERIFY(!action("upAction")->isEnabled());
    QVERIFY(!action("rightDirectionAction")->isEnabled());
    QTest::keyClick(board(), Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(editor_->typingDirection(), LayoutEditorDialog::TypingDirection::Down);
    QTest::keyClicks(board(), "xyz");  // the last row is typed over
    QCOMPARE(doc_.board(), std::string("XB Y  Z C"));
    QCOMPARE(editor_->cursorCell(), (BoardCell{2, 0}));
    QTest::keyClick(board(), Qt::Key_Right);
    QTest::keyClick(board(), Qt::Key_Up);
    QCOMPARE(editor_->cursorCell(), (BoardCell{1, 1}));
    QTest::keyClicks(board(), "1\b");  // digits and Backspace are no letters
    QTest::keyClick(board(), Qt::Key_Up);
    QTest::keyClick(board(), ' ');  // a blank makes a blank cell
    QCOMPARE(doc_.board(), std::string("X  Y  Z C"));
    // A wheel notch is an arrow press.
    QWheelEvent back(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(board(), &back);
    QCOMPARE(editor_->cursorCell(), (BoardCell{2, 1}));
  }

  void dottedEdgesToggleOffTheOuterEdgesAndAreSavedColumnFirst() {
    openBoard(doc_, 2, 3, 0, "AB CDE");
    open();
    QVERIFY(!action("horizontalAction")->isEnabled());  // column 0
    QVERIFY(!action("verticalAction")->isEnabled());    // row 0
    editor_->pressCell({1, 2});
    action("horizontalAction")->trigger();
    action("verticalAction")->trigger();
    QVERIFY(action("horizontalAction")->isChecked());
    editor_->pressCell({1, 1});
    action("verticalAction")->trigger();
    QVERIFY(!action("horizontalAction")->isChecked());
    QVERIFY(action("verticalAction")->isChecked());
    editor_->pressCell({1, 2});
    action("verticalAction")->trigger();  // off again
    QVERIFY(!action("verticalAction")->isChecked());

    doc_.saveAs(dir_.filePath("marks.C_W").toStdString());
    // T = 1, L = 1, then the top mark (column 1, row 1), then the left mark (column 2, row 1).
    QCOMPARE(QByteArray::fromStdString(readBytes(dir_.filePath("marks.C_W")).substr(13, 12)),
             QByteArray("\x01\x00\x00\x00\x01\x00\x00\x00\x01\x01\x02\x01", 12));
  }

  void thePictureDialogOffersTheRoomLeftOnTheBoard() {
    openBoard(doc_, 12, 10);
    open();
    editor_->pressCell({5, 8});
    DialogScript dialogs(editor_.get());
    dialogs.then(answerPicture(
        [](QDialog* d) {
          QCOMPARE(d->findChild<QSpinBox*>("columnsSpinBox")->maximum(), 2);
          QCOMPARE(d->findChild<QSpinBox*>("rowsSpinBox")->maximum(), 7);
          setSize(d, 2, 1);
          QCOMPARE(d->findChild<QLabel*>("sizeLabel")->text(), QString("39 x 19"));
          QVERIFY(!d->findChild<QPushButton*>("okButton")->isEnabled());  // no picture yet
        },
        false));
    action("addPictureAction")->trigger();
    QVERIFY(dialogs.finished());
    QVERIFY(doc_.pictures().empty());
  }

  void onlyJpegPicturesAreTaken() {
    openBoard(doc_, 3, 3);
    open();
    const QString png = dir_.filePath("picture.png");
    writeBytes(png, "\x89PNG\r\n\x1a\n not a jpeg");
    answers_->nextFile(png);
    DialogScript dialogs(editor_.get());
    dialogs.then(answerPicture(
        [](QDialog* d) {
          d->findChild<QPushButton*>("addPictureButton")->click();
          QVERIFY(!d->findChild<QPushButton*>("okButton")->isEnabled());
        },
        false));
    action("addPictureAction")->trigger();
    QCOMPARE(answers_->shown().size(), 1);
    QVERIFY(answers_->shown().first().contains("picture.png"));
    QVERIFY(doc_.pictures().empty());
    QVERIFY(!doc_.isModified());
  }

  // Pictures added, replaced, cancelled, resized, deleted; the saved file holds the pictures
  // confirmed, and no working file appears anywhere.
  void picturesChangeOnlyWhenConfirmed() {
    openBoard(doc_, 4, 4, 0, "ABCDEFGHIJKLMNOP");
    open();
    addPicture(redPicture_, 2, 1);
    QCOMPARE(doc_.pictures().size(), std::size_t(1));
    QCOMPARE((std::array{int(doc_.pictures()[0].placement.column), int(doc_.pictures()[0].placement.row),
                         int(doc_.pictures()[0].placement.width), int(doc_.pictures()[0].placement.height)}),
             (std::array{0, 0, 2, 1}));
    QVERIFY(doc_.isModified());
    QCOMPARE(editor_->cursorCell(), (BoardCell{1, 0}));  // the first letter not under the picture
    QSignalSpy blocked(editor_.get(), &LayoutEditorDialog::cursorBlocked);
    QTest::keyClick(board(), Qt::Key_Up);
    QCOMPARE(blocked.count(), 1);
    QCOMPARE(editor_->cursorCell(), (BoardCell{1, 0}));

    // Replacing with the blue picture, then Cancel: nothing changes.
    const std::string confirmed = doc_.pictures()[0].placement.jpeg;
    QVERIFY(isReddish(topLeftColour(confirmed)));
    DialogScript dialogs(editor_.get());
    answers_->nextFile(bluePicture_);
    dialogs.then(
        answerPicture([](QDialog* d) { d->findChild<QPushButton*>("addPictureButton")->click(); }, false));
    editor_->pressCell({0, 1});
    QCOMPARE(doc_.pictures()[0].placement.jpeg, confirmed);

    // Replaced and made one cell taller: confirmed.
    answers_->nextFile(bluePicture_);
    dialogs.then(answerPicture([](QDialog* d) {
      QCOMPARE(d->findChild<QSpinBox*>("columnsSpinBox")->value(), 2);
      d->findChild<QPushButton*>("addPictureButton")->click();
      setSize(d, 2, 2);
    }));
    editor_->pressCell({0, 0});
    QCOMPARE(int(doc_.pictures()[0].placement.height), 2);
    QVERIFY(isBluish(topLeftColour(doc_.pictures()[0].placement.jpeg)));
    QCOMPARE(editor_->cursorCell(), (BoardCell{2, 0}));

    // OK blanks the letters under the picture; the saved picture is the blue one.
    action("acceptAction")->trigger();
    QCOMPARE(editor_->result(), int(QDialog::Accepted));
    QCOMPARE(doc_.board(), std::string("  CD  GHIJKLMNOP"));
    QTemporaryDir saveDir;
    doc_.saveAs(saveDir.filePath("pictures.C_W").toStdString());
    const gw::CrosswordFile saved =
        gw::parseCrossword(readBytes(saveDir.filePath("pictures.C_W")), gw::CrosswordReadMode::Authoring);
    QCOMPARE(saved.pictures.size(), std::size_t(1));
    QVERIFY(isBluish(topLeftColour(saved.pictures[0].jpeg)));
    QCOMPARE(QDir(saveDir.path()).entryList(QDir::Files), QStringList({"pictures.C_W"}));
    QCOMPARE(QDir(dir_.path()).entryList({"*.JPEG*"}, QDir::Files | QDir::CaseSensitive), QStringList());
    QCOMPARE(QDir::current().entryList({"*.JPEG*"}, QDir::Files | QDir::CaseSensitive), QStringList());
  }

  void deletingAPictureMovesTheLastIntoItsPlace() {
    openBoard(doc_, 3, 3);
    open();
    addPicture(redPicture_, 1, 1);
    editor_->pressCell({0, 1});
    addPicture(bluePicture_, 1, 1);
    editor_->pressCell({0, 2});
    addPicture(bluePicture_, 1, 1);
    QCOMPARE(doc_.pictures().size(), std::size_t(3));
    DialogScript dialogs(editor_.get());
    dialogs.then([](QDialog* d) { d->findChild<QPushButton*>("deletePictureButton")->click(); });
    editor_->pressCell({0, 0});
    QCOMPARE(doc_.pictures().size(), std::size_t(2));
    QCOMPARE(int(doc_.pictures()[0].placement.column), 2);  // the former third picture, with its image
    QCOMPARE(int(doc_.pictures()[1].placement.column), 1);
    QVERIFY(isBluish(doc_.pictures()[0].image->argb(0, 0)));
    dialogs.then([](QDialog* d) { d->findChild<QPushButton*>("deletePictureButton")->click(); });
    editor_->pressCell({0, 1});
    dialogs.then([](QDialog* d) { d->findChild<QPushButton*>("deletePictureButton")->click(); });
    editor_->pressCell({0, 2});
    QVERIFY(doc_.pictures().empty());
    QVERIFY(dialogs.finished());
  }

  // The canvas paints what the editor holds: letters in the crossword's alphabet, blank
  // cells, marks dotted, pictures with their images, the cursor lime on a letter and red on a
  // blank cell.
  void theCanvasShowsTheBoardAsTheAuthorShapedIt() {
    openBoard(doc_, 3, 4, 2, std::string("\xC0\xD8  ") + "    " + "    ");  // А Ш
    open();
    auto* canvas = editor_->findChild<LayoutCanvas*>("layoutCanvas");
    editor_->pressCell({1, 1});
    action("horizontalAction")->trigger();
    editor_->pressCell({2, 0});
    addPicture(redPicture_, 2, 1);
    editor_->pressCell({0, 1});
    QTest::keyClick(board(), 'q');  // Љ, and the cursor moves on to a blank cell

    BoardScene scene = canvas->scene();
    QCOMPARE(scene.cell(0, 0).text, QString::fromUtf8("А"));
    QCOMPARE(scene.cell(0, 1).text, QString::fromUtf8("Љ"));
    QVERIFY(!scene.cell(0, 1).blank);
    QVERIFY(scene.cell(0, 2).blank);
    QVERIFY(scene.leftDotted[scene.index(1, 1)]);
    QVERIFY(!scene.topDotted[scene.index(1, 1)]);
    QCOMPARE(scene.pictures.size(), std::size_t(1));
    QCOMPARE((std::array{scene.pictures[0].row, scene.pictures[0].column, scene.pictures[0].height,
                         scene.pictures[0].width}),
             (std::array{2, 0, 1, 2}));
    QVERIFY(isReddish(scene.pictures[0].image.pixel(0, 0)));
    QVERIFY(scene.cursor);
    QCOMPARE(scene.cursor->cell, (BoardCell{0, 2}));

    // On screen: the cursor box on the blank cell is red, the picture (red, then blue) is
    // stretched over its cells.
    const QImage shown = canvas->grab().toImage();
    const QRect cursor = cellRect(0, 2).adjusted(2, 2, -2, -2);
    QCOMPARE(shown.pixelColor(cursor.center()), QColor(255, 0, 0));
    QVERIFY(isReddish(shown.pixel(cellRect(2, 0).center())));
    QVERIFY(isBluish(shown.pixel(cellRect(2, 1).center())));
    QTest::keyClick(board(), Qt::Key_Left);
    QCOMPARE(canvas->grab().toImage().pixelColor(cellRect(0, 1).topLeft() + QPoint(2, 2)), QColor(0, 255, 0));
  }

  void cancelKeepsTheTypedLettersAndBlanksNothing() {
    openBoard(doc_, 2, 2, 0, "ABCD");
    open();
    editor_->pressCell({1, 0});
    addPicture(redPicture_, 1, 1);
    QTest::keyClicks(board(), "x");
    action("cancelAction")->trigger();
    QCOMPARE(editor_->result(), int(QDialog::Rejected));
    QCOMPARE(doc_.board(), std::string("XBCD"));  // the letter under the picture stays too
  }
};

QTEST_MAIN(LayoutEditorTest)
#include "layout_editor_test.moc"
