// The compiled dialog templates hold what their C++ descriptions say: the fake host builds its
// controls from those descriptions, so unit tests and the product see the same dialogs.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <vector>

#include "platform/win32/framework/gdi_handles.h"
#include "platform/win32/win32_text.h"
#include "resource.h"
#include "ui/about_dlg.h"
#include "ui/block_notice_dlg.h"
#include "ui/password_dlg.h"
#include "ui/welcome_dlg.h"

namespace tevanor {
namespace {

// The window class of each control kind, in the order of ControlKind, and its type style.
// clang-format off
constexpr std::wstring_view kClasses[] = {
    L"Static", L"Static", L"Edit", L"Button", L"Button", L"Button", L"Button", L"Button",
    L"Static", L"Static", WC_LISTVIEWW};
constexpr LONG kTypes[] = {
    SS_LEFT, SS_CENTER, 0, BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON,
    BS_GROUPBOX, SS_ICON, SS_BITMAP, 0};
// clang-format on
static_assert(std::size(kTypes) == static_cast<std::size_t>(ControlKind::kListView) + 1);

class DialogTemplates : public ::testing::TestWithParam<const DialogTemplate*> {};

TEST_P(DialogTemplates, HoldEveryControlAtItsPlaceWithItsTextAndStyle) {
  const DialogTemplate& layout = *GetParam();
  const auto inert = [](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR {
    return message == WM_INITDIALOG;
  };
  win32::UniqueWindow dialog(::CreateDialogParamW(::GetModuleHandleW(nullptr),
                                                  MAKEINTRESOURCEW(layout.id), nullptr, inert, 0));
  ASSERT_TRUE(dialog);
  HWND hwnd = dialog.get();
  wchar_t text[512] = {};
  ::GetWindowTextW(hwnd, text, 512);
  EXPECT_EQ(text, win32::Wide(layout.caption));
  EXPECT_EQ(::GetWindowLongW(hwnd, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_VISIBLE),
            WS_CAPTION | ((layout.style & kSystemMenu) != 0 ? WS_SYSMENU : 0) |
                ((layout.style & kVisibleAtCreation) != 0 ? WS_VISIBLE : 0));

  LOGFONTW font{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfFaceName, win32::Wide(layout.font));
  HDC screen = ::GetDC(nullptr);
  EXPECT_EQ(::MulDiv(-font.lfHeight, 72, ::GetDeviceCaps(screen, LOGPIXELSY)), layout.pointSize);
  ::ReleaseDC(nullptr, screen);

  RECT size{0, 0, layout.width, layout.height};
  ::MapDialogRect(hwnd, &size);
  RECT client{};
  ::GetClientRect(hwnd, &client);
  EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(size.right, size.bottom));

  std::vector<HWND> children;
  for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  ASSERT_EQ(children.size(), layout.controls.size());
  for (std::size_t i = 0; i < children.size(); ++i) {
    const ControlTemplate& c = layout.controls[i];
    HWND child = children[i];
    SCOPED_TRACE("control #" + std::to_string(i) + ", id " + std::to_string(c.id));
    EXPECT_EQ(::GetDlgCtrlID(child) & 0xFFFF, c.id & 0xFFFF);
    const std::wstring_view windowClass = kClasses[static_cast<int>(c.kind)];
    const LONG type = kTypes[static_cast<int>(c.kind)];
    ::GetClassNameW(child, text, 512);
    EXPECT_EQ(text, windowClass);
    const LONG style = ::GetWindowLongW(child, GWL_STYLE);
    const bool button = windowClass == L"Button";
    const bool label = windowClass == L"Static";
    EXPECT_EQ(style & (button ? BS_TYPEMASK : label ? SS_TYPEMASK : 0), type);
    EXPECT_EQ((style & WS_VISIBLE) == 0, (c.style & kHidden) != 0);
    // The style flags beyond the kind, each as its class has it.
    const LONG flag = button ? BS_BITMAP : label ? SS_REALSIZEIMAGE : ES_PASSWORD;
    EXPECT_EQ((style & flag) != 0,
              (c.style & (kImageButton | kRealSizeImage | kPasswordEdit)) != 0);

    // The dialog manager converts the place and the size separately.
    RECT place{c.rect.x, c.rect.y, c.rect.width, c.rect.height};
    ::MapDialogRect(hwnd, &place);
    RECT actual{};
    ::GetWindowRect(child, &actual);
    ::MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(std::make_pair(actual.left, actual.top), std::make_pair(place.left, place.top));
    if (c.kind == ControlKind::kIcon || c.kind == ControlKind::kPicture) {
      // A picture sizes its control itself; it must be loaded.
      const WPARAM image = c.kind == ControlKind::kIcon ? IMAGE_ICON : IMAGE_BITMAP;
      EXPECT_NE(::SendMessageW(child, STM_GETIMAGE, image, 0), 0);
      continue;
    }
    EXPECT_EQ(std::make_pair(actual.right - actual.left, actual.bottom - actual.top),
              std::make_pair(place.right, place.bottom));
    ::GetWindowTextW(child, text, 512);
    EXPECT_EQ(text, win32::Wide(c.text));
  }
}

INSTANTIATE_TEST_SUITE_P(Tevanor, DialogTemplates,
                         ::testing::Values(&CAboutDlg::kTemplate, &CPasswordDlg::kTemplate,
                                           &CWelcomeDlg::kTemplate, &CBlockNoticeDlg::kTemplate),
                         [](const auto& info) { return std::to_string(info.param->id); });

// Push buttons show only their picture, so each picture fills its 54 x 18 button; the icon
// holds a 32 x 32 and a 16 x 16 image.
TEST(Pictures, HaveTheSizesTheirDialogsAreLaidOutFor) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  for (const auto& [id, width, height] : {std::tuple{IDB_CANCEL_BUTTON, 81L, 29L},
                                          {IDB_OK_BUTTON, 81L, 29L},
                                          {IDB_NOTICE_PICTURE, 200L, 100L}}) {
    win32::UniqueBitmap image(static_cast<HBITMAP>(
        ::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    BITMAP info{};
    ::GetObjectW(image.get(), sizeof info, &info);
    EXPECT_EQ(std::make_pair(info.bmWidth, info.bmHeight), std::make_pair(width, height)) << id;
  }
  HRSRC group = ::FindResourceW(module, MAKEINTRESOURCEW(IDI_MAIN), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  const auto* directory = static_cast<const BYTE*>(::LockResource(::LoadResource(module, group)));
  std::vector<int> sizes;
  for (WORD i = 0; i < *reinterpret_cast<const WORD*>(directory + 4); ++i)
    sizes.push_back(directory[6 + 14 * i]);
  EXPECT_EQ(sizes, (std::vector<int>{32, 16}));
}

}  // namespace
}  // namespace tevanor
