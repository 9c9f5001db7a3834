#pragma once
// The bar in the toolbar that shows how deep the search is: one equal column per slot,
// black for the placed slots, on silver.
#include <QRect>
#include <QWidget>
#include <vector>

namespace gw::gui {

// What the preview shows: the slot count and, for positions 1 .. depth, whether the
// position has candidates (placed[p - 1]).
struct PreviewState {
  int slotCount = 0;
  std::vector<bool> placed;
  friend bool operator==(const PreviewState&, const PreviewState&) = default;
};

struct PreviewColumn {
  QRect rect;
  bool black = false;
};

// The silver background of a preview of `size`, empty when there are no slots.
QRect previewBackground(QSize size, int slotCount);
// The columns of positions 1 .. depth: column p starts at the nearest integer (halves to
// even) to w × (p − 1) / slot count and is w / slot count + 1 pixels wide, w = width − 4.
std::vector<PreviewColumn> previewColumns(QSize size, const PreviewState& state);

class ProgressPreview : public QWidget {
  Q_OBJECT
 public:
  explicit ProgressPreview(QWidget* parent = nullptr);
  // Repaints only when the picture changes.
  void show(const PreviewState& state);
  const PreviewState& state() const { return state_; }
  QSize sizeHint() const override { return {120, 22}; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  PreviewState state_;
};

}  // namespace gw::gui
