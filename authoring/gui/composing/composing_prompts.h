#pragma once
// Everything the composing page asks or tells the author in a window of its own: file
// dialogs, the new layout and word order dialogs, "Continue?" and messages. The page
// shows them through this interface so that tests can answer in their place.
#include <QString>
#include <optional>
#include <vector>

#include "authoring/composing/board.h"

class QWidget;

namespace gw::gui {

struct NewLayoutValues {
  int rows = 0;
  int columns = 0;
  Language language = Language::English;
};

class ComposingPrompts {
 public:
  virtual ~ComposingPrompts() = default;
  virtual std::optional<NewLayoutValues> newLayout(QWidget* parent) = 0;
  // An existing pattern file, or an empty text when cancelled.
  virtual QString openFileName(QWidget* parent, const QString& folder) = 0;
  // A file name to save a pattern to, or an empty text when cancelled.
  virtual QString saveFileName(QWidget* parent, const QString& folder, const QString& current) = 0;
  // The word order dialog: the given positions in the author's order, nothing on Cancel.
  virtual std::optional<std::vector<int>> wordOrder(QWidget* parent, int maxColumn, int maxRow,
                                                    const std::vector<Slot>& order) = 0;
  virtual bool confirmContinue(QWidget* parent) = 0;
  virtual void information(QWidget* parent, const QString& text) = 0;
  virtual void error(QWidget* parent, const QString& text) = 0;
};

// The real dialogs and message boxes.
class DialogComposingPrompts : public ComposingPrompts {
 public:
  std::optional<NewLayoutValues> newLayout(QWidget* parent) override;
  QString openFileName(QWidget* parent, const QString& folder) override;
  QString saveFileName(QWidget* parent, const QString& folder, const QString& current) override;
  std::optional<std::vector<int>> wordOrder(QWidget* parent, int maxColumn, int maxRow,
                                            const std::vector<Slot>& order) override;
  bool confirmContinue(QWidget* parent) override;
  void information(QWidget* parent, const QString& text) override;
  void error(QWidget* parent, const QString& text) override;
};

}  // namespace gw::gui
