#include "render_picture.h"

#include "data/picture_catalogue.h"
#include "trees.h"
#if WOBBERT_HAVE_FIGURE
#include "figure.h"
#endif

namespace wobbert::pictures {

bool FigureAvailable() { return WOBBERT_HAVE_FIGURE != 0; }

Result<StoredPicture> RenderPicture(int index) {
  if (index < 0 || index >= pictureCount) return Error{"no such picture"};
  if (index >= firstFigurePose && !FigureAvailable()) return Error{"the figure is not drawn in this build"};
  const PictureSize size = pictureSizes[static_cast<std::size_t>(index)];
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.width, size.height);
  cairo_t* cr = cairo_create(surface);
  if (index < firstFigurePose) {
    DrawFirTree(cr, index % treeCount, index >= firstSnowyTree);
  } else {
#if WOBBERT_HAVE_FIGURE
    DrawFigurePose(cr, index - firstFigurePose, size.width, size.height);
#endif
  }
  cairo_destroy(cr);
  auto stored = StorePicture(surface, index >= firstFigurePose);
  cairo_surface_destroy(surface);
  return stored;
}

}  // namespace wobbert::pictures
