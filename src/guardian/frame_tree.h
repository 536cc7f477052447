#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "guardian/window_source.h"

namespace tevanor {

// The window classes of today's browsers' top-level frames: the Chromium family (and the
// programs built on it) and Firefox.
inline constexpr std::array<std::string_view, 2> kBrowserFrameClasses = {"Chrome_WidgetWin_1",
                                                                         "MozillaWindowClass"};

inline bool IsBrowserFrameClass(std::string_view className) {
  for (const std::string_view frameClass : kBrowserFrameClasses)
    if (className == frameClass) return true;
  return false;
}

// The roles of a frame's accessibility elements that the guardian tells apart.
enum class ElementRole { kOther, kToolbar, kDocument, kEditableText, kStaticText };

class FrameElement;

// One child of an element, as read in one go with the list of children.
struct FrameChild {
  ElementRole role = ElementRole::kOther;
  // A static text's name, an editable text's or a document's value (a document's value is its
  // address), as Windows-1252; empty for every other role.
  std::string text;
  // nullptr for a child that cannot have children of its own.
  std::unique_ptr<FrameElement> element;
};

// An element of a browser frame's accessibility tree, held while the object lives. A call that
// does not return in time answers nothing and leaves its frame hanging (FrameTrees::Hangs).
class FrameElement {
 public:
  virtual ~FrameElement() = default;
  // The element's children in their order; empty when it has none or they cannot be read.
  virtual std::vector<FrameChild> Children() = 0;
  // The element's text read anew, as in FrameChild; nullopt when the element cannot be read
  // any more (its page went) or did not answer.
  virtual std::optional<std::string> Text() = 0;
};

// The accessibility trees of other programs' top-level frames.
class FrameTrees {
 public:
  virtual ~FrameTrees() = default;
  // The root of `frame`'s tree; nullptr when it has none or does not answer in time.
  virtual std::unique_ptr<FrameElement> RootOf(WindowHandle frame) = 0;
  // True from a call into `frame`'s tree that did not return in time until that call returns.
  virtual bool Hangs(WindowHandle frame) = 0;
};

}  // namespace tevanor
