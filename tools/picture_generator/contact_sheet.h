// The contact sheet: every picture on a dark ground as stored (magenta left out), trees after
// the program's random tint, one pose rendered as in the joyful mode, and two small forests planted the way the saver plants them
// (green and snowy) so the trees can be judged as the user sees them.
#pragma once

#include <string>
#include <vector>

#include "toolkit/bitmap.h"

namespace wobbert::pictures {

// pictures holds the catalogue in order; empty entries are left as blank cells. tintedPlain and
// tintedSnowy hold all sixteen trees after the tint; joyfulPose is a pose as the saver's joyful
// mode renders it (drawn leaving out green >= red + 64, as the saver does). Returns false when
// the PNG cannot be written.
bool WriteContactSheet(const std::vector<Bitmap>& pictures, const std::vector<Bitmap>& tintedPlain,
                       const std::vector<Bitmap>& tintedSnowy, const Bitmap& joyfulPose,
                       const std::string& path);

}  // namespace wobbert::pictures
