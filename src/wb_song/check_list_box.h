// CheckListBox: a list of text items with a check box each, drawn by our own code.
//
// Items have a fixed height; the list draws its plain 1-pixel border, the check boxes and a
// vertical scroll bar (only when the items do not fit), and hands each item's text part to
// onDrawItem, which paints into the list's own surface (so nothing spills outside the list).
// The list draws the focus rectangle over the focused item after onDrawItem, as a system list
// box does.
//
// Behaviour, as users know it from the system's check lists:
// - a press on an item selects it (and scrolls it fully into view); a press on its check box also
//   toggles the tick (onClickCheck); every press on an item raises onClick, and the second press
//   of a double-click then raises onDoubleClick; presses on empty space or the scroll bar don't;
// - Up, Down, Home, End, Page Up and Page Down move the selection and raise onClick when it
//   changed; Space toggles the selected item's tick and raises onClickCheck only, no onClick;
// - the wheel scrolls three items per notch; the scroll bar's arrows scroll one item, its track
//   one page, and its thumb can be dragged.
// All inputs are in the window's client coordinates. Indices are checked; none is trusted.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/bitmap.h"
#include "toolkit/color.h"
#include "toolkit/rectangle.h"

namespace wobbert {

struct CheckListItemState {
  bool selected = false;
  bool focused = false;
};

class CheckListBox {
 public:
  using DrawItemHandler =
      std::function<void(Bitmap& surface, int index, const Rectangle& rect, CheckListItemState state)>;

  static constexpr int checkWidth = 16;
  static constexpr int scrollBarWidth = 17;
  static constexpr int wheelStep = 3;

  CheckListBox(int left, int top, int width, int height, int itemHeight);

  Rectangle Box() const { return box_; }
  Color colour = Rgb(255, 255, 255);
  bool focused = false;

  void Clear();
  void Add(const std::string& item, bool checked);
  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Item(int index) const;
  bool Checked(int index) const;
  void SetChecked(int index, bool checked);
  // -1 when nothing is selected.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  int TopIndex() const { return topIndex_; }
  void SetTopIndex(int index);
  // The item that has the focus rectangle while the list has the focus.
  int CaretIndex() const { return caretIndex_; }

  DrawItemHandler onDrawItem;
  std::function<void()> onClick;
  std::function<void()> onDoubleClick;
  std::function<void()> onClickCheck;

  void MouseDown(int x, int y);
  // The second press of a double-click, after its MouseDown.
  void DoubleClick(int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(int x, int y);
  void MouseWheel(int notches);
  void KeyDown(int key);

  void Paint(Bitmap& target) const;

  // Geometry, in client coordinates.
  Rectangle ItemsRect() const;
  Rectangle ScrollBarRect() const;
  bool HasScrollBar() const;
  // Rows that fit whole, at least 1.
  int PageRows() const;
  int MaxTopIndex() const;
  // The item under (x, y), or -1.
  int ItemAt(int x, int y) const;
  Rectangle ThumbRect() const;

 private:
  void Select(int index, bool raiseClick);
  void MakeVisible(int index);
  void ScrollThumbTo(int y);
  void PaintScrollBar(Bitmap& target) const;

  Rectangle box_;
  int itemHeight_;
  std::vector<std::string> items_;
  std::vector<bool> checked_;
  int itemIndex_ = -1;
  int caretIndex_ = 0;
  int topIndex_ = 0;
  bool draggingThumb_ = false;
  int dragOffset_ = 0;
};

}  // namespace wobbert
