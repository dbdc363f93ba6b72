// Copying part of a Bitmap (toolkit/bitmap.h) to a device context of the Windows backend.
//
// The bitmap's memory is a top-down 24-bit DIB already; only the rows of the area are handed to
// SetDIBitsToDevice, as a DIB of their own, so the source origin is row 0 whichever way the
// system counts rows. The area is clipped to the bitmap; it lands at the same place on the device.
#pragma once

#include <windows.h>

#include "toolkit/bitmap.h"
#include "toolkit/rectangle.h"

namespace wobbert::platform {

inline void CopyToDevice(HDC context, const Bitmap& bitmap, const Rectangle& wanted) {
  const Rectangle area = Intersection(wanted, {0, 0, bitmap.Width(), bitmap.Height()});
  if (area.Empty() || !context) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = bitmap.Width();
  info.bmiHeader.biHeight = -area.Height();  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const std::uint8_t* rows =
      bitmap.Bits() + static_cast<std::size_t>(area.top) * static_cast<std::size_t>(bitmap.Stride());
  SetDIBitsToDevice(context, area.left, area.top, static_cast<DWORD>(area.Width()),
                    static_cast<DWORD>(area.Height()), area.left, 0, 0, static_cast<UINT>(area.Height()), rows,
                    &info, DIB_RGB_COLORS);
}

}  // namespace wobbert::platform
