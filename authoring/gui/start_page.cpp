#include "authoring/gui/start_page.h"

#include <QLabel>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "authoring/gui/common/authoring_look.h"

namespace gw::gui {

namespace {

constexpr const char* kButtonStyle = R"(
QPushButton {
  background: white;
  font-weight: bold;
  border-style: solid;
  border-width: 4px;
  border-radius: 6px;
  border-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #e8e8e8, stop:1 #8c8c8c);
}
QPushButton:hover, QPushButton:focus {
  border-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #b4d2ff, stop:1 #1e5ac8);
}
QPushButton:pressed { background: #eef4ff; }
)";

QLabel* makeExplanation(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  label->setContentsMargins(RoundedButton::kCornerRadius, 0, 0, 0);
  return label;
}

}  // namespace

RoundedButton::RoundedButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
  setFixedSize(kSize);
  setStyleSheet(kButtonStyle);
  setCursor(Qt::PointingHandCursor);
}

void RoundedButton::resizeEvent(QResizeEvent* event) {
  QPushButton::resizeEvent(event);
  cutRoundedCorners(this, QRectF(rect()), kCornerRadius);
}

StartPage::StartPage(QWidget* parent) : QWidget(parent) {
  setObjectName("startPage");
  auto* heading = new QLabel(tr("Crosswords Authoring Tool"), this);
  heading->setObjectName("headingLabel");
  QFont bold = heading->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.5);
  heading->setFont(bold);

  auto* compose = new RoundedButton(tr("Compose"), this);
  compose->setObjectName("composeButton");
  auto* edit = new RoundedButton(tr("Edit"), this);
  edit->setObjectName("editButton");
  connect(compose, &QPushButton::clicked, this, &StartPage::composeChosen);
  connect(edit, &QPushButton::clicked, this, &StartPage::editChosen);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 20, 24, 20);
  layout->addWidget(heading);
  layout->addSpacing(22);
  layout->addWidget(compose);
  layout->addWidget(makeExplanation(
      tr("Compose free form brand new crosswords, using built-in or custom dictionaries."), this));
  layout->addSpacing(18);
  layout->addWidget(edit);
  layout->addWidget(makeExplanation(
      tr("Editing composed crosswords by defining description for all words included."), this));
  layout->addStretch();
}

}  // namespace gw::gui
