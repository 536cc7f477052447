#include "platform/win32/page_source.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "html_document.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_handle.h"

namespace tevanor::win32 {
namespace {

using helpers::HtmlPage;

LRESULT CALLBACK BrowserChild(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* page = reinterpret_cast<const HtmlPage*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == ::RegisterWindowMessageW(L"WM_HTML_GETOBJECT") && page)
    return helpers::AnswerDocumentRequest(*page, wParam);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// A browser child window of this thread that shows `page`. Documents are read from other
// processes by the end-to-end tests.
HWND MakeBrowser(const HtmlPage& page) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = BrowserChild;
  windowClass.lpszClassName = L"Internet Explorer_Server";
  ::RegisterClassW(&windowClass);
  HWND child = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 10, 10, HWND_MESSAGE,
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

// A document as text: address, ready state and body text, then its frames in brackets, where
// "-" stands for a frame that cannot be had; one index past the last must give none.
std::string Describe(PageDocument& document) {
  std::string text = document.Address() + " " + document.ReadyState() + " " + document.BodyText();
  const std::size_t frames = document.FrameCount().value_or(0);
  text += " [";
  for (std::size_t i = 0; i <= frames; ++i) {
    const auto frame = document.Frame(i);
    text += (i ? ", " : "") + (frame ? Describe(*frame) : "-");
  }
  return text + "]";
}

TEST(Win32PageSource, ReadsADocumentAndItsFrames) {
  HtmlPage page = Page(L"http://p\u00E1gina.example/", L"cuerpo \u20AC");
  page.frames = {Page(L"f0", L"marco cero", L"loading"), Page(L"f1", L"")};
  page.frames[0].frames = {Page(L"f00", L"interior")};
  page.frames[1].denied = true;
  Win32PageSource source;
  const UniqueWindow browser(MakeBrowser(page));
  const UniqueWindow silent(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, HWND_MESSAGE,
                                              nullptr, nullptr, nullptr));
  const auto session = source.BeginInspection();
  ASSERT_TRUE(session);
  EXPECT_FALSE(session->DocumentOf(ToHandle(silent.get())));
  EXPECT_FALSE(session->DocumentOf(WindowHandle{0x1234}));
  const auto document = session->DocumentOf(ToHandle(browser.get()));
  ASSERT_TRUE(document);
  EXPECT_EQ(Describe(*document),
            "http://p\xE1gina.example/ complete cuerpo \x80 "
            "[f0 loading marco cero [f00 complete interior [-], -], -, -]");
}

}  // namespace
}  // namespace tevanor::win32
