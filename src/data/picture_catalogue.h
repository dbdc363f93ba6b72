// The catalogue of the program's 37 pictures: which picture is which, and the size each one has.
//
// Pictures 0..15 are the green fir trees, 16 + k is tree k under snow (a few pixels larger), and
// 32..36 are the five poses of the figure. Every picture has a pure magenta ground that includes
// the pixel at (1, 1). The picture generator draws to these sizes and the loader relies on them.
#pragma once

#include <array>

namespace wobbert {

inline constexpr int pictureCount = 37;
inline constexpr int treeCount = 16;
inline constexpr int poseCount = 5;
inline constexpr int firstSnowyTree = 16;
inline constexpr int firstFigurePose = 32;

struct PictureSize {
  int width;
  int height;
};

inline constexpr std::array<PictureSize, pictureCount> pictureSizes = {{
    {141, 192}, {154, 218}, {171, 244}, {149, 208}, {171, 235}, {142, 199}, {162, 225}, {180, 251},
    {151, 215}, {170, 242}, {144, 205}, {170, 232}, {133, 196}, {156, 222}, {179, 247}, {153, 214},
    {141, 196}, {155, 222}, {172, 248}, {150, 213}, {171, 238}, {143, 203}, {163, 229}, {180, 256},
    {151, 220}, {171, 246}, {144, 210}, {170, 236}, {134, 200}, {156, 226}, {180, 251}, {154, 218},
    {148, 141}, {146, 144}, {155, 137}, {148, 140}, {143, 139},
}};

constexpr bool IsTreePicture(int index) { return index >= 0 && index < firstFigurePose; }

}  // namespace wobbert
