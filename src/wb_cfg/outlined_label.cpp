#include "wb_cfg/outlined_label.h"

namespace wobbert {

Color LabelColour = defaultLabelColour;

OutlinedLabel::OutlinedLabel(int left, int topEdge, int width, int height, int fontHeight, Alignment alignment,
                             int shadowX, int shadowY, bool autoSize, bool wordWrap)
    : upLeft(left - 1, topEdge - 1, width, height, fontHeight, alignment, autoSize, wordWrap),
      upRight(left + 1, topEdge - 1, width, height, fontHeight, alignment, autoSize, wordWrap),
      downLeft(left - 1, topEdge + 1, width, height, fontHeight, alignment, autoSize, wordWrap),
      shadow(left + shadowX, topEdge + shadowY, width, height, fontHeight, alignment, autoSize, wordWrap),
      top(left, topEdge, width, height, fontHeight, alignment, autoSize, wordWrap),
      shadowX_(shadowX),
      shadowY_(shadowY) {
  top.colour = LabelColour;
}

void OutlinedLabel::SetCaption(const std::string& caption) {
  for (Label* label : {&upLeft, &upRight, &downLeft, &shadow, &top}) label->SetCaption(caption);
}

void OutlinedLabel::LayOutCopies() {
  const Rectangle box = top.Box();
  upLeft.SetPosition(box.left - 1, box.top - 1);
  upRight.SetPosition(box.left + 1, box.top - 1);
  downLeft.SetPosition(box.left - 1, box.top + 1);
  shadow.SetPosition(box.left + shadowX_, box.top + shadowY_);
}

void OutlinedLabel::MoveTo(int left, int topEdge) {
  top.SetPosition(left, topEdge);
  LayOutCopies();
}

void OutlinedLabel::SetReporting(bool copiesReport, bool topReports) {
  for (Label* label : {&upLeft, &upRight, &downLeft, &shadow}) label->reportsMouseMove = copiesReport;
  top.reportsMouseMove = topReports;
}

void OutlinedLabel::SetClick(const std::function<void()>& action, bool copiesClick) {
  for (Label* label : {&upLeft, &upRight, &downLeft, &shadow}) label->onClick = copiesClick ? action : nullptr;
  top.onClick = action;
}

void OutlinedLabel::AddCopiesTo(LabelStack& stack) {
  for (Label* label : {&upLeft, &upRight, &downLeft, &shadow}) stack.Add(*label);
}

void OutlinedLabel::AddTo(LabelStack& stack) {
  AddCopiesTo(stack);
  stack.Add(top);
}

bool ApplyHoverRule(const void* sender, std::span<OutlinedLabel* const> buttons) {
  bool changed = false;
  for (OutlinedLabel* button : buttons) {
    if (sender == &button->top) {
      // Set even when already lit; the colour is the same, so nothing needs painting.
      changed = changed || button->top.colour != HoverColour;
      button->top.colour = HoverColour;
    } else if (button->top.colour != LabelColour) {
      button->top.colour = LabelColour;
      changed = true;
    }
  }
  return changed;
}

}  // namespace wobbert
