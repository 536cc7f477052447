#include "platform/win32/page_source.h"

#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on

#include "html_document.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_handle.h"

namespace tevanor::win32 {
namespace {

using helpers::HtmlPage;

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
  // Browser windows of this thread; those of other programs are read by the end-to-end tests.
  const UniqueWindow top(
      ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr));
  const HWND browser = helpers::CreateBrowserWindow(top.get(), &page);
  const HWND silent = helpers::CreateBrowserWindow(top.get(), nullptr);
  const auto session = source.BeginInspection();
  ASSERT_TRUE(session);
  EXPECT_FALSE(session->DocumentOf(ToHandle(silent)));
  EXPECT_FALSE(session->DocumentOf(WindowHandle{0x1234}));
  const auto document = session->DocumentOf(ToHandle(browser));
  ASSERT_TRUE(document);
  EXPECT_EQ(Describe(*document),
            "http://p\xE1gina.example/ complete cuerpo \x80 "
            "[f0 loading marco cero [f00 complete interior [-], -], -, -]");
}

std::size_t ThreadsOfThisProcess() {
  // Like a file's, the snapshot's handle is INVALID_HANDLE_VALUE when there is none.
  const UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  std::size_t threads = 0;
  for (BOOL more = ::Thread32First(snapshot.get(), &entry); more;
       more = ::Thread32Next(snapshot.get(), &entry))
    threads += entry.th32OwnerProcessID == ::GetCurrentProcessId();
  return threads;
}

// The thread stuck in a page's call cannot be ended, only left behind: the page is not asked
// again while that call hangs, or every pass would leave one more thread.
TEST(Win32PageSource, APageThatNeverAnswersHoldsOneThreadNotOnePerPass) {
  HtmlPage page = Page(L"http://colgado.example/", L"");
  page.neverAnswers = L"URL";
  Win32PageSource source;
  const UniqueWindow top(
      ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr));
  const HWND browser = helpers::CreateBrowserWindow(top.get(), &page);
  const std::size_t before = ThreadsOfThisProcess();
  int documents = 0;
  for (int pass = 0; pass < 10; ++pass) {
    const auto session = source.BeginInspection();
    ASSERT_TRUE(session);
    if (const auto document = session->DocumentOf(ToHandle(browser))) {
      ++documents;
      EXPECT_EQ(document->Address(), "");
    }
  }
  EXPECT_GE(documents, 1);
  EXPECT_LE(documents, 2) << "the page is asked again while its call hangs";
  // The stuck thread, the one that took its place, and what COM starts for itself.
  EXPECT_LE(ThreadsOfThisProcess(), before + 4);
}

}  // namespace
}  // namespace tevanor::win32
