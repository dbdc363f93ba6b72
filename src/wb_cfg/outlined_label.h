// OutlinedLabel: light text with a black outline and a black drop shadow, made of five labels
// that show one caption: a top label in `LabelColour` (or `HoverColour` while hovered) and four
// black copies beneath it at (-1, -1), (+1, -1), (-1, +1) and the shadow offset (dx, dy).
//
// A clickable OutlinedLabel is a button. ApplyHoverRule is the dialogs' hover rule: the button
// whose top label sent the mouse move lights up, every other lit button goes back to
// `LabelColour`; a button already in `LabelColour` is left alone. Only the top label's box counts
// as over the button. The dialog decides which labels report moves and which pass on clicks.
#pragma once

#include <span>
#include <string>

#include "wb_cfg/label.h"

namespace wobbert {

// Text of every top label; set by the configuration dialog when it is shown.
extern Color LabelColour;
inline constexpr Color HoverColour = Rgb(128, 255, 0);
inline constexpr Color defaultLabelColour = Rgb(255, 240, 224);

class OutlinedLabel {
 public:
  OutlinedLabel(int left, int top, int width, int height, int fontHeight, Alignment alignment, int shadowX,
                int shadowY, bool autoSize = false, bool wordWrap = false);

  Label upLeft;
  Label upRight;
  Label downLeft;
  Label shadow;
  Label top;

  // The four copies first, then the top label.
  void SetCaption(const std::string& caption);
  // Puts the copies at their offsets from the top label's box.
  void LayOutCopies();
  void MoveTo(int left, int top);
  // Gives every label the same mouse-move reporting and the same click handler, or only the top.
  void SetReporting(bool copiesReport, bool topReports);
  void SetClick(const std::function<void()>& action, bool copiesClick);
  // Adds the four copies, then the top label.
  void AddTo(LabelStack& stack);
  void AddCopiesTo(LabelStack& stack);

  bool Hovered() const { return top.colour == HoverColour; }

 private:
  int shadowX_;
  int shadowY_;
};

// The hover rule for a mouse move reported by `sender` (a label, a list or the window itself).
// Returns true when a colour changed, so the window must be painted again.
bool ApplyHoverRule(const void* sender, std::span<OutlinedLabel* const> buttons);

}  // namespace wobbert
