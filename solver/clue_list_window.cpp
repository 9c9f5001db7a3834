#include "solver/clue_list_window.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/codepage.h"
#include "solver/window_look.h"

namespace gw::cross {

namespace {
constexpr int kWordRole = Qt::UserRole + 1;
const QString kTitle = QStringLiteral("Clues");
}  // namespace

ClueListWindow::ClueListWindow() : QWidget(nullptr, Qt::Tool) {
  setObjectName("clueListWindow");
  setWindowTitle(kTitle);
  applySolverLook(this);
  auto* lists = new QHBoxLayout;
  for (auto [list, caption, name] :
       {std::tuple{&acrossList_, "Across", "acrossList"}, std::tuple{&downList_, "Down", "downList"}}) {
    auto* column = new QVBoxLayout;
    auto* heading = new QLabel(caption, this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    *list = makeList(name, caption);
    heading->setBuddy(*list);
    column->addWidget(heading);
    column->addWidget(*list);
    lists->addLayout(column);
  }
  clockLabel_ = new QLabel(this);
  clockLabel_->setObjectName("clockLabel");
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists);
  layout->addWidget(clockLabel_);
  resize(420, 360);
}

QListWidget* ClueListWindow::makeList(const char* objectName, const QString& accessibleName) {
  auto* list = new QListWidget(this);
  list->setObjectName(objectName);
  list->setAccessibleName(accessibleName);
  list->setWordWrap(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  // The selection is the cursor's word; the player's keys stay on the board.
  list->setFocusPolicy(Qt::NoFocus);
  connect(list, &QListWidget::itemClicked, this, &ClueListWindow::pick);
  return list;
}

void ClueListWindow::pick(QListWidgetItem* item) {
  if (item) emit wordPicked(item->data(kWordRole).toInt());
}

void ClueListWindow::setBoard(const Board* board) {
  acrossList_->clear();
  downList_->clear();
  acrossCount_ = 0;
  if (!board) return;
  const std::vector<NumberedWord>& words = board->wordsInOrder();
  for (std::size_t i = 0; i < words.size(); ++i) {
    const NumberedWord& w = words[i];
    const QString clue = QString::fromStdString(toUtf8(w.clue, clueCodePage(board->clueCharset())));
    // A word without a clue is still a place to go: its number and length.
    const QString text = clue.trimmed().isEmpty() ? QString("%1. (%2 letters)").arg(w.number).arg(w.length)
                                                  : QString("%1. %2").arg(w.number).arg(clue);
    auto* item = new QListWidgetItem(text);
    item->setData(kWordRole, static_cast<int>(i));
    (w.direction == Direction::Across ? acrossList_ : downList_)->addItem(item);
    if (w.direction == Direction::Across) ++acrossCount_;
  }
}

void ClueListWindow::followCursor(const Board& board) {
  const int across = board.wordAt(board.current(), Direction::Across);
  const int down = board.wordAt(board.current(), Direction::Down);
  for (auto [list, row] :
       {std::pair{acrossList_, across}, std::pair{downList_, down < 0 ? -1 : down - acrossCount_}}) {
    if (row < 0 || row >= list->count()) {
      list->clearSelection();
      list->setCurrentRow(-1);
      continue;
    }
    list->setCurrentRow(row);
    list->scrollToItem(list->item(row));
  }
}

void ClueListWindow::setClock(const QString& text, bool paused) {
  const QString shown = paused ? text + " (paused)" : text;
  setWindowTitle(kTitle + " – " + shown);
  clockLabel_->setText(shown);
}

}  // namespace gw::cross
