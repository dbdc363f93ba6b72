#include "render_picture.h"

#include "data/picture_catalogue.h"
#include "figure.h"
#include "trees.h"

namespace wobbert::pictures {

Result<StoredPicture> RenderPicture(int index) {
  if (index < 0 || index >= pictureCount) return Error{"no such picture"};
  const PictureSize size = pictureSizes[static_cast<std::size_t>(index)];
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.width, size.height);
  cairo_t* cr = cairo_create(surface);
  if (index < firstFigurePose) {
    DrawFirTree(cr, index % treeCount, index >= firstSnowyTree);
  } else {
    DrawFigurePose(cr, index - firstFigurePose, size.width, size.height);
  }
  cairo_destroy(cr);
  auto stored = StorePicture(surface, index >= firstFigurePose);
  cairo_surface_destroy(surface);
  return stored;
}

}  // namespace wobbert::pictures
