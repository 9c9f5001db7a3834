#pragma once
// The dictionary editor's word box: a key typed on a US keyboard puts the letter of the
// language on the same key (Cyrillic capitals for Serbian, A to Z otherwise); everything
// else that would type a character is dropped, Backspace included. At most 40 letters.
#include <QLineEdit>
#include <string>

#include "authoring/composing/dictionary/word_lists/word_rules.h"
#include "gui_common/qt_bridge.h"

namespace gw::gui {

class WordBox : public QLineEdit {
  Q_OBJECT
 public:
  explicit WordBox(Language language, QWidget* parent = nullptr);

  // The text as code-page bytes.
  std::string word() const;

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  WordRules rules_;
  const CodePageTable& text_;
};

}  // namespace gw::gui
