#include "dialogs/pic_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "core/album_model.h"
#include "dialogs/pic_view_zoom.h"
#include "init/profile.h"
#include "support/controls.h"
#include "support/jpeg_test_files.h"
#include "support/test_files.h"

namespace {

const QSize kScreen(1920, 1080);

TEST(PicViewLayout, CentresFitsAndOverhangs) {
  const struct {
    QSize picture;
    int zoom;
    QRect placed;
  } cases[] = {
      {{1000, 3000}, 0, {780, 0, 360, 1080}},   // portrait, fitted
      {{4000, 3000}, 0, {240, 0, 1440, 1080}},  // 4:3 on a wide screen fits both ways
      {{4000, 1000}, 0, {0, 300, 1920, 480}},
      {{800, 600}, 0, {560, 240, 800, 600}},           // never enlarged
      {{4000, 3000}, 100, {-1040, -960, 4000, 3000}},  // pans both ways
      {{3000, 500}, 100, {-540, 290, 3000, 500}},      // pans across only
      {{1000, 701}, 50, {710, 365, 500, 350}},         // zoom truncates
      {{2001, 100}, 100, {-40, 490, 2001, 100}},       // the odd pixel overhangs right
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PicViewLayout(c.picture, kScreen, c.zoom).Picture, c.placed)
        << c.picture.width() << "x" << c.picture.height() << " at " << c.zoom;
  }
}

// "+" and "-" step along the ladder from the percentage shown: in fit mode
// the fitted one, so "+" always enlarges.
TEST(PicViewLayout, KeysStepTheZoomFromWhatIsShownAndMostKeysClose) {
  const auto pad = Qt::KeypadModifier;
  const struct {
    int zoom;
    double shown;
    int key;
    Qt::KeyboardModifiers mods;
    int after;
    bool closes;
  } cases[] = {
      {0, 25, Qt::Key_Plus, pad, 33, false},
      {0, 49.8, Qt::Key_Plus, pad, 67, false},
      {0, 100, Qt::Key_Minus, pad, 67, false},
      {0, 5, Qt::Key_Minus, pad, 0, false},
      {0, 5, Qt::Key_Plus, pad, 10, false},
      {150, 150, Qt::Key_Plus, pad, 200, false},
      {200, 200, Qt::Key_Plus, pad, 200, false},
      {10, 10, Qt::Key_Minus, pad, 10, false},
      {120, 120, Qt::Key_Minus, {}, 100, false},
      {120, 120, Qt::Key_Plus, Qt::ShiftModifier, 150, false},
      {100, 100, Qt::Key_Equal, {}, 150, false},
      {50, 50, Qt::Key_Asterisk, pad, 0, false},
      {0, 30, Qt::Key_Slash, pad, 100, false},
      {100, 100, Qt::Key_Slash, {}, 100, true},
      {100, 100, Qt::Key_Shift, Qt::ShiftModifier, 100, false},
      {100, 100, Qt::Key_Control, {}, 100, false},
      {100, 100, Qt::Key_Return, {}, 100, false},
      {100, 100, Qt::Key_Space, {}, 100, true},
      {100, 100, Qt::Key_Escape, {}, 100, true},
      {100, 100, Qt::Key_A, {}, 100, true},
  };
  for (const auto& c : cases) {
    int zoom = c.zoom;
    EXPECT_EQ(PicViewKeyCloses(c.key, c.mods, zoom, c.shown), c.closes) << c.key;
    EXPECT_EQ(zoom, c.after) << c.key << " from " << c.shown;
  }
}

// After a zoom, the point under the anchor stays there on an axis where the
// picture overhangs, as far as its edges allow; where it fits it is centred.
TEST(PicViewLayout, AZoomKeepsTheAnchoredPointInPlace) {
  const struct {
    QRect before;
    QRect placed;
    QPoint anchor;
    QRect after;
  } cases[] = {
      {{240, 0, 1440, 1080}, {-1040, -960, 4000, 3000}, {600, 540}, {-400, -960, 4000, 3000}},
      {{240, 0, 1440, 1080}, {-1040, -960, 4000, 3000}, {240, 0}, {0, 0, 4000, 3000}},
      {{-540, 290, 3000, 500}, {-1290, 165, 4500, 750}, {0, 540}, {-810, 165, 4500, 750}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PicViewZoomedAround(c.before, c.placed, kScreen, c.anchor), c.after) << c.anchor.x();
}

TEST(PicViewLayout, DragsPanAfter11PixelsAndStopAtThePicturesEdges) {
  const QRect big(-1040, -960, 4000, 3000);
  PicPan pan;
  pan.Press({500, 500});
  EXPECT_EQ(pan.Move({510, 510}, big, kScreen), big.topLeft());
  EXPECT_EQ(pan.Move({511, 500}, big, kScreen), QPoint(-1029, -960));
  EXPECT_EQ(pan.Move({5000, 5000}, big, kScreen), QPoint(0, 0));
  EXPECT_EQ(pan.Move({-9000, -9000}, QRect({0, 0}, big.size()), kScreen), QPoint(-2080, -1920));
  EXPECT_FALSE(pan.ReleaseCloses({0, 0}));
  // A picture as high as the screen does not pan up or down; such a release
  // 10 pixels or more away neither pans nor closes.
  pan.Reset();
  pan.Press({100, 100});
  EXPECT_EQ(pan.Move({100, 150}, {-540, 290, 3000, 500}, kScreen), QPoint(-540, 290));
  EXPECT_FALSE(pan.ReleaseCloses({100, 150}));
  pan.Press({100, 100});
  EXPECT_TRUE(pan.ReleaseCloses({109, 91}));
  pan.Reset();
  EXPECT_FALSE(pan.ReleaseCloses({0, 0}));  // no press in the view
}

// The view over a chapter of picture files in a temporary folder, on a
// 400 x 300 screen.
class PicViewTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  AlbumLook look;
  AlbumModel model;
  PicViewDialog view{look};
  QList<QUrl> opened;
  const QRect screen{0, 0, 400, 300};

  void SetUp() override {
    view.SetUrlOpener([this](const QUrl& url) {
      opened << url;
      return true;
    });
  }
  int Add(const QString& name, const QByteArray& bytes) {
    if (!bytes.isNull()) WriteAll(dir.filePath(name), bytes);
    ImageEdits::Insert(model, 0, model.ImageCount(0), ImagesOf({dir.filePath(name)}));
    return model.ImageCount(0) - 1;
  }
  PicImage* Img() const { return dynamic_cast<PicImage*>(Control(&view, "Img")); }
  bool Open(int index) {
    if (!view.LoadImage(model, 0, index, screen)) return false;
    view.show();
    return QTest::qWaitForWindowExposed(&view);
  }
};

TEST_F(PicViewTest, ShowsNothingForWhatItCannotShowAndHandsVideosToTheDesktop) {
  const int missing = Add("gone.jpg", QByteArray());
  const int damaged = Add("bad.jpg", QByteArray("not a picture at all"));
  const int huge =
      Add("huge.jpg", WithClaimedSize(EncodeJpeg(Filled(16, 16, Qt::gray)), 60000, 60000));
  const int other = Add("notes.txt", QByteArray("text"));
  const int video = Add("clip.avi", QByteArray("RIFF"));
  for (int index : {-1, missing, damaged, huge, other, video, 99}) {
    EXPECT_FALSE(view.LoadImage(model, 0, index, screen)) << index;
    EXPECT_FALSE(view.isVisible());
  }
  EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(dir.filePath("clip.avi"))});
}

// A fitted picture is decoded small and shown at 25 %: "+" enlarges it to the
// next step, the wheel zooms around the pointer until the picture fits again,
// and a zoom beyond the fit decodes it again at full size.
TEST_F(PicViewTest, ZoomStartsFromWhatIsShownAndDecodesAgainAtFullSize) {
  look.Zoom = 0;
  ASSERT_TRUE(Open(Add("big.jpg", EncodeJpeg(Filled(1600, 1200, Qt::gray)))));
  EXPECT_EQ(view.geometry(), screen);
  EXPECT_EQ(Img()->Picture().size(), QSize(400, 300));  // decoded at 1/4
  QTest::keyClick(&view, Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(look.Zoom, 33);
  EXPECT_EQ(Img()->geometry(), QRect(-64, -48, 528, 396));
  const QPoint pointer(100, 75);
  auto wheel = [&](int delta) {
    QWheelEvent event(pointer, view.mapToGlobal(pointer), {}, {0, delta}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &event);
  };
  wheel(120);
  EXPECT_EQ(look.Zoom, 50);
  // The picture's point (164, 123) of 528 x 396 is (248, 186) of 800 x 600.
  EXPECT_EQ(Img()->geometry(), QRect(100 - 248, 75 - 186, 800, 600));
  wheel(-60);  // half a notch, as touchpads send
  EXPECT_EQ(look.Zoom, 50);
  wheel(-60 - 120);
  EXPECT_EQ(look.Zoom, 25);
  EXPECT_EQ(Img()->geometry(), QRect(0, 0, 400, 300));
  QTest::keyClick(&view, Qt::Key_Slash, Qt::KeypadModifier);
  EXPECT_EQ(look.Zoom, 100);
  EXPECT_EQ(Img()->geometry(), QRect(-600, -450, 1600, 1200));
  EXPECT_EQ(Img()->Picture().size(), QSize(1600, 1200));
  QTest::keyClick(&view, Qt::Key_Minus);
  EXPECT_EQ(Img()->geometry(), QRect(-336, -252, 1072, 804));
  EXPECT_TRUE(view.isVisible());
  QTest::keyClick(&view, Qt::Key_Space);
  EXPECT_FALSE(view.isVisible());
}

TEST_F(PicViewTest, APortraitCameraPhotoStandsUprightAndBitmapsShow) {
  const JpegOptions onItsSide{90, false, 6};  // EXIF orientation 6
  ASSERT_TRUE(Open(Add("camera.jpg", EncodeJpeg(Filled(80, 60, Qt::gray), onItsSide))));
  EXPECT_EQ(Img()->geometry(), QRect(170, 110, 60, 80));
  EXPECT_EQ(Img()->Picture().size(), QSize(60, 80));
  view.hide();
  ASSERT_TRUE(Filled(50, 40, Qt::gray).save(dir.filePath("flat.bmp"), "BMP"));
  ASSERT_TRUE(Open(Add("flat.bmp", QByteArray())));
  EXPECT_EQ(Img()->geometry(), QRect(175, 130, 50, 40));
}

TEST_F(PicViewTest, AClickClosesAndADragPansWithoutClosing) {
  ASSERT_TRUE(Open(Add("big.jpg", EncodeJpeg(Filled(800, 600, Qt::gray)))));
  EXPECT_EQ(Img()->geometry(), QRect(-200, -150, 800, 600));
  QTest::mousePress(&view, Qt::LeftButton, {}, {200, 150});
  QTest::mouseMove(&view, {211, 150});
  QTest::mouseMove(&view, {260, 170});
  QTest::mouseRelease(&view, Qt::LeftButton, {}, {260, 170});
  EXPECT_EQ(Img()->pos(), QPoint(-140, -130));
  EXPECT_TRUE(view.isVisible());
  QTest::mouseClick(&view, Qt::LeftButton, {}, {100, 100});
  EXPECT_FALSE(view.isVisible());
}

}  // namespace
