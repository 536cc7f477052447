// The compiled dialog templates hold what their C++ descriptions say: the fake host builds its
// controls from those descriptions, so unit tests and the product see the same dialogs.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"
#include "resource.h"
#include "ui/about_dlg.h"
#include "ui/block_notice_dlg.h"
#include "ui/password_dlg.h"
#include "ui/welcome_dlg.h"

namespace tevanor {
namespace {

INT_PTR CALLBACK Inert(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

std::wstring ExpectedClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::kEdit:
      return L"Edit";
    case ControlKind::kPushButton:
    case ControlKind::kDefaultButton:
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
    case ControlKind::kGroupBox:
      return L"Button";
    case ControlKind::kListView:
      return WC_LISTVIEWW;
    default:
      return L"Static";
  }
}

// The style bits that tell the kinds and the template's style flags apart.
void ExpectStyle(const ControlTemplate& c, LONG style, const std::string& where) {
  const LONG button = style & BS_TYPEMASK;
  const LONG text = style & SS_TYPEMASK;
  switch (c.kind) {
    case ControlKind::kText:
      EXPECT_EQ(text, SS_LEFT) << where;
      break;
    case ControlKind::kCentredText:
      EXPECT_EQ(text, SS_CENTER) << where;
      break;
    case ControlKind::kIcon:
      EXPECT_EQ(text, SS_ICON) << where;
      break;
    case ControlKind::kPicture:
      EXPECT_EQ(text, SS_BITMAP) << where;
      break;
    case ControlKind::kPushButton:
      EXPECT_EQ(button, BS_PUSHBUTTON) << where;
      break;
    case ControlKind::kDefaultButton:
      EXPECT_EQ(button, BS_DEFPUSHBUTTON) << where;
      break;
    default:
      break;
  }
  EXPECT_EQ((style & WS_VISIBLE) != 0, (c.style & kHidden) == 0) << where;
  EXPECT_EQ((style & BS_BITMAP) != 0 && ExpectedClass(c.kind) == L"Button",
            (c.style & kImageButton) != 0)
      << where;
  if (c.kind == ControlKind::kEdit) {
    EXPECT_EQ((style & (ES_PASSWORD | ES_AUTOHSCROLL)) == (ES_PASSWORD | ES_AUTOHSCROLL),
              (c.style & kPasswordEdit) != 0)
        << where;
  }
  if (c.kind == ControlKind::kIcon) {
    EXPECT_EQ((style & SS_REALSIZEIMAGE) != 0, (c.style & kRealSizeImage) != 0) << where;
  }
}

class DialogTemplates : public ::testing::TestWithParam<const DialogTemplate*> {};

TEST_P(DialogTemplates, HoldEveryControlAtItsPlaceWithItsTextAndStyle) {
  const DialogTemplate& layout = *GetParam();
  win32::UniqueWindow dialog(::CreateDialogParamW(::GetModuleHandleW(nullptr),
                                                  MAKEINTRESOURCEW(layout.id), nullptr, Inert, 0));
  ASSERT_TRUE(dialog) << "template " << layout.id;
  HWND hwnd = dialog.get();

  wchar_t caption[128] = {};
  ::GetWindowTextW(hwnd, caption, 128);
  EXPECT_EQ(caption, win32::Wide(layout.caption));
  const LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
  EXPECT_EQ((style & WS_SYSMENU) != 0, (layout.style & kSystemMenu) != 0);
  EXPECT_EQ((style & WS_CAPTION), WS_CAPTION);
  EXPECT_EQ((style & WS_VISIBLE) != 0, (layout.style & kVisibleAtCreation) != 0);

  LOGFONTW font{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(std::wstring(font.lfFaceName), win32::Wide(layout.font));
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(::MulDiv(-font.lfHeight, 72, dpi), layout.pointSize);

  RECT size{0, 0, layout.width, layout.height};
  ::MapDialogRect(hwnd, &size);
  RECT client{};
  ::GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, size.right);
  EXPECT_EQ(client.bottom, size.bottom);

  std::vector<HWND> children;
  for (HWND child = ::GetWindow(hwnd, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  ASSERT_EQ(children.size(), layout.controls.size());
  for (std::size_t i = 0; i < children.size(); ++i) {
    const ControlTemplate& c = layout.controls[i];
    HWND child = children[i];
    const std::string where = "template " + std::to_string(layout.id) + ", control #" +
                              std::to_string(i) + " (id " + std::to_string(c.id) + ")";
    EXPECT_EQ(::GetDlgCtrlID(child) & 0xFFFF, c.id & 0xFFFF) << where;
    EXPECT_EQ(ClassOf(child), ExpectedClass(c.kind)) << where;
    ExpectStyle(c, ::GetWindowLongW(child, GWL_STYLE), where);

    // The dialog manager converts the place and the size separately.
    RECT expected{c.rect.x, c.rect.y, c.rect.width, c.rect.height};
    ::MapDialogRect(hwnd, &expected);
    expected.right += expected.left;
    expected.bottom += expected.top;
    RECT actual{};
    ::GetWindowRect(child, &actual);
    ::MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left) << where;
    EXPECT_EQ(actual.top, expected.top) << where;
    if (c.kind == ControlKind::kIcon || c.kind == ControlKind::kPicture) {
      // A picture sizes its control itself; it must be loaded.
      const WPARAM type = c.kind == ControlKind::kIcon ? IMAGE_ICON : IMAGE_BITMAP;
      EXPECT_NE(::SendMessageW(child, STM_GETIMAGE, type, 0), 0) << where;
      continue;
    }
    EXPECT_EQ(actual.right, expected.right) << where;
    EXPECT_EQ(actual.bottom, expected.bottom) << where;
    wchar_t text[512] = {};
    ::GetWindowTextW(child, text, 512);
    EXPECT_EQ(text, win32::Wide(c.text)) << where;
  }
}

INSTANTIATE_TEST_SUITE_P(Tevanor, DialogTemplates,
                         ::testing::Values(&CAboutDlg::kTemplate, &CPasswordDlg::kTemplate,
                                           &CWelcomeDlg::kTemplate, &CBlockNoticeDlg::kTemplate),
                         [](const auto& info) { return std::to_string(info.param->id); });

// Push buttons show only their picture, so each picture fills its 54 x 18 button.
TEST(Pictures, HaveTheSizesTheirDialogsAreLaidOutFor) {
  const struct {
    int id;
    int width;
    int height;
  } bitmaps[] = {
      {IDB_CANCEL_BUTTON, 81, 29}, {IDB_OK_BUTTON, 81, 29}, {IDB_NOTICE_PICTURE, 200, 100}};
  for (const auto& b : bitmaps) {
    HANDLE image = ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(b.id), IMAGE_BITMAP,
                                0, 0, LR_DEFAULTCOLOR);
    ASSERT_NE(image, nullptr) << b.id;
    BITMAP info{};
    ::GetObjectW(image, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, b.width) << b.id;
    EXPECT_EQ(info.bmHeight, b.height) << b.id;
    ::DeleteObject(image);
  }
  // The icon holds a 32 x 32 and a 16 x 16 image.
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC group = ::FindResourceW(module, MAKEINTRESOURCEW(IDI_MAIN), MAKEINTRESOURCEW(14));
  ASSERT_NE(group, nullptr);
  const auto* directory = static_cast<const BYTE*>(::LockResource(::LoadResource(module, group)));
  const WORD count = *reinterpret_cast<const WORD*>(directory + 4);
  std::vector<int> sizes;
  for (WORD i = 0; i < count; ++i) sizes.push_back(directory[6 + 14 * i]);
  EXPECT_EQ(sizes, (std::vector<int>{32, 16}));
}

}  // namespace
}  // namespace tevanor
