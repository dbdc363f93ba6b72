// Label: one line (or word-wrapped lines) of text with a transparent background, in the dialogs'
// face "Comic Sans MS", bold italic, at a character height in pixels.
//
// A label has a box in client pixels, a caption, a text colour and an alignment inside its box
// (left, centred, right). An auto-sized label takes its width from the measured caption and its
// height from the font's line height, growing from its left edge. Painting draws only the
// glyphs, blended by their coverage, clipped to the box and to the target; text starts at the
// box's top. Labels are painted and hit-tested through a LabelStack, which keeps them in creation
// order: later labels lie on top, for painting and for the mouse.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/text.h"
#include "toolkit/bitmap.h"
#include "toolkit/color.h"
#include "toolkit/rectangle.h"

namespace wobbert {

inline constexpr const char* labelFace = "Comic Sans MS";

enum class Alignment { Left, Centre, Right };

// The dialogs' font at the given character height.
platform::FontSpec LabelFont(int pixelHeight);

// Blends `colour` into target with the mask's coverage, the mask's top-left at (x, y), touching
// only pixels inside `clip`.
void BlendMask(Bitmap& target, const platform::TextMask& mask, int x, int y, Color colour, const Rectangle& clip);

class Label {
 public:
  Label() = default;
  Label(int left, int top, int width, int height, int fontHeight, Alignment alignment, bool autoSize = false,
        bool wordWrap = false);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  Rectangle Box() const { return box_; }
  void SetPosition(int left, int top);
  void SetSize(int width, int height);
  int FontHeight() const { return fontHeight_; }

  Color colour = Rgb(0, 0, 0);
  // The dialog's mouse-move handler is attached: moves over this label are reported.
  bool reportsMouseMove = false;
  // The click handler; empty for a label without one.
  std::function<void()> onClick;

  void Paint(Bitmap& target) const;

 private:
  void AutoSize();
  std::vector<std::string> Lines() const;

  Rectangle box_;
  std::string caption_;
  int fontHeight_ = 8;
  Alignment alignment_ = Alignment::Left;
  bool autoSize_ = false;
  bool wordWrap_ = false;
};

// The labels of one window in creation order.
class LabelStack {
 public:
  void Add(Label& label) { labels_.push_back(&label); }
  void Paint(Bitmap& target) const;
  // The topmost label whose box holds (x, y), or none.
  Label* LabelAt(int x, int y) const;
  std::size_t Size() const { return labels_.size(); }

 private:
  std::vector<Label*> labels_;
};

}  // namespace wobbert
