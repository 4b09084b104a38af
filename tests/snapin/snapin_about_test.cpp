// The About information: texts in the chosen language, the installed version by installation
// kind, and the images with their sizes and mask colour.
#include <gtest/gtest.h>

#include "mmc/mmc.h"
#include "module/snapin/guids.h"
#include "platform/com/memory.h"
#include "platform/win/resources.h"
#include "tests/snapin/module_fixture.h"

namespace {

constexpr wchar_t kServerKey[] = L"SOFTWARE\\Ardent Telecom\\Pagewell";
constexpr wchar_t kConfigKey[] = L"SOFTWARE\\Ardent Telecom\\Pagewell\\Config";
constexpr wchar_t kMonitorKey[] = L"SOFTWARE\\Ardent Telecom\\Ziroze Vevavur";

std::wstring TakeString(LPWSTR text) {
  std::wstring result = text != nullptr ? text : L"<null>";
  CoTaskMemFree(text);
  return result;
}

void SetVersion(const wchar_t* key, DWORD major, DWORD minor, DWORD build) {
  pw::test::SetMachineDword(key, L"MajorVer", major);
  pw::test::SetMachineDword(key, L"MinorVer", minor);
  pw::test::SetMachineDword(key, L"Build", build);
}

class AboutTest : public ::testing::Test {
 protected:
  std::wstring Version() {
    pw::ComPtr<ISnapinAbout> about;
    EXPECT_EQ(module_.Create(CLSID_PagewellAbout, &about), S_OK);
    if (!about) return L"<none>";
    LPWSTR text = nullptr;
    EXPECT_EQ(about->GetSnapinVersion(&text), S_OK);
    return TakeString(text);
  }

  pw::test::TempRegistry registry_;
  pw::test::TempDir folder_;
  pw::test::ModuleCopy module_{folder_};
};

// The description and provider come from the English string table by default.
TEST_F(AboutTest, Texts) {
  pw::ComPtr<ISnapinAbout> about;
  ASSERT_EQ(module_.Create(CLSID_PagewellAbout, &about), S_OK);
  LPWSTR text = nullptr;
  ASSERT_EQ(about->GetSnapinDescription(&text), S_OK);
  EXPECT_EQ(TakeString(text),
            L"Local or Remote Configuration and/or Monitor for Pagewell. Extension for Microsoft "
            L"Management Console (MMC) version 1.2 and above.");
  ASSERT_EQ(about->GetProvider(&text), S_OK);
  EXPECT_EQ(TakeString(text), L"Ardent Telecom");
  EXPECT_EQ(about->GetSnapinDescription(nullptr), E_POINTER);
}

// The version comes from the server's key, or from the monitor's key on a remote console.
TEST_F(AboutTest, VersionByInstallationKind) {
  EXPECT_EQ(Version(), L"Cannot read version information");
  SetVersion(kServerKey, 9, 2, 1234);
  SetVersion(kMonitorKey, 9, 1, 77);
  EXPECT_EQ(Version(), L"9.2 (Build 1234)");
  pw::test::SetMachineDword(kConfigKey, L"REMOTE", 1);
  EXPECT_EQ(Version(), L"9.1 (Build 77)");
  pw::test::SetMachineDword(kConfigKey, L"REMOTE", 2);
  EXPECT_EQ(Version(), L"9.1 (Build 77)");
  pw::test::SetMachineDword(kConfigKey, L"REMOTE", 3);
  EXPECT_EQ(Version(), L"9.2 (Build 1234)");
  // A REMOTE value of the wrong type counts as 0: a local server.
  pw::test::SetMachineString(kConfigKey, L"REMOTE", L"1");
  EXPECT_EQ(Version(), L"9.2 (Build 1234)");
  SetVersion(kServerKey, 4294967295u, 0, 0);
  EXPECT_EQ(Version(), L"4294967295.0 (Build 0)");
}

// A version value stored as text, or one that is missing, gives the fallback text.
TEST_F(AboutTest, MalformedVersionValues) {
  SetVersion(kServerKey, 9, 2, 1234);
  pw::test::SetMachineString(kServerKey, L"Build", L"1234");
  EXPECT_EQ(Version(), L"Cannot read version information");
  SetVersion(kServerKey, 9, 2, 1234);
  CRegKey key;
  ASSERT_EQ(key.Open(HKEY_LOCAL_MACHINE, kServerKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
  ASSERT_EQ(key.DeleteValue(L"MinorVer"), ERROR_SUCCESS);
  EXPECT_EQ(Version(), L"Cannot read version information");
}

// The folder images are 16 and 32 pixels square with the teal mask colour; the icon exists.
TEST_F(AboutTest, Images) {
  pw::ComPtr<ISnapinAbout> about;
  ASSERT_EQ(module_.Create(CLSID_PagewellAbout, &about), S_OK);
  HBITMAP small_image = nullptr;
  HBITMAP small_open = nullptr;
  HBITMAP large_image = nullptr;
  COLORREF mask = 0;
  ASSERT_EQ(about->GetStaticFolderImage(&small_image, &small_open, &large_image, &mask), S_OK);
  EXPECT_EQ(mask, 0x00808000u);
  BITMAP info;
  ASSERT_TRUE(GetBitmapInfo(small_image, &info));
  EXPECT_EQ(info.bmWidth, 16);
  EXPECT_EQ(info.bmHeight, 16);
  ASSERT_TRUE(GetBitmapInfo(small_open, &info));
  EXPECT_EQ(info.bmWidth, 16);
  EXPECT_NE(small_open, small_image);
  ASSERT_TRUE(GetBitmapInfo(large_image, &info));
  EXPECT_EQ(info.bmWidth, 32);
  EXPECT_EQ(info.bmHeight, 32);

  // The image is drawn: it has transparent (mask-coloured) pixels and others.
  const pw::ImagePixels* pixels = pw::BitmapPixels(large_image);
  ASSERT_NE(pixels, nullptr);
  int transparent = 0;
  for (std::uint32_t pixel : pixels->pixels) transparent += (pixel & 0xFFFFFF) == 0x008080;
  EXPECT_GT(transparent, 0);
  EXPECT_LT(transparent, 32 * 32);

  HICON icon = nullptr;
  ASSERT_EQ(about->GetSnapinImage(&icon), S_OK);
  ASSERT_NE(pw::IconPixels(icon), nullptr);
  EXPECT_EQ(pw::IconPixels(icon)->width, 32);
}

}  // namespace
