#pragma once
// "Candidates": the side panel of the composing page that lists the words for the slot under
// the cursor, best first (CandidateListModel), with the direction to look in. Double-click or
// Enter on a word asks for it to be placed (wordChosen); the page's GridInsightController
// fills the panel and places the word.
#include <QWidget>
#include <optional>

#include "authoring/composing/search/slot_candidates.h"

class QLabel;
class QTableView;
class QToolButton;

namespace gw::gui {

class CandidateListModel;

class CandidatePanel : public QWidget {
  Q_OBJECT
 public:
  explicit CandidatePanel(QWidget* parent = nullptr);

  Direction direction() const { return direction_; }
  void setDirection(Direction direction);

  // No list: `text` says why (no slot here, the layout cannot be edited now).
  void showUnavailable(const QString& text);
  // The slot whose words are on the way.
  void showSlot(const Slot& slot, const Layout& layout);
  void showCandidates(const SlotCandidates& candidates, Language language);

  // --- for tests
  CandidateListModel* model() const { return model_; }
  QTableView* list() const { return list_; }
  QString statusText() const;
  QString slotText() const;

 Q_SIGNALS:
  void directionChosen(gw::Direction direction);
  void wordChosen(const std::string& word);

 private:
  void chooseCurrent();

  Direction direction_ = Direction::Across;
  QToolButton* acrossButton_;
  QToolButton* downButton_;
  QLabel* slotLabel_;
  QLabel* status_;
  QTableView* list_;
  CandidateListModel* model_;
};

}  // namespace gw::gui
