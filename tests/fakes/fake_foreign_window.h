// FakeForeignWindow: a preview's host window as a test scripts it, through a FakeHost that
// outlives the window the program opens. Each Visible() takes the next answer of `visibility`;
// once the script is used up the host counts as gone. Every drawing on the canvas is kept as a
// picture of the whole client area, in order.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/foreign_window.h"
#include "toolkit/bitmap.h"

namespace wobbert::fakes {

struct FakeHost {
  std::deque<bool> visibility{true};
  Rectangle rect{500, 300, 652, 412};  // 152 x 112, like a settings panel's monitor picture
  Bitmap clientArea;
  std::vector<Bitmap> drawings;
};

class FakeForeignWindow final : public platform::ForeignWindow {
 public:
  FakeForeignWindow(FakeHost& host, std::vector<std::string>& calls) : host_(host), calls_(calls) {}

  bool Visible() override {
    calls_.push_back("Host.Visible");
    if (host_.visibility.empty()) return false;
    const bool visible = host_.visibility.front();
    host_.visibility.pop_front();
    return visible;
  }
  Rectangle WindowRect() override { return host_.rect; }
  Canvas& WindowCanvas() override {
    calls_.push_back("Host.WindowCanvas");
    host_.clientArea.SetSize(host_.rect.Width(), host_.rect.Height());
    return canvas_;
  }

 private:
  FakeHost& host_;
  std::vector<std::string>& calls_;
  Canvas canvas_{host_.clientArea, [this](const Rectangle&) {
                   calls_.push_back("Host.Draw");
                   host_.drawings.push_back(host_.clientArea);
                 }};
};

}  // namespace wobbert::fakes
