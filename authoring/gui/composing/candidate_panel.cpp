#include "authoring/gui/composing/candidate_panel.h"

#include <QAction>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "authoring/gui/composing/candidate_list_model.h"
#include "gui_common/qt_bridge.h"

namespace gw::gui {

namespace {

constexpr int kPanelWidth = 230;
constexpr int kListMinimumHeight = 200;  // about ten words

QString directionName(Direction d) { return d == Direction::Across ? "Across" : "Down"; }

QString count(std::size_t n) { return QLocale().toString(static_cast<qulonglong>(n)); }

}  // namespace

CandidatePanel::CandidatePanel(QWidget* parent) : QWidget(parent) {
  setObjectName("candidatePanel");
  setFixedWidth(kPanelWidth);
  // Alt+C takes the keyboard to the list.
  auto* title = new QLabel("&Candidates", this);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);

  auto makeButton = [this](const char* name, Direction d) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setText(directionName(d));
    b->setCheckable(true);
    b->setToolTip(QString("Words for the %1 slot through the cursor").arg(directionName(d).toLower()));
    connect(b, &QToolButton::clicked, this, [this, d] {
      setDirection(d);
      Q_EMIT directionChosen(d);
    });
    return b;
  };
  acrossButton_ = makeButton("candidatesAcrossButton", Direction::Across);
  downButton_ = makeButton("candidatesDownButton", Direction::Down);
  auto* group = new QButtonGroup(this);
  group->addButton(acrossButton_);
  group->addButton(downButton_);
  acrossButton_->setChecked(true);

  slotLabel_ = new QLabel(this);
  slotLabel_->setObjectName("candidateSlotLabel");
  slotLabel_->setWordWrap(true);
  status_ = new QLabel(this);
  status_->setObjectName("candidateStatus");
  status_->setWordWrap(true);
  status_->setMinimumHeight(2 * status_->fontMetrics().lineSpacing());

  model_ = new CandidateListModel(this);
  list_ = new QTableView(this);
  list_->setObjectName("candidateList");
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setAlternatingRowColors(true);
  // Tab leaves the list, back to the grid, as it leaves every other control.
  list_->setTabKeyNavigation(false);
  list_->setMinimumHeight(kListMinimumHeight);
  // Fixed row heights and column widths: thousands of words arrive at once, and a view that
  // measured them all would keep the window waiting.
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
  QHeaderView* columns = list_->horizontalHeader();
  columns->setSectionResizeMode(QHeaderView::Fixed);
  columns->setSectionResizeMode(CandidateListModel::WordColumn, QHeaderView::Stretch);
  for (int column : {CandidateListModel::ScoreColumn, CandidateListModel::CrossingsColumn})
    columns->resizeSection(column, list_->fontMetrics().horizontalAdvance(" Crossings "));
  list_->setToolTip("Double-click or Enter places the word as fixed letters");
  title->setBuddy(list_);
  connect(list_, &QAbstractItemView::doubleClicked, this, [this] { chooseCurrent(); });
  auto* place = new QAction("Place word", list_);
  place->setObjectName("placeCandidateAction");
  place->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
  place->setShortcutContext(Qt::WidgetShortcut);
  connect(place, &QAction::triggered, this, &CandidatePanel::chooseCurrent);
  list_->addAction(place);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(title, 1);
  buttons->addWidget(acrossButton_);
  buttons->addWidget(downButton_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(buttons);
  layout->addWidget(slotLabel_);
  layout->addWidget(list_, 1);
  layout->addWidget(status_);
}

void CandidatePanel::setDirection(Direction direction) {
  direction_ = direction;
  (direction == Direction::Across ? acrossButton_ : downButton_)->setChecked(true);
}

void CandidatePanel::showUnavailable(const QString& text) {
  model_->clear();
  slotLabel_->clear();
  status_->setText(text);
}

void CandidatePanel::showSlot(const Slot& slot, const Layout& layout) {
  const std::string pattern = slotQuery(layout.board, slot);
  const QString shown = CodePageTable::of(boardCodePage(layout.language)).toQString(pattern);
  slotLabel_->setText(QString("%1, row %2 column %3, %4 letters: %5")
                          .arg(directionName(slot.direction))
                          .arg(slot.row + 1)
                          .arg(slot.column + 1)
                          .arg(slot.length)
                          .arg(shown));
  status_->setText("Ranking ...");
}

void CandidatePanel::showCandidates(const SlotCandidates& candidates, Language language) {
  // The word the author has selected stays selected when the better ranking arrives.
  std::optional<std::string> selected;
  if (const QModelIndex current = list_->currentIndex(); current.isValid())
    selected = model_->candidate(current.row()).word;
  model_->setCandidates(candidates.words, language);
  const auto flagged = static_cast<std::size_t>(std::count_if(
      candidates.words.begin(), candidates.words.end(), [](const SlotCandidate& c) { return c.unfillable; }));
  QString text = candidates.words.empty() ? QString("No word fits")
                                          : QString("%1 words").arg(count(candidates.words.size()));
  if (flagged > 0) text += QString(", %1 leave no fill (grey)").arg(count(flagged));
  if (!candidates.layoutFillable)
    text += "; the layout has no fill as it stands";
  else if (candidates.depth == CandidateDepth::Estimate && !candidates.words.empty())
    text += "; ranking ...";
  status_->setText(text);
  for (int row = 0; selected && row < model_->rowCount(); ++row)
    if (model_->candidate(row).word == *selected) {
      list_->setCurrentIndex(model_->index(row, 0));
      break;
    }
}

void CandidatePanel::chooseCurrent() {
  const QModelIndex current = list_->currentIndex();
  if (current.isValid()) Q_EMIT wordChosen(model_->candidate(current.row()).word);
}

QString CandidatePanel::statusText() const { return status_->text(); }

QString CandidatePanel::slotText() const { return slotLabel_->text(); }

}  // namespace gw::gui
