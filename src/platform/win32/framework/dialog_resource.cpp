#include "platform/win32/framework/dialog_resource.h"

#include <commctrl.h>

#include "platform/win32/win32_text.h"

namespace tevanor::win32 {

namespace {

// The predefined classes of the dialog manager, by atom.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

// The window style of a control, as the resource compiler gives each statement by default.
DWORD ControlStyle(const ControlTemplate& c) {
  DWORD style = WS_CHILD;
  if ((c.style & kHidden) == 0) style |= WS_VISIBLE;
  if ((c.style & kGroupStart) != 0) style |= WS_GROUP;
  const DWORD image = (c.style & kImageButton) != 0 ? BS_BITMAP : 0;
  switch (c.kind) {
    case ControlKind::kText:
      return style | SS_LEFT | WS_GROUP;
    case ControlKind::kCentredText:
      return style | SS_CENTER | WS_GROUP;
    case ControlKind::kEdit:
      return style | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP |
             ((c.style & kPasswordEdit) != 0 ? ES_PASSWORD : 0);
    case ControlKind::kPushButton:
      return style | BS_PUSHBUTTON | WS_TABSTOP | image;
    case ControlKind::kDefaultButton:
      return style | BS_DEFPUSHBUTTON | WS_TABSTOP | image;
    case ControlKind::kCheckBox:
      return style | BS_AUTOCHECKBOX | WS_TABSTOP;
    case ControlKind::kRadioButton:
      return style | BS_AUTORADIOBUTTON;
    case ControlKind::kGroupBox:
      return style | BS_GROUPBOX;
    case ControlKind::kIcon:
      return style | SS_ICON | ((c.style & kRealSizeImage) != 0 ? SS_REALSIZEIMAGE : 0);
    case ControlKind::kPicture:
      return style | SS_BITMAP;
    case ControlKind::kListView:
      // The window keeps the items and the view asks for what it draws (see
      // Win32DialogWindow), so a sorted list is kept sorted there.
      return style | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP |
             ((c.style & kReportView) != 0 ? LVS_REPORT : LVS_LIST) |
             ((c.style & kSingleSelection) != 0 ? LVS_SINGLESEL : 0);
  }
  return style;
}

}  // namespace

DialogResource::DialogResource(const DialogTemplate& layout) {
  DWORD style = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION;
  if ((layout.style & kSystemMenu) != 0) style |= WS_SYSMENU;
  if ((layout.style & kVisibleAtCreation) != 0) style |= WS_VISIBLE;
  if ((layout.style & kCentred) != 0) style |= DS_CENTER;
  const DWORD exStyle = (layout.style & kTaskbarButton) != 0 ? WS_EX_APPWINDOW : 0;

  Word(1);       // dlgVer
  Word(0xFFFF);  // signature: the extended form
  Dword(0);      // helpID
  Dword(exStyle);
  Dword(style);
  Word(static_cast<WORD>(layout.controls.size()));
  Word(0);
  Word(0);
  Word(static_cast<WORD>(layout.width));
  Word(static_cast<WORD>(layout.height));
  Word(0);  // no menu
  Word(0);  // the dialog manager's own class
  Text(Wide(layout.caption));
  Word(static_cast<WORD>(layout.pointSize));
  Word(FW_NORMAL);
  Word(MAKEWORD(FALSE, DEFAULT_CHARSET));  // italic, charset
  Text(Wide(layout.font));
  for (const ControlTemplate& control : layout.controls) Control(control);
}

void DialogResource::Control(const ControlTemplate& c) {
  AlignToDword();
  Dword(0);  // helpID
  Dword(0);  // exStyle
  Dword(ControlStyle(c));
  Word(static_cast<WORD>(c.rect.x));
  Word(static_cast<WORD>(c.rect.y));
  Word(static_cast<WORD>(c.rect.width));
  Word(static_cast<WORD>(c.rect.height));
  Dword(static_cast<DWORD>(c.id));
  switch (c.kind) {
    case ControlKind::kEdit:
      Ordinal(kEditClass);
      break;
    case ControlKind::kPushButton:
    case ControlKind::kDefaultButton:
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
    case ControlKind::kGroupBox:
      Ordinal(kButtonClass);
      break;
    case ControlKind::kListView:
      Text(WC_LISTVIEWW);
      break;
    default:
      Ordinal(kStaticClass);
  }
  // Icons are the system's shared copies; pictures are loaded and owned by the host.
  if (c.kind == ControlKind::kIcon)
    Ordinal(static_cast<WORD>(c.image));
  else
    Text(Wide(c.text));
  Word(0);  // no creation data
}

void DialogResource::Dword(DWORD value) {
  Word(LOWORD(value));
  Word(HIWORD(value));
}

void DialogResource::Text(std::wstring_view text) {
  for (wchar_t c : text) Word(static_cast<WORD>(c));
  Word(0);
}

void DialogResource::Ordinal(WORD value) {
  Word(0xFFFF);
  Word(value);
}

void DialogResource::AlignToDword() {
  if (words_.size() % 2 != 0) Word(0);
}

}  // namespace tevanor::win32
