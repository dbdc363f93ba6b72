#include "platform/text.h"

namespace wobbert::platform {

namespace {
TextRenderer* installedRenderer = nullptr;
}  // namespace

TextRenderer& CurrentTextRenderer() { return installedRenderer ? *installedRenderer : NativeTextRenderer(); }

void InstallTextRenderer(TextRenderer* renderer) { installedRenderer = renderer; }

}  // namespace wobbert::platform
