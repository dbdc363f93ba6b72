// LoadPicture's numbering and tint, LoadAllPictures, CopyTree and SelectFigurePose.
#include <gtest/gtest.h>

#include "data/picture_catalogue.h"
#include "data/pictures.h"
#include "data/shared_bitmaps.h"
#include "toolkit/bmp_reader.h"
#include "toolkit/random.h"

namespace wobbert {
namespace {

class PictureLoading : public ::testing::Test {
 protected:
  void SetUp() override { ResetSharedBitmaps(); }
  void TearDown() override { ResetSharedBitmaps(); }

  static Bitmap Raw(int index) { return ReadBmp(PictureFile(index)).Value(); }

  // Loads with a given seed, so two loads can be compared.
  static Bitmap Load(int number, std::uint32_t seed) {
    randomSeed = seed;
    Bitmap bitmap;
    EXPECT_TRUE(LoadPicture(number, bitmap)) << number;
    return bitmap;
  }

  // Pixels with red >= green are the ones no tint changes.
  static void ExpectSameUpToTint(const Bitmap& loaded, const Bitmap& raw) {
    ASSERT_EQ(loaded.Width(), raw.Width());
    ASSERT_EQ(loaded.Height(), raw.Height());
    int shaded = 0;
    for (int y = 0; y < raw.Height(); ++y) {
      for (int x = 0; x < raw.Width(); ++x) {
        const Color color = raw.Pixel(x, y);
        if (RedOf(color) >= GreenOf(color)) {
          ASSERT_EQ(loaded.Pixel(x, y), color) << x << ", " << y;
        } else if (loaded.Pixel(x, y) != color) {
          ++shaded;
        }
      }
    }
    EXPECT_GT(shaded, 0);
  }
};

TEST_F(PictureLoading, NumbersMapToIndices) {
  EXPECT_EQ(PictureIndexFor(0), 0);
  EXPECT_EQ(PictureIndexFor(36), 36);
  EXPECT_EQ(PictureIndexFor(100), 0);
  EXPECT_EQ(PictureIndexFor(136), 36);
  EXPECT_EQ(PictureIndexFor(137), -1);
  EXPECT_EQ(PictureIndexFor(199), -1);
  EXPECT_EQ(PictureIndexFor(200), 16);
  EXPECT_EQ(PictureIndexFor(215), 31);
  EXPECT_EQ(PictureIndexFor(220), 36);
  EXPECT_EQ(PictureIndexFor(221), -1);
  EXPECT_EQ(PictureIndexFor(37), -1);
  EXPECT_EQ(PictureIndexFor(99), -1);
  EXPECT_EQ(PictureIndexFor(256), -1);
  EXPECT_EQ(PictureIndexFor(-1), -1);
}

TEST_F(PictureLoading, ResourceNumbersLoadTheSamePictureWithTheSameTint) {
  EXPECT_EQ(Load(100, 42), Load(0, 42));
  EXPECT_EQ(Load(215, 42), Load(31, 42));
  EXPECT_EQ(Load(200 + 20, 9), Raw(36));
  ExpectSameUpToTint(Load(100, 1), Raw(0));
  ExpectSameUpToTint(Load(215, 2), Raw(31));
  EXPECT_TRUE(imageStream.empty());
}

TEST_F(PictureLoading, EveryTreeLoadDrawsAFreshTintFiguresAreNotTinted) {
  randomSeed = 5;
  Bitmap first, second;
  ASSERT_TRUE(LoadPicture(3, first));
  ASSERT_TRUE(LoadPicture(3, second));
  EXPECT_NE(first, second);
  const std::uint32_t before = randomSeed;
  Bitmap pose;
  ASSERT_TRUE(LoadPicture(firstFigurePose + 2, pose));
  EXPECT_EQ(randomSeed, before);
  EXPECT_EQ(pose, Raw(firstFigurePose + 2));
}

TEST_F(PictureLoading, RefusedNumbersLeaveTheBitmapAlone) {
  Bitmap bitmap(3, 2);
  bitmap.SetPixel(2, 1, Rgb(1, 2, 3));
  const Bitmap before = bitmap;
  for (int number : {-1, 37, 99, 137, 199, 221, 256, 1000}) {
    EXPECT_FALSE(LoadPicture(number, bitmap)) << number;
    EXPECT_EQ(bitmap, before) << number;
  }
}

TEST_F(PictureLoading, LoadAllPicturesFillsTheArraysFromTheCatalogue) {
  LoadAllPictures();
  for (int k = 0; k < treeCount; ++k) {
    SCOPED_TRACE(k);
    const auto i = static_cast<std::size_t>(k);
    ExpectSameUpToTint(plainTrees[i], Raw(k));
    ExpectSameUpToTint(snowyTrees[i], Raw(firstSnowyTree + k));
    EXPECT_EQ(plainTrees[i].Pixel(1, 1), keyMagenta);
    EXPECT_EQ(snowyTrees[i].Pixel(1, 1), keyMagenta);
  }
  for (int k = 0; k < poseCount; ++k) EXPECT_EQ(figurePoses[static_cast<std::size_t>(k)], Raw(firstFigurePose + k));
  EXPECT_TRUE(imageStream.empty());
  EXPECT_TRUE(figureBitmap.Empty());
}

TEST_F(PictureLoading, CopyTreeTakesPlainForKindOneSnowyOtherwise) {
  for (int k = 0; k < treeCount; ++k) {
    plainTrees[static_cast<std::size_t>(k)] = Bitmap(10 + k, 20);
    snowyTrees[static_cast<std::size_t>(k)] = Bitmap(30 + k, 40);
    snowyTrees[static_cast<std::size_t>(k)].SetPixel(k, 3, Rgb(k, 1, 2));
  }
  Bitmap tree(5, 5);
  ASSERT_TRUE(CopyTree(7, 1, tree));
  EXPECT_EQ(tree, plainTrees[7]);
  for (int kind : {0, 2, -1}) {
    ASSERT_TRUE(CopyTree(15, kind, tree));
    EXPECT_EQ(tree, snowyTrees[15]);
  }
  const Bitmap before = tree;
  EXPECT_FALSE(CopyTree(16, 1, tree));
  EXPECT_FALSE(CopyTree(-1, 0, tree));
  EXPECT_EQ(tree, before);
}

TEST_F(PictureLoading, SelectFigurePoseRecoloursTheGroundOnly) {
  LoadAllPictures();
  for (int k = 0; k < poseCount; ++k) {
    SCOPED_TRACE(k);
    ASSERT_TRUE(SelectFigurePose(k));
    const Bitmap& pose = figurePoses[static_cast<std::size_t>(k)];
    const PictureSize size = pictureSizes[static_cast<std::size_t>(firstFigurePose + k)];
    EXPECT_EQ(figureWidth, size.width);
    EXPECT_EQ(figureHeight, size.height);
    ASSERT_EQ(figureBitmap.Width(), size.width);
    ASSERT_EQ(figureBitmap.Height(), size.height);
    EXPECT_EQ(figureBitmap.Pixel(1, 1), Rgb(0, 128, 0));
    int magenta = 0, changed = 0;
    for (int y = 0; y < figureHeight; ++y) {
      for (int x = 0; x < figureWidth; ++x) {
        const Color color = figureBitmap.Pixel(x, y);
        if (color == keyMagenta) ++magenta;
        const Color original = pose.Pixel(x, y);
        const Color expected = original == keyMagenta ? Rgb(0, 128, 0) : original;
        if (color != expected) ++changed;
      }
    }
    EXPECT_EQ(magenta, 0);
    EXPECT_EQ(changed, 0);
  }
  const Bitmap before = figureBitmap;
  EXPECT_FALSE(SelectFigurePose(5));
  EXPECT_FALSE(SelectFigurePose(-1));
  EXPECT_EQ(figureBitmap, before);
}

TEST_F(PictureLoading, ResetEmptiesEverything) {
  LoadAllPictures();
  SelectFigurePose(0);
  ResetSharedBitmaps();
  EXPECT_TRUE(plainTrees[0].Empty());
  EXPECT_TRUE(snowyTrees[15].Empty());
  EXPECT_TRUE(figurePoses[4].Empty());
  EXPECT_TRUE(figureBitmap.Empty());
  EXPECT_EQ(figureWidth, 0);
  EXPECT_EQ(figureHeight, 0);
}

}  // namespace
}  // namespace wobbert
