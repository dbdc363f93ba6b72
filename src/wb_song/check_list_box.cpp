#include "wb_song/check_list_box.h"

#include <algorithm>

#include "platform/native_application.h"
#include "toolkit/canvas.h"

namespace wobbert {

namespace {

const std::string noItem;

constexpr Color frameColour = Rgb(0, 0, 0);
constexpr Color faceColour = Rgb(192, 192, 192);
constexpr Color trackColour = Rgb(224, 224, 224);
constexpr Color shadowColour = Rgb(128, 128, 128);
constexpr Color darkShadowColour = Rgb(64, 64, 64);
constexpr Color highlightColour = Rgb(255, 255, 255);
constexpr Color markColour = Rgb(0, 0, 0);

// A raised button face: light top-left edge, dark bottom-right edges.
void RaisedBox(Canvas& canvas, const Rectangle& r) {
  canvas.FillRect(r, faceColour);
  canvas.FillRect({r.left, r.top, r.right - 1, r.top + 1}, highlightColour);
  canvas.FillRect({r.left, r.top, r.left + 1, r.bottom - 1}, highlightColour);
  canvas.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, darkShadowColour);
  canvas.FillRect({r.right - 1, r.top, r.right, r.bottom}, darkShadowColour);
  canvas.FillRect({r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1}, shadowColour);
  canvas.FillRect({r.right - 2, r.top + 1, r.right - 1, r.bottom - 1}, shadowColour);
}

// A small solid triangle pointing up or down, centred in r.
void Arrow(Canvas& canvas, const Rectangle& r, bool up) {
  const int centreX = r.left + r.Width() / 2;
  const int top = r.top + (r.Height() - 4) / 2;
  for (int row = 0; row < 4; ++row) {
    const int half = up ? row : 3 - row;
    canvas.FillRect({centreX - half, top + row, centreX + half + 1, top + row + 1}, markColour);
  }
}

// A sunken 13 x 13 check box with its tick.
void CheckBox(Canvas& canvas, int left, int top, bool checked) {
  canvas.FillRect({left, top, left + 13, top + 13}, highlightColour);
  canvas.FillRect({left, top, left + 12, top + 1}, shadowColour);
  canvas.FillRect({left, top, left + 1, top + 12}, shadowColour);
  canvas.FillRect({left + 1, top + 1, left + 11, top + 2}, darkShadowColour);
  canvas.FillRect({left + 1, top + 1, left + 2, top + 11}, darkShadowColour);
  canvas.FillRect({left + 1, top + 11, left + 12, top + 12}, faceColour);
  canvas.FillRect({left + 11, top + 1, left + 12, top + 12}, faceColour);
  if (!checked) return;
  // The tick: three pixels deep, falling to the bottom then rising to the right.
  for (int step = 0; step < 7; ++step) {
    const int x = left + 3 + step;
    const int y = step < 3 ? top + 5 + step : top + 7 - (step - 2);
    canvas.FillRect({x, y, x + 1, y + 3}, markColour);
  }
}

// A dotted rectangle drawn by inverting every other pixel of its outline.
void FocusRectangle(Bitmap& bitmap, const Rectangle& r) {
  const Rectangle area = Intersection(r, {0, 0, bitmap.Width(), bitmap.Height()});
  auto invert = [&](int x, int y) {
    if (!area.Contains(x, y) || ((x + y) & 1) != 0) return;
    std::uint8_t* pixel = bitmap.ScanLine(y) + 3 * x;
    for (int i = 0; i < 3; ++i) pixel[i] = static_cast<std::uint8_t>(255 - pixel[i]);
  };
  for (int x = r.left; x < r.right; ++x) invert(x, r.top), invert(x, r.bottom - 1);
  for (int y = r.top + 1; y < r.bottom - 1; ++y) invert(r.left, y), invert(r.right - 1, y);
}

}  // namespace

CheckListBox::CheckListBox(int left, int top, int width, int height, int itemHeight)
    : box_{left, top, left + width, top + height}, itemHeight_(std::max(1, itemHeight)) {}

void CheckListBox::Clear() {
  items_.clear();
  checked_.clear();
  itemIndex_ = -1;
  caretIndex_ = 0;
  topIndex_ = 0;
}

void CheckListBox::Add(const std::string& item, bool checked) {
  items_.push_back(item);
  checked_.push_back(checked);
}

const std::string& CheckListBox::Item(int index) const {
  return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)] : noItem;
}

bool CheckListBox::Checked(int index) const {
  return index >= 0 && index < Count() && checked_[static_cast<std::size_t>(index)];
}

void CheckListBox::SetChecked(int index, bool checked) {
  if (index >= 0 && index < Count()) checked_[static_cast<std::size_t>(index)] = checked;
}

void CheckListBox::SetItemIndex(int index) {
  itemIndex_ = index >= 0 && index < Count() ? index : -1;
  if (itemIndex_ >= 0) {
    caretIndex_ = itemIndex_;
    MakeVisible(itemIndex_);
  }
}

void CheckListBox::SetTopIndex(int index) { topIndex_ = std::clamp(index, 0, MaxTopIndex()); }

Rectangle CheckListBox::ItemsRect() const {
  Rectangle inside{box_.left + 1, box_.top + 1, box_.right - 1, box_.bottom - 1};
  if (HasScrollBar()) inside.right -= scrollBarWidth;
  return inside;
}

Rectangle CheckListBox::ScrollBarRect() const {
  if (!HasScrollBar()) return {};
  return {box_.right - 1 - scrollBarWidth, box_.top + 1, box_.right - 1, box_.bottom - 1};
}

bool CheckListBox::HasScrollBar() const { return Count() * itemHeight_ > box_.Height() - 2; }

int CheckListBox::PageRows() const { return std::max(1, (box_.Height() - 2) / itemHeight_); }

int CheckListBox::MaxTopIndex() const { return std::max(0, Count() - PageRows()); }

int CheckListBox::ItemAt(int x, int y) const {
  const Rectangle items = ItemsRect();
  if (!items.Contains(x, y)) return -1;
  const int index = topIndex_ + (y - items.top) / itemHeight_;
  return index < Count() ? index : -1;
}

Rectangle CheckListBox::ThumbRect() const {
  const Rectangle bar = ScrollBarRect();
  if (bar.Empty()) return {};
  const int trackTop = bar.top + scrollBarWidth;
  const int trackLength = std::max(0, bar.Height() - 2 * scrollBarWidth);
  const int thumbLength = std::clamp(trackLength * PageRows() / std::max(1, Count()), 8, trackLength);
  const int maxTop = MaxTopIndex();
  const int offset = maxTop == 0 ? 0 : (trackLength - thumbLength) * topIndex_ / maxTop;
  return {bar.left, trackTop + offset, bar.right, trackTop + offset + thumbLength};
}

void CheckListBox::MakeVisible(int index) {
  if (index < topIndex_) topIndex_ = index;
  else if (index >= topIndex_ + PageRows()) topIndex_ = index - PageRows() + 1;
  topIndex_ = std::clamp(topIndex_, 0, MaxTopIndex());
}

void CheckListBox::Select(int index, bool raiseClick) {
  index = std::clamp(index, 0, Count() - 1);
  if (Count() == 0) return;
  const bool changed = index != itemIndex_;
  itemIndex_ = caretIndex_ = index;
  MakeVisible(index);
  if (changed && raiseClick && onClick) onClick();
}

void CheckListBox::ScrollThumbTo(int y) {
  const Rectangle bar = ScrollBarRect();
  const Rectangle thumb = ThumbRect();
  const int trackLength = bar.Height() - 2 * scrollBarWidth - thumb.Height();
  if (trackLength <= 0) return;
  const int offset = y - dragOffset_ - (bar.top + scrollBarWidth);
  // Nearest position, so a thumb dragged to either end reaches the first or the last item.
  SetTopIndex((offset * MaxTopIndex() * 2 + trackLength) / (2 * trackLength));
}

void CheckListBox::MouseDown(int x, int y) {
  if (!box_.Contains(x, y)) return;
  focused = true;
  const Rectangle bar = ScrollBarRect();
  if (bar.Contains(x, y)) {
    const Rectangle thumb = ThumbRect();
    if (y < bar.top + scrollBarWidth) SetTopIndex(topIndex_ - 1);
    else if (y >= bar.bottom - scrollBarWidth) SetTopIndex(topIndex_ + 1);
    else if (y < thumb.top) SetTopIndex(topIndex_ - PageRows());
    else if (y >= thumb.bottom) SetTopIndex(topIndex_ + PageRows());
    else {
      draggingThumb_ = true;
      dragOffset_ = y - thumb.top;
    }
    return;
  }
  const int index = ItemAt(x, y);
  if (index < 0) return;
  itemIndex_ = caretIndex_ = index;
  MakeVisible(index);
  if (x < ItemsRect().left + checkWidth) {
    checked_[static_cast<std::size_t>(index)] = !checked_[static_cast<std::size_t>(index)];
    if (onClickCheck) onClickCheck();
  }
  if (onClick) onClick();
}

void CheckListBox::DoubleClick(int x, int y) {
  if (ItemAt(x, y) >= 0 && onDoubleClick) onDoubleClick();
}

void CheckListBox::MouseMove(int x, int y) {
  (void)x;
  if (draggingThumb_) ScrollThumbTo(y);
}

void CheckListBox::MouseUp(int x, int y) {
  if (draggingThumb_) ScrollThumbTo(y);
  (void)x;
  draggingThumb_ = false;
}

void CheckListBox::MouseWheel(int notches) { SetTopIndex(topIndex_ - notches * wheelStep); }

void CheckListBox::KeyDown(int key) {
  if (Count() == 0) return;
  // With nothing selected, the first move selects the item with the focus rectangle.
  const int from = itemIndex_ < 0 ? caretIndex_ : itemIndex_;
  const int step = itemIndex_ < 0 ? 0 : 1;
  const int pageStep = std::max(1, PageRows() - 1);
  switch (key) {
    case platform::keys::up: Select(from - step, true); break;
    case platform::keys::down: Select(from + step, true); break;
    case platform::keys::home: Select(0, true); break;
    case platform::keys::end: Select(Count() - 1, true); break;
    case platform::keys::pageUp: {
      // First to the top row on view, then a page further.
      const int target = from > topIndex_ ? topIndex_ : from - pageStep;
      Select(target, true);
      break;
    }
    case platform::keys::pageDown: {
      const int bottom = topIndex_ + PageRows() - 1;
      const int target = from < bottom ? bottom : from + pageStep;
      Select(target, true);
      break;
    }
    case platform::keys::space:
      if (itemIndex_ >= 0) {
        checked_[static_cast<std::size_t>(itemIndex_)] = !checked_[static_cast<std::size_t>(itemIndex_)];
        if (onClickCheck) onClickCheck();
      }
      break;
    default: break;
  }
}

void CheckListBox::Paint(Bitmap& target) const {
  Canvas canvas(target);
  // The border is a plain black line.
  canvas.FillRect(box_, frameColour);
  const Rectangle items = ItemsRect();
  Bitmap surface(items.Width(), items.Height());
  Canvas surfaceCanvas(surface);
  surfaceCanvas.FillRect({0, 0, surface.Width(), surface.Height()}, colour);
  for (int index = topIndex_, y = 0; index < Count() && y < surface.Height(); ++index, y += itemHeight_) {
    surfaceCanvas.FillRect({0, y, checkWidth, y + itemHeight_}, colour);
    CheckBox(surfaceCanvas, 1, y + (itemHeight_ - 13) / 2, checked_[static_cast<std::size_t>(index)]);
    const Rectangle rect{checkWidth, y, surface.Width(), y + itemHeight_};
    const CheckListItemState state{index == itemIndex_, focused && index == caretIndex_};
    if (onDrawItem) onDrawItem(surface, index, rect, state);
    if (state.focused) FocusRectangle(surface, rect);
  }
  canvas.Draw(items.left, items.top, surface);
  PaintScrollBar(target);
}

void CheckListBox::PaintScrollBar(Bitmap& target) const {
  const Rectangle bar = ScrollBarRect();
  if (bar.Empty()) return;
  Canvas canvas(target);
  canvas.FillRect(bar, trackColour);
  const Rectangle upButton{bar.left, bar.top, bar.right, bar.top + scrollBarWidth};
  const Rectangle downButton{bar.left, bar.bottom - scrollBarWidth, bar.right, bar.bottom};
  RaisedBox(canvas, upButton);
  Arrow(canvas, upButton, true);
  RaisedBox(canvas, downButton);
  Arrow(canvas, downButton, false);
  RaisedBox(canvas, ThumbRect());
}

}  // namespace wobbert
