// Draws one picture of the catalogue (0..36) the way the generator stores it: on a transparent
// surface of the catalogue size, then hard-edged on magenta and brought to at most 256 colours.
#pragma once

#include "picture_output.h"

namespace wobbert::pictures {

Result<StoredPicture> RenderPicture(int index);

}  // namespace wobbert::pictures
