// A small Windows program that shows the windows the guardian must recognise, for the Windows
// tests, the end-to-end tests and the benchmarks:
//
//   tevanor_helper [--locked] window TITLE [CHILDCLASS [TEXT]]
//       a top-level window with one child; an "Edit" child is a real edit control holding TEXT
//   tevanor_helper browser TOPCLASS TITLE URL BODY
//       a top-level window of class TOPCLASS with an "Internet Explorer_Server" child that
//       answers "WM_HTML_GETOBJECT" with a document of URL and BODY
//   tevanor_helper hung-edit TITLE TEXT
//   tevanor_helper hung-browser TITLE
//       the same windows, on a thread that stops answering messages once they exist
//   tevanor_helper silent-page TITLE
//       an "IEFrame" browser whose document never returns from the call for its address while
//       the program goes on answering messages
//   tevanor_helper chrome-frame TITLE URL [TEXT...]
//   tevanor_helper hung-frame TITLE URL
//       a top-level frame of today's browsers (class "Chrome_WidgetWin_1") that serves its page
//       to screen readers: the page URL with one paragraph of the TEXTs; the hung one's tree
//       never answers a call
//   tevanor_helper slow-edits TITLE COUNT MS
//       a window with COUNT controls of class "TevanorSlowEdit" that answer every message MS
//       milliseconds late
//
// --locked first denies every access to the program's own process, so that it cannot be opened.
// Each program runs until it is ended, or until its window is closed: then it exits with
// kClosedExitCode, so that a test can tell a close request from an ended program (exit code 0).
#include <aclapi.h>
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "accessible_tree.h"
#include "html_document.h"

namespace {

using tevanor::helpers::HtmlPage;

constexpr int kClosedExitCode = 3;

constexpr GUID kBrowserTypeLibrary = {
    0x3050F1C5, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

LRESULT CALLBACK Top(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY && !::GetParent(window)) ::PostQuitMessage(kClosedExitCode);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void Register(const std::wstring& name, WNDPROC procedure) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = name.c_str();
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  ::RegisterClassW(&windowClass);
}

HWND MakeTop(const std::wstring& windowClass, const std::wstring& title) {
  Register(windowClass, Top);
  HWND top = ::CreateWindowExW(0, windowClass.c_str(), title.c_str(), WS_OVERLAPPEDWINDOW, 40, 40,
                               400, 300, nullptr, nullptr, nullptr, nullptr);
  ::ShowWindow(top, SW_SHOW);
  return top;
}

HWND MakeChild(HWND parent, const std::wstring& childClass, const std::wstring& text) {
  if (childClass == L"Internet Explorer_Server")
    return tevanor::helpers::CreateBrowserWindow(parent, nullptr);
  if (childClass != L"Edit") Register(childClass, Top);
  return ::CreateWindowExW(0, childClass.c_str(), text.c_str(),
                           WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 380, 260, parent, nullptr,
                           nullptr, nullptr);
}

LRESULT CALLBACK SlowControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETTEXTLENGTH || message == WM_GETTEXT)
    ::Sleep(static_cast<DWORD>(::GetWindowLongPtrW(::GetParent(window), GWLP_USERDATA)));
  return ::DefWindowProcW(window, message, wParam, lParam);
}

int Pump() {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

// Handles the messages already sent to this thread's new windows, then never again.
int Hang() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  ::Sleep(INFINITE);
  return 0;
}

// An empty access list on our own process: nobody may open it.
void LockProcess() {
  ACL empty;
  ::InitializeAcl(&empty, sizeof empty, ACL_REVISION);
  ::SetSecurityInfo(::GetCurrentProcess(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                    nullptr, &empty, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::wstring> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == L"--locked") {
    LockProcess();
    args.erase(args.begin());
  }
  auto arg = [&](std::size_t i) { return i < args.size() ? args[i] : std::wstring(); };
  const std::wstring mode = arg(0);
  HtmlPage page;
  if (mode == L"window") {
    HWND top = MakeTop(L"TevanorHelperTop", arg(1));
    if (args.size() > 2) MakeChild(top, arg(2), arg(3));
    return Pump();
  }
  if (mode == L"silent-page") {
    page.neverAnswers = L"URL";
    args = {L"browser", L"IEFrame", arg(1), L"http://www.hostil.example/", L"Nada"};
  }
  if (mode == L"slow-edits") {
    HWND top = MakeTop(L"TevanorHelperTop", arg(1));
    ::SetWindowLongPtrW(top, GWLP_USERDATA, std::stol(arg(3)));
    Register(L"TevanorSlowEdit", SlowControl);
    for (long i = 0; i < std::stol(arg(2)); ++i)
      ::CreateWindowExW(0, L"TevanorSlowEdit", L"nada", WS_CHILD | WS_VISIBLE, 0, 4 * i, 380, 4,
                        top, nullptr, nullptr, nullptr);
    return Pump();
  }
  if (arg(0) == L"browser") {
    ::CoInitialize(nullptr);
    // A real browser has the library of its document interfaces loaded all the time; holding
    // it spares Wine's marshaller from reading it again for every interface it hands out.
    ITypeLib* library = nullptr;
    ::LoadRegTypeLib(kBrowserTypeLibrary, 4, 0, 0, &library);
    page.url = arg(3);
    page.bodyText = arg(4);
    HWND top = MakeTop(arg(1), arg(2));
    tevanor::helpers::CreateBrowserWindow(MakeChild(top, L"Shell DocObject View", L""), &page);
    const int result = Pump();
    if (library) library->Release();
    ::CoUninitialize();
    return result;
  }
  if (mode == L"chrome-frame" || mode == L"hung-frame") {
    ::CoInitialize(nullptr);
    const std::vector<std::wstring> texts(args.begin() + std::min<std::size_t>(3, args.size()),
                                          args.end());
    HWND top = MakeTop(L"Chrome_WidgetWin_1", arg(1));
    tevanor::helpers::ServeAccessibleTree(top, tevanor::helpers::BrowserTree(arg(1), arg(2), texts),
                                          mode == L"hung-frame");
    const int result = Pump();
    ::CoUninitialize();
    return result;
  }
  if (mode == L"hung-edit") {
    MakeChild(MakeTop(L"TevanorHelperHung", arg(1)), L"Edit", arg(2));
    return Hang();
  }
  if (mode == L"hung-browser") {
    MakeChild(MakeTop(L"IEFrame", arg(1)), L"Internet Explorer_Server", L"");
    return Hang();
  }
  return 2;
}
