#include "wb_cfg/label.h"

#include <algorithm>

namespace wobbert {

platform::FontSpec LabelFont(int pixelHeight) { return {labelFace, pixelHeight, true, true}; }

void BlendMask(Bitmap& target, const platform::TextMask& mask, int x, int y, Color colour, const Rectangle& clip) {
  const Rectangle area = Intersection(Intersection(clip, {0, 0, target.Width(), target.Height()}),
                                      {x, y, x + mask.width, y + mask.height});
  if (area.Empty() ||
      mask.coverage.size() < static_cast<std::size_t>(mask.width) * static_cast<std::size_t>(mask.height))
    return;
  const int red = RedOf(colour), green = GreenOf(colour), blue = BlueOf(colour);
  for (int row = area.top; row < area.bottom; ++row) {
    std::uint8_t* pixel = target.ScanLine(row) + 3 * area.left;
    for (int column = area.left; column < area.right; ++column, pixel += 3) {
      const int a = mask.At(column - x, row - y);
      if (a == 0) continue;
      pixel[0] = static_cast<std::uint8_t>((blue * a + pixel[0] * (255 - a) + 127) / 255);
      pixel[1] = static_cast<std::uint8_t>((green * a + pixel[1] * (255 - a) + 127) / 255);
      pixel[2] = static_cast<std::uint8_t>((red * a + pixel[2] * (255 - a) + 127) / 255);
    }
  }
}

Label::Label(int left, int top, int width, int height, int fontHeight, Alignment alignment, bool autoSize,
             bool wordWrap)
    : box_{left, top, left + width, top + height},
      fontHeight_(fontHeight),
      alignment_(alignment),
      autoSize_(autoSize),
      wordWrap_(wordWrap) {}

void Label::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (autoSize_) AutoSize();
}

void Label::SetPosition(int left, int top) {
  box_ = {left, top, left + box_.Width(), top + box_.Height()};
}

void Label::SetSize(int width, int height) { box_.right = box_.left + width, box_.bottom = box_.top + height; }

void Label::AutoSize() {
  // An empty caption keeps the height of a line, as a blank would.
  const platform::Size size = platform::CurrentTextRenderer().Measure(LabelFont(fontHeight_), caption_);
  SetSize(size.width, size.height);
}

std::vector<std::string> Label::Lines() const {
  if (!wordWrap_) return {caption_};
  // Greedy word wrap at blanks; a word wider than the box stands on a line of its own.
  platform::TextRenderer& renderer = platform::CurrentTextRenderer();
  const platform::FontSpec font = LabelFont(fontHeight_);
  std::vector<std::string> lines;
  std::string line;
  std::size_t start = 0;
  while (start <= caption_.size()) {
    std::size_t blank = caption_.find(' ', start);
    if (blank == std::string::npos) blank = caption_.size();
    const std::string word = caption_.substr(start, blank - start);
    const std::string candidate = line.empty() ? word : line + " " + word;
    if (!line.empty() && renderer.Measure(font, candidate).width > box_.Width()) {
      lines.push_back(line);
      line = word;
    } else {
      line = candidate;
    }
    start = blank + 1;
  }
  lines.push_back(line);
  return lines;
}

void Label::Paint(Bitmap& target) const {
  if (caption_.empty() || box_.Empty()) return;
  platform::TextRenderer& renderer = platform::CurrentTextRenderer();
  const platform::FontSpec font = LabelFont(fontHeight_);
  int y = box_.top;
  for (const std::string& line : Lines()) {
    if (y >= box_.bottom) break;
    const platform::Size size = renderer.Measure(font, line);
    int x = box_.left;
    if (alignment_ == Alignment::Centre) x += (box_.Width() - size.width) / 2;
    if (alignment_ == Alignment::Right) x += box_.Width() - size.width;
    BlendMask(target, renderer.Rasterise(font, line), x, y, colour, box_);
    y += size.height;
  }
}

void LabelStack::Paint(Bitmap& target) const {
  for (const Label* label : labels_) label->Paint(target);
}

Label* LabelStack::LabelAt(int x, int y) const {
  for (auto it = labels_.rbegin(); it != labels_.rend(); ++it)
    if ((*it)->Box().Contains(x, y)) return *it;
  return nullptr;
}

}  // namespace wobbert
