#pragma once

#include <span>
#include <string_view>

namespace tevanor {

// A dialog template as the resource file holds it, in dialog units. The Win32 host creates
// windows from the compiled resources by id; the fake host builds its controls from this
// description, and a Windows test checks that both agree.

struct DialogRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

enum class ControlKind {
  kText,           // LTEXT
  kCentredText,    // CTEXT
  kEdit,           // single-line edit
  kPushButton,     // PUSHBUTTON
  kDefaultButton,  // DEFPUSHBUTTON: Enter clicks it
  kCheckBox,       // AUTOCHECKBOX
  kRadioButton,    // AUTORADIOBUTTON
  kGroupBox,
  kIcon,     // static icon from `image`
  kPicture,  // static bitmap from `image`
  kListView,
};

// Style details beyond the kind.
enum ControlStyle : unsigned {
  kHidden = 1u << 0,           // not visible at creation
  kImageButton = 1u << 1,      // a push button that shows only its image; the text is its name
  kPasswordEdit = 1u << 2,     // typed characters are not shown
  kSorted = 1u << 3,           // list view: items stay in ascending order of their text
  kReportView = 1u << 4,       // list view with columns, selected by whole rows; else list mode
  kGroupStart = 1u << 5,       // first control of a radio group
  kRealSizeImage = 1u << 6,    // icon drawn at its own size, the rectangle is not stretched
  kSingleSelection = 1u << 7,  // list view: selecting an item clears the others
};

inline constexpr int kNoControlId = -1;

struct ControlTemplate {
  int id = kNoControlId;
  ControlKind kind = ControlKind::kText;
  std::string_view text;  // Windows-1252
  DialogRect rect;
  unsigned style = 0;  // ControlStyle bits
  int image = 0;       // resource id for kIcon and kPicture
};

enum DialogStyle : unsigned {
  kSystemMenu = 1u << 0,  // caption bar with a system menu and close box
  kVisibleAtCreation = 1u << 1,
  kCentred = 1u << 2,        // centred on the screen
  kTaskbarButton = 1u << 3,  // its own taskbar button while visible
};

struct DialogTemplate {
  int id = 0;
  std::string_view caption;  // Windows-1252
  int width = 0;             // dialog units
  int height = 0;
  std::string_view font;
  int pointSize = 8;
  unsigned style = 0;  // DialogStyle bits
  std::span<const ControlTemplate> controls;

  const ControlTemplate* Find(int controlId) const {
    for (const ControlTemplate& c : controls)
      if (c.id == controlId && controlId != kNoControlId) return &c;
    return nullptr;
  }
};

}  // namespace tevanor
