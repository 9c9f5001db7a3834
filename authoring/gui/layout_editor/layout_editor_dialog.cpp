#include "authoring/gui/layout_editor/layout_editor_dialog.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "authoring/definitions/crossword_document.h"
#include "authoring/gui/common/authoring_look.h"
#include "authoring/gui/layout_editor/layout_canvas.h"
#include "authoring/gui/layout_editor/picture_dialog.h"
#include "common/errors.h"
#include "common/key_mapping.h"
#include "gui_common/make_action.h"
#include "gui_common/prompts.h"
#include "gui_common/qt_bridge.h"

namespace gw::gui {

namespace {

char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The toolbar's glyphs: two cells with the edge between them dotted, and a small picture.
QIcon markIcon(bool leftEdge) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(QPen(QColor(0, 0, 128), 1));
  p.drawRect(0, 0, 15, 15);
  QPen dots(QColor(0, 0, 128), 1, Qt::CustomDashLine);
  dots.setDashPattern({1, 1});
  p.setPen(dots);
  if (leftEdge) {
    p.drawLine(8, 0, 8, 15);
  } else {
    p.drawLine(0, 8, 15, 8);
  }
  return QIcon(pixmap);
}

QIcon pictureIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(QColor(0, 0, 128));
  p.setBrush(QColor(135, 206, 235));
  p.drawRect(0, 2, 15, 12);
  p.setBrush(QColor(34, 139, 34));
  p.drawPolygon(QPolygon({QPoint(1, 13), QPoint(6, 6), QPoint(10, 10), QPoint(12, 8), QPoint(15, 13)}));
  p.setBrush(QColor(255, 215, 0));
  p.drawEllipse(QPoint(11, 5), 2, 2);
  return QIcon(pixmap);
}

}  // namespace

LayoutEditorDialog::LayoutEditorDialog(CrosswordDocument& crossword, QWidget* parent)
    : QDialog(parent, Qt::Tool), crossword_(crossword) {
  setObjectName("layoutEditorDialog");
  setWindowTitle(QStringLiteral("Definition"));
  applyAuthoringLook(this);
  setMinimumWidth(150);

  leftAction_ = makeAction("leftAction", QStringLiteral("Left"), QKeySequence(Qt::Key_Left));
  rightAction_ = makeAction("rightAction", QStringLiteral("Right"), QKeySequence(Qt::Key_Right));
  upAction_ = makeAction("upAction", QStringLiteral("Up"), QKeySequence(Qt::Key_Up));
  downAction_ = makeAction("downAction", QStringLiteral("Down"), QKeySequence(Qt::Key_Down));
  downDirectionAction_ = makeAction("downDirectionAction", QStringLiteral("Words toward down"),
                                    QKeySequence(Qt::CTRL | Qt::Key_Down));
  rightDirectionAction_ = makeAction("rightDirectionAction", QStringLiteral("Words toward right"),
                                     QKeySequence(Qt::CTRL | Qt::Key_Right));
  // The pop-up menu names the two directions more briefly.
  downDirectionMenuAction_ = makeAction("downDirectionMenuAction", QStringLiteral("Down direction"));
  rightDirectionMenuAction_ = makeAction("rightDirectionMenuAction", QStringLiteral("Right direction"));
  horizontalAction_ = makeAction("horizontalAction", QStringLiteral("Horizontal |"));
  verticalAction_ = makeAction("verticalAction", QStringLiteral("Vertical _"));
  addPictureAction_ = makeAction("addPictureAction", QStringLiteral("Add picture"));
  addPictureAction_->setToolTip(QStringLiteral("Adds image (picture) to the crossword"));
  cancelAction_ = makeAction("cancelAction", QStringLiteral("Cancel"));
  cancelAction_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  acceptAction_ = makeAction("acceptAction", QStringLiteral("OK"));
  acceptAction_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  horizontalAction_->setIcon(markIcon(true));
  verticalAction_->setIcon(markIcon(false));
  addPictureAction_->setIcon(pictureIcon());
  horizontalAction_->setCheckable(true);
  verticalAction_->setCheckable(true);

  connect(leftAction_, &QAction::triggered, this, [this] { move(0, -1); });
  connect(rightAction_, &QAction::triggered, this, [this] { move(0, 1); });
  connect(upAction_, &QAction::triggered, this, [this] { move(-1, 0); });
  connect(downAction_, &QAction::triggered, this, [this] { move(1, 0); });
  auto typeDown = [this] {
    direction_ = TypingDirection::Down;
    refresh();
  };
  auto typeRight = [this] {
    direction_ = TypingDirection::Right;
    refresh();
  };
  connect(downDirectionAction_, &QAction::triggered, this, typeDown);
  connect(downDirectionMenuAction_, &QAction::triggered, this, typeDown);
  connect(rightDirectionAction_, &QAction::triggered, this, typeRight);
  connect(rightDirectionMenuAction_, &QAction::triggered, this, typeRight);
  connect(horizontalAction_, &QAction::triggered, this, [this] {
    const BoardCell at = cursorCell();
    crossword_.toggleLeftMark({at.row, at.column});
    refresh();
  });
  connect(verticalAction_, &QAction::triggered, this, [this] {
    const BoardCell at = cursorCell();
    crossword_.toggleTopMark({at.row, at.column});
    refresh();
  });
  connect(addPictureAction_, &QAction::triggered, this, &LayoutEditorDialog::addPicture);
  connect(cancelAction_, &QAction::triggered, this, &QDialog::reject);
  connect(acceptAction_, &QAction::triggered, this, &LayoutEditorDialog::acceptLayout);

  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName("layoutToolBar");
  toolBar_->setFocusPolicy(Qt::NoFocus);
  toolBar_->addAction(horizontalAction_);
  toolBar_->addAction(verticalAction_);
  toolBar_->addSeparator();
  toolBar_->addAction(addPictureAction_);
  toolBar_->addSeparator();
  toolBar_->addAction(cancelAction_);
  toolBar_->addAction(acceptAction_);
  toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  toolBar_->setIconSize(QSize(16, 16));
  for (QWidget* w : toolBar_->findChildren<QWidget*>()) w->setFocusPolicy(Qt::NoFocus);

  contextMenu_ = new QMenu(this);
  contextMenu_->setObjectName("layoutContextMenu");
  contextMenu_->addAction(horizontalAction_);
  contextMenu_->addAction(verticalAction_);
  contextMenu_->addSeparator();
  contextMenu_->addAction(downDirectionMenuAction_);
  contextMenu_->addAction(rightDirectionMenuAction_);
  contextMenu_->addSeparator();
  contextMenu_->addAction(addPictureAction_);

  canvas_ = new LayoutCanvas(crossword_, this);
  canvas_->installEventFilter(this);
  connect(canvas_, &LayoutCanvas::cellPressed, this,
          [this](BoardCell cell, Qt::MouseButton button, QPoint global) {
            pressCell(cell);
            if (button == Qt::RightButton && !crossword_.pictureAt({cell.row, cell.column}))
              contextMenu_->popup(global);
          });
  connect(canvas_, &LayoutCanvas::wheelTurned, this, [this](int notches) {
    QAction* arrow = notches > 0 ? upAction_ : downAction_;
    if (arrow->isEnabled()) arrow->trigger();
  });

  // A board taller or wider than the screen scrolls; the cursor keeps itself in view.
  scrollArea_ = new QScrollArea(this);
  scrollArea_->setObjectName("layoutScrollArea");
  scrollArea_->setFrameShape(QFrame::NoFrame);
  scrollArea_->setFocusPolicy(Qt::NoFocus);
  scrollArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scrollArea_->setWidget(canvas_);
  scrollArea_->setAutoFillBackground(false);
  scrollArea_->viewport()->setAutoFillBackground(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar_);
  layout->addWidget(scrollArea_, 1);

  placeCursorOnFirstFreeLetter();
  // Wide enough for the board and for every toolbar button, and no larger than the screen.
  QSize size(std::max({crossword_.columns() * kBoardCellPixels + 16, 150, toolBar_->sizeHint().width()}),
             crossword_.rows() * kBoardCellPixels + toolBar_->sizeHint().height() + 40);
  if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
    const QSize room = screen->availableGeometry().size() * 9 / 10;
    // A board that scrolls one way needs room for that scroll bar the other way.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (size.height() > room.height()) size.rwidth() += bar;
    if (size.width() > room.width()) size.rheight() += bar;
    size = size.boundedTo(room);
  }
  resize(size);
  canvas_->setFocus();
  refresh();
}

QAction* LayoutEditorDialog::makeAction(const char* name, const QString& caption,
                                        const QKeySequence& shortcut) {
  return gw::gui::makeAction(this, {name, caption, QString(), shortcut, Qt::WindowShortcut});
}

QAction* LayoutEditorDialog::action(const QString& objectName) const {
  return findChild<QAction*>(objectName);
}

BoardCell LayoutEditorDialog::cursorCell() const { return canvas_->cursorCell(); }

void LayoutEditorDialog::refresh() {
  const BoardCell at = cursorCell();
  const QRect cell = cellRect(at.row, at.column);
  scrollArea_->ensureVisible(cell.center().x(), cell.center().y(), kBoardCellPixels, kBoardCellPixels);
  const bool board = crossword_.hasBoard();
  leftAction_->setEnabled(board && at.column > 0);
  rightAction_->setEnabled(board && at.column < crossword_.columns() - 1);
  upAction_->setEnabled(board && at.row > 0);
  downAction_->setEnabled(board && at.row < crossword_.rows() - 1);
  const bool right = direction_ == TypingDirection::Right;
  downDirectionAction_->setEnabled(right);
  downDirectionMenuAction_->setEnabled(right);
  rightDirectionAction_->setEnabled(!right);
  rightDirectionMenuAction_->setEnabled(!right);
  horizontalAction_->setEnabled(board && at.column > 0);
  horizontalAction_->setChecked(board && crossword_.hasLeftMark({at.row, at.column}));
  verticalAction_->setEnabled(board && at.row > 0);
  verticalAction_->setChecked(board && crossword_.hasTopMark({at.row, at.column}));
  canvas_->update();
  Q_EMIT layoutChanged();
}

void LayoutEditorDialog::move(int dRow, int dColumn) {
  const BoardCell at = cursorCell();
  const BoardCell to{at.row + dRow, at.column + dColumn};
  if (to.row < 0 || to.column < 0 || to.row >= crossword_.rows() || to.column >= crossword_.columns()) return;
  if (crossword_.pictureAt({to.row, to.column})) {
    QApplication::beep();
    Q_EMIT cursorBlocked();
    return;
  }
  canvas_->setCursorCell(to);
  refresh();
}

void LayoutEditorDialog::placeCursorOnFirstFreeLetter() {
  for (int c = 0; c < crossword_.columns(); ++c) {
    for (int r = 0; r < crossword_.rows(); ++r) {
      if (!crossword_.isBlank({r, c}) && !crossword_.pictureAt({r, c})) {
        canvas_->setCursorCell({r, c});
        return;
      }
    }
  }
}

void LayoutEditorDialog::typeCharacter(char usCharacter) {
  if (!crossword_.hasBoard()) return;
  const char mapped = mapLayoutEditorKey(asciiUpper(usCharacter), crossword_.language());
  if (!isAcceptedLetter(mapped, crossword_.language())) return;
  const BoardCell at = cursorCell();
  crossword_.setCell({at.row, at.column}, asciiUpper(mapped));
  BoardCell next = at;
  if (direction_ == TypingDirection::Right) {
    if (at.column < crossword_.columns() - 1) ++next.column;
  } else if (at.row < crossword_.rows() - 1) {
    ++next.row;
  }
  if (!crossword_.pictureAt({next.row, next.column})) canvas_->setCursorCell(next);
  refresh();
}

void LayoutEditorDialog::pressCell(BoardCell cell) {
  if (const auto picture = crossword_.pictureAt({cell.row, cell.column})) {
    editPicture(*picture);
    return;
  }
  canvas_->setCursorCell(cell);
  refresh();
}

void LayoutEditorDialog::addPicture() {
  if (!crossword_.hasBoard()) return;
  const BoardCell at = cursorCell();
  PictureDialog dialog(crossword_.columns() - at.column, crossword_.rows() - at.row, this);
  Q_EMIT dialogOpened(&dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.deleteRequested()) return;
  const int w = dialog.widthInCells(), h = dialog.heightInCells();
  if (w * h <= 0 || dialog.jpeg().empty()) return;
  try {
    crossword_.addPicture({at.row, at.column}, h, w, dialog.jpeg());
  } catch (const std::exception& e) {
    showMessage(QString::fromStdString(e.what()));
    return;
  }
  placeCursorOnFirstFreeLetter();
  refresh();
}

void LayoutEditorDialog::showMessage(const QString& text) {
  Prompts::inform(this, QCoreApplication::applicationName(), text);
}

void LayoutEditorDialog::editPicture(std::size_t index) {
  const Picture p = crossword_.pictures().at(index).placement;
  PictureDialog dialog(crossword_.columns() - p.column, crossword_.rows() - p.row, this);
  try {
    dialog.setPicture(p.jpeg, p.width, p.height);
  } catch (const std::exception& e) {
    // A picture that cannot be shown can still be replaced or deleted.
    showMessage(QString::fromStdString(e.what()));
  }
  Q_EMIT dialogOpened(&dialog);
  if (dialog.exec() != QDialog::Accepted) return;
  try {
    if (dialog.deleteRequested() || dialog.widthInCells() * dialog.heightInCells() < 1) {
      crossword_.removePicture(index);
    } else {
      crossword_.replacePicture(index, dialog.heightInCells(), dialog.widthInCells(), dialog.jpeg());
    }
  } catch (const std::exception& e) {
    showMessage(QString::fromStdString(e.what()));
    return;
  }
  placeCursorOnFirstFreeLetter();
  refresh();
}

void LayoutEditorDialog::acceptLayout() {
  crossword_.blankCellsUnderPictures();
  accept();
}

void LayoutEditorDialog::keyPressEvent(QKeyEvent* event) {
  // A key that reaches the dialog past the shortcut map (a wheel notch that the main
  // window's wheel rule turned into an arrow key, for one) still runs its command.
  const QKeySequence pressed(event->keyCombination());
  for (QAction* a : actions()) {
    if (!a->shortcut().isEmpty() && a->shortcut() == pressed) {
      if (a->isEnabled()) a->trigger();
      return;
    }
  }
  if (event->key() == Qt::Key_Escape) {
    reject();
    return;
  }
  if (const auto ch = usCharacterOf(*event)) {
    typeCharacter(*ch);
    return;
  }
  QDialog::keyPressEvent(event);
}

bool LayoutEditorDialog::eventFilter(QObject* watched, QEvent* event) {
  // The dialog takes every key before its board does.
  if (watched == canvas_ && event->type() == QEvent::KeyPress) {
    keyPressEvent(static_cast<QKeyEvent*>(event));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace gw::gui
