// Tests of CAnimateCtrl and CImageList: animations from bitmap strips of the dialog's
// module, with ACN_START/ACN_STOP, and image lists cut from strips and icons.
#include "platform/ui/animate_ctrl.h"

#include <gtest/gtest.h>

#include "platform/ui/image_list.h"
#include "tests/ui/ui_test_fixture.h"

namespace pw::test {
namespace {

using AnimateCtrlTest = UiTest;
using Events = std::vector<std::string>;

// Open loads the strip from the dialog's module; Play and Stop notify the parent; a seek
// shows one frame without playing; an unknown resource does not open.
TEST_F(AnimateCtrlTest, OpenPlayStop) {
  std::unique_ptr<RecordingDialog> dialog = ShowModeless(IDD_EVERYTHING);
  CAnimateCtrl& animation = *dialog->GetDlgItem<CAnimateCtrl>(IDC_ANIMATION);
  EXPECT_FALSE(animation.IsOpen());
  EXPECT_FALSE(animation.Play(0, 0xFFFF, static_cast<UINT>(-1)));
  EXPECT_FALSE(animation.Open(999));
  ASSERT_TRUE(animation.Open(IDB_FRAMES));
  EXPECT_EQ(animation.GetResourceId(), IDB_FRAMES);
  EXPECT_EQ(animation.GetFrameCount(), 3);
  EXPECT_FALSE(animation.IsPlaying());

  EXPECT_TRUE(animation.Play(0, 0xFFFF, static_cast<UINT>(-1)));
  EXPECT_TRUE(animation.IsPlaying());
  EXPECT_EQ(animation.GetLastFrame(), 2);
  EXPECT_TRUE(animation.Stop());
  EXPECT_FALSE(animation.IsPlaying());
  EXPECT_TRUE(animation.Seek(1));
  EXPECT_FALSE(animation.IsPlaying());
  EXPECT_EQ(animation.GetFirstFrame(), 1);
  EXPECT_EQ(dialog->Take(), (Events{"ACN_START 1017", "ACN_STOP 1017"}));

  EXPECT_TRUE(animation.Play(0, 0xFFFF, 1));
  EXPECT_TRUE(animation.Close());
  EXPECT_FALSE(animation.IsOpen());
  EXPECT_EQ(dialog->Take(), (Events{"ACN_START 1017", "ACN_STOP 1017"}));
  dialog->DestroyWindow();
}

// A strip is cut into cx-wide images; the mask colour becomes transparent; icons are scaled
// to the list's size; bad indexes find nothing.
TEST_F(AnimateCtrlTest, ImageListsFromStripsAndIcons) {
  CImageList images;
  ASSERT_TRUE(images.Create(IDB_STRIP, 2, 1, RGB(0xFF, 0x00, 0xFF)));
  ASSERT_EQ(images.GetImageCount(), 2);
  const pw::ImagePixels* first = images.GetImagePixels(0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->width, 2);
  EXPECT_EQ(first->height, 2);
  // k m / m k: black stays, magenta goes.
  EXPECT_EQ(first->pixels, (std::vector<std::uint32_t>{0xFF000000u, 0u, 0u, 0xFF000000u}));
  EXPECT_EQ(images.GetImagePixels(1)->pixels[0], 0xFFFFFFFFu);

  HICON icon = LoadIcon(kUiTestResources.handle(), IDI_DOCUMENT);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(images.Add(icon), 2);
  DestroyIcon(icon);
  const pw::ImagePixels* scaled = images.GetImagePixels(2);
  ASSERT_NE(scaled, nullptr);
  EXPECT_EQ(scaled->width, 2);
  EXPECT_EQ(scaled->height, 2);
  EXPECT_EQ(images.GetImagePixels(3), nullptr);
  EXPECT_TRUE(images.Remove(0));
  EXPECT_EQ(images.GetImageCount(), 2);
  EXPECT_TRUE(images.Remove(-1));
  EXPECT_EQ(images.GetImageCount(), 0);
  EXPECT_FALSE(images.Remove(0));

  CImageList missing;
  EXPECT_FALSE(missing.Create(4242, 16, 0, CLR_NONE));
  EXPECT_EQ(missing.Add(static_cast<HICON>(nullptr)), -1);
}

}  // namespace
}  // namespace pw::test
