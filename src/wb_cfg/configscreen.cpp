#include "wb_cfg/configscreen.h"

#include "framework/application.h"
#include "platform/system.h"
#include "wb_cfg/config_picture.h"
#include "wb_cfg/settings.h"
#include "wb_main/mainscreen.h"
#include "wb_song/songscreen.h"

namespace wobbert {

Tconfigscreen* configscreen = nullptr;

using framework::application;

Tconfigscreen::Tconfigscreen()
    : Label45(0, 128, 0, 27, 19, Alignment::Left, 2, 2, true),
      Label5(16, 286, 80, 32, 24, Alignment::Centre, 3, 3),
      Label10(120, 286, 80, 32, 24, Alignment::Centre, 3, 3),
      Label15(224, 286, 80, 32, 24, Alignment::Centre, 3, 3),
      Label20(154, 172, 0, 35, 24, Alignment::Left, 3, 3, true),
      Label70(48, 4, 224, 48, 37, Alignment::Centre, 3, 3),
      Label75(8, 54, 304, 20, 15, Alignment::Centre, 2, 2),
      Label90(16, 172, 136, 32, 24, Alignment::Right, 2, 2),
      Label25(146, 236, 56, 36, 24, Alignment::Centre, 2, 3),
      Label30(16, 236, 136, 32, 24, Alignment::Right, 2, 2),
      Label35(202, 239, 96, 32, 21, Alignment::Centre, 2, 3),
      Label40(8, 70, 304, 20, 15, Alignment::Centre, 2, 2),
      Label50(8, 86, 304, 20, 15, Alignment::Centre, 2, 2),
      Label55(8, 102, 304, 20, 15, Alignment::Centre, 2, 2),
      Label60(146, 204, 56, 36, 24, Alignment::Centre, 2, 3),
      Label65(16, 204, 136, 32, 24, Alignment::Right, 2, 2),
      buttons_{&Label5, &Label10, &Label15, &Label20, &Label25, &Label35, &Label45, &Label60} {
  for (OutlinedLabel* label : {&Label45, &Label5, &Label10, &Label15, &Label20, &Label70, &Label75, &Label90,
                               &Label25, &Label30, &Label35, &Label40, &Label50, &Label55, &Label60, &Label65})
    label->AddTo(labels_);

  Label45.SetCaption("Visit website >>>");
  Label5.SetCaption("Test");
  Label10.SetCaption("Cancel");
  Label15.SetCaption("OK");
  Label70.SetCaption("Wobbert");
  Label75.SetCaption(aboutLines[0]);
  Label40.SetCaption(aboutLines[1]);
  Label50.SetCaption(aboutLines[2]);
  Label55.SetCaption(aboutLines[3]);
  Label90.SetCaption("Trees: ");
  Label30.SetCaption("Sound: ");
  Label35.SetCaption("Songlist");
  Label65.SetCaption("Xmas Joy: ");

  // The web link's copies neither report moves nor pass clicks on; every other button's do.
  for (OutlinedLabel* button : buttons_) button->SetReporting(button != &Label45, true);
  Label5.SetClick([this] { Label6Click(); }, true);
  Label10.SetClick([this] { Label4Click(); }, true);
  Label15.SetClick([this] { Label5Click(); }, true);
  Label20.SetClick([this] { Label20Click(); }, true);
  Label25.SetClick([this] { Label25Click(); }, true);
  Label35.SetClick([this] { Label35Click(); }, true);
  Label45.SetClick([this] { Label45Click(); }, false);
  Label60.SetClick([this] { Label60Click(); }, true);
}

void Tconfigscreen::FormCreate() {
  SetBounds(0, 0, configClientWidth, configClientHeight);
  SetCaption("Wobbert v1.3b");
  // The desktop's font smoothing is not ours to switch: our text is always drawn antialiased.
  configBackground.SetSize(configClientWidth, configClientHeight);
  songlistBackground.SetSize(songlistClientWidth, songlistClientHeight);
}

void Tconfigscreen::FormShow() {
  LabelColour = defaultLabelColour;
  for (OutlinedLabel* label : {&Label70, &Label75, &Label40, &Label50, &Label55, &Label45, &Label60, &Label65,
                               &Label90, &Label20, &Label5, &Label10, &Label15, &Label25, &Label30, &Label35})
    label->top.colour = LabelColour;

  LoadSettings();
  Label20.SetCaption(snowCaptions[settings.snow]);
  Label25.SetCaption(settings.sound);
  Label60.SetCaption(settings.joyful ? "Yes" : "No");

  PaintConfigPicture();

  const int width = configClientWidth;
  Label5.MoveTo(16, Label5.top.Box().top);
  Label10.MoveTo((width - Label10.top.Box().Width()) / 2, Label10.top.Box().top);
  Label15.MoveTo(width - Label15.top.Box().Width() - 16, Label15.top.Box().top);
  Label20.MoveTo(154, 172);
  Label45.MoveTo((width - Label45.top.Box().Width()) / 2, Label45.top.Box().top);

  if (!shownBefore_) {
    const platform::Size screen = platform::CurrentSystem().ScreenSize();
    SetBounds((screen.width - configClientWidth) / 2, (screen.height - configClientHeight) / 2,
              configClientWidth, configClientHeight);
    shownBefore_ = true;
  }
}

void Tconfigscreen::PaintTo(Bitmap& target) const {
  target = configBackground;
  target.SetSize(configClientWidth, configClientHeight);
  labels_.Paint(target);
}

void Tconfigscreen::FormPaint() {
  PaintTo(frame_);
  GetCanvas().Draw(0, 0, frame_);
}

void Tconfigscreen::FormClose(framework::CloseAction& action) {
  (void)action;
  configBackground.SetSize(0, 0);
}

void Tconfigscreen::FormMouseMove(int x, int y) {
  const Label* label = labels_.LabelAt(x, y);
  // Plain captions swallow the move without reporting it.
  if (label && !label->reportsMouseMove) return;
  const void* sender = label ? static_cast<const void*>(label) : static_cast<const void*>(this);
  if (ApplyHoverRule(sender, buttons_)) Invalidate();
}

void Tconfigscreen::FormMouseDown(platform::MouseButton button, int x, int y) {
  pressed_ = button == platform::MouseButton::Left ? labels_.LabelAt(x, y) : nullptr;
}

void Tconfigscreen::FormMouseUp(platform::MouseButton button, int x, int y) {
  Label* pressed = std::exchange(pressed_, nullptr);
  // A click is a press and a release on the same label.
  if (button != platform::MouseButton::Left || !pressed || labels_.LabelAt(x, y) != pressed) return;
  if (pressed->onClick) pressed->onClick();
}

void Tconfigscreen::Label6Click() {
  if (const auto error = SaveSettings()) {
    application.ShowException(error->message);
    return;
  }
  testRun = true;
  if (mainscreen) mainscreen->Show();
}

void Tconfigscreen::Label4Click() { Close(); }

void Tconfigscreen::Label5Click() {
  if (const auto error = SaveSettings()) {
    application.ShowException(error->message);
    return;
  }
  Close();
}

void Tconfigscreen::Label20Click() {
  settings.snow = static_cast<std::uint8_t>(settings.snow >= 2 ? 0 : settings.snow + 1);
  Label20.SetCaption(snowCaptions[settings.snow]);
  Invalidate();
}

void Tconfigscreen::Label25Click() {
  settings.sound = settings.sound == "Yes" ? "No" : "Yes";
  Label25.SetCaption(settings.sound);
  Invalidate();
}

void Tconfigscreen::Label60Click() {
  settings.joyful = !settings.joyful;
  Label60.SetCaption(settings.joyful ? "Yes" : "No");
  Invalidate();
}

void Tconfigscreen::Label35Click() {
  if (songscreen) songscreen->ShowModal();
  Invalidate();
}

void Tconfigscreen::Label45Click() { platform::CurrentSystem().OpenWebAddress(Native().Handle(), makerWebPage); }

}  // namespace wobbert
