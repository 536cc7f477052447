#include "platform/win32/page_source.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include "html_document.h"
#include "platform/win32/window_handle.h"
#include "window_thread.h"

namespace tevanor::win32 {
namespace {

using helpers::HtmlPage;

LRESULT CALLBACK BrowserChild(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* page = reinterpret_cast<const HtmlPage*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == ::RegisterWindowMessageW(L"WM_HTML_GETOBJECT") && page)
    return helpers::AnswerDocumentRequest(*page, wParam);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// A browser child window, on a thread of its own with COM, that shows `page`.
HWND MakeBrowser(const HtmlPage& page) {
  ::CoInitialize(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = BrowserChild;
  windowClass.lpszClassName = L"Internet Explorer_Server";
  ::RegisterClassW(&windowClass);
  HWND child = ::CreateWindowExW(0, L"Internet Explorer_Server", L"", 0, 0, 0, 10, 10, HWND_MESSAGE,
                                 nullptr, nullptr, nullptr);
  ::SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&page));
  return child;
}

HtmlPage Page(std::wstring url, std::wstring body, const wchar_t* state = L"complete") {
  HtmlPage page;
  page.url = std::move(url);
  page.bodyText = std::move(body);
  page.readyState = state;
  return page;
}

class PageSourceTest : public ::testing::Test {
 protected:
  Win32PageSource source;
};

TEST_F(PageSourceTest, ReadsADocumentAndItsFramesFromAnotherThread) {
  HtmlPage page = Page(L"http://p\u00E1gina.example/", L"cuerpo \u20AC");
  page.frames = {Page(L"f0", L"marco cero", L"loading"), Page(L"f1", L"")};
  page.frames[1].denied = true;
  page.frames[0].frames = {Page(L"f00", L"interior")};
  HWND child = nullptr;
  const WindowThread browser([&] { child = MakeBrowser(page); });

  const auto session = source.BeginInspection();
  ASSERT_TRUE(session);
  const auto document = session->DocumentOf(ToHandle(child));
  ASSERT_TRUE(document);
  EXPECT_EQ(document->Address(), "http://p\xE1gina.example/");
  EXPECT_EQ(document->ReadyState(), "complete");
  EXPECT_EQ(document->BodyText(), "cuerpo \x80");
  ASSERT_EQ(document->FrameCount(), 2u);
  const auto frame = document->Frame(0);
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->ReadyState(), "loading");
  EXPECT_EQ(frame->BodyText(), "marco cero");
  ASSERT_EQ(frame->FrameCount(), 1u);
  EXPECT_EQ(frame->Frame(0)->BodyText(), "interior");
  EXPECT_FALSE(document->Frame(1));  // its document is denied
  EXPECT_FALSE(document->Frame(2));
}

TEST_F(PageSourceTest, WindowsThatGiveNoDocumentAreSkipped) {
  HWND hung = nullptr;
  const HtmlPage page = Page(L"http://colgado.example/", L"");
  const WindowThread hungBrowser([&] { hung = MakeBrowser(page); }, /*hang=*/true);
  HWND silent = nullptr;
  const WindowThread plain([&] {
    silent = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr,
                               nullptr);
  });
  const auto session = source.BeginInspection();
  ASSERT_TRUE(session);
  EXPECT_FALSE(session->DocumentOf(ToHandle(hung)));
  EXPECT_FALSE(session->DocumentOf(ToHandle(silent)));
  EXPECT_FALSE(session->DocumentOf(WindowHandle{0x1234}));
}

}  // namespace
}  // namespace tevanor::win32
