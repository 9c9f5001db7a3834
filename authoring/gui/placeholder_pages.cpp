#include "authoring/gui/placeholder_pages.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

#include "authoring/composing/composing_files.h"
#include "common/errors.h"

namespace gw::gui {

namespace {

void addNote(QWidget* page, const QString& text) {
  auto* label = new QLabel(text, page);
  label->setAlignment(Qt::AlignCenter);
  label->setWordWrap(true);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(label);
}

}  // namespace

PlaceholderComposingPage::PlaceholderComposingPage(gw::Dictionary&, const gw::ProgramFolders&,
                                                   FileDialogFolders& dialogFolders, QWidget* parent)
    : QWidget(parent), dialogFolders_(dialogFolders) {
  setObjectName("composingPage");
  addNote(this, tr("Composing is not available in this build."));
  open_ = new QAction(tr("Open layout"), this);
  open_->setObjectName("openLayoutAction");
  open_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  open_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(open_, &QAction::triggered, this, &PlaceholderComposingPage::chooseAndOpenPattern);
  close_ = new QAction(tr("Close "), this);
  close_->setObjectName("closeLayoutAction");
  close_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
  close_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(close_, &QAction::triggered, this, &PlaceholderComposingPage::closeLayout);
  fileMenu_ = {open_, close_};
  addActions(fileMenu_);
}

void PlaceholderComposingPage::closeLayout() { layout_.reset(); }

void PlaceholderComposingPage::openPatternFile(const QString& path) {
  try {
    layout_ = gw::readPatternFile(path.toStdString());
  } catch (const std::exception& e) {
    QMessageBox::warning(this, QApplication::applicationDisplayName(), QString::fromUtf8(e.what()));
    return;
  }
  Q_EMIT captionChanged(tr("Composing : ") + path);
}

void PlaceholderComposingPage::chooseAndOpenPattern() {
  QString path = QFileDialog::getOpenFileName(this, QString(), dialogFolders_.composeOpen,
                                              tr("Crossword making pattern (*.C_WM)"));
  if (path.isEmpty()) return;
  dialogFolders_.composeOpen = QFileInfo(path).absolutePath();
  openPatternFile(path);
}

void PlaceholderComposingPage::updateActions(bool pageInFront) {
  open_->setEnabled(pageInFront);
  close_->setEnabled(pageInFront && hasOpenLayout());
}

QString PlaceholderComposingPage::languageName() const {
  if (!layout_) return {};
  const std::string_view name = gw::languageName(layout_->language);
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

PlaceholderEditingPage::PlaceholderEditingPage(QWidget* parent) : EditingPageBase(parent) {
  setObjectName("editingPage");
  addNote(this, tr("Editing is not available in this build."));
}

}  // namespace gw::gui
