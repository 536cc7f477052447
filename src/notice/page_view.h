#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tevanor {

class Dialog;

// The attributes of one META element that were asked for and hold a text value, by name.
// Texts are Windows-1252.
using MetaAttributes = std::map<std::string, std::string, std::less<>>;

// What an embedded page view tells the window that holds it.
class PageViewEvents {
 public:
  virtual ~PageViewEvents() = default;
  // A navigation has reached its document; it may still be loading its parts.
  virtual void OnNavigateComplete() = 0;
};

// An embeddable HTML view inside a dialog's window: the system web-browser control on Windows.
// Releasing it releases the browser and destroys its window; no event arrives after that.
class PageView {
 public:
  virtual ~PageView() = default;
  // Starts loading `address` (no flags, no target frame, no posted data, no extra headers).
  virtual void Navigate(std::string_view address) = 0;
  // Moves the view to a rectangle of the dialog's client area, in pixels.
  virtual void Layout(int x, int y, int width, int height) = 0;
  // The META elements of the current document in document order, each with those of `names`
  // that it has as text attributes; nullopt when the document or its elements are out of reach.
  virtual std::optional<std::vector<MetaAttributes>> MetaElements(
      std::span<const std::string_view> names) = 0;
};

class PageViewFactory {
 public:
  virtual ~PageViewFactory() = default;
  // Takes the place of control `controlId` of `container`'s window: the view gets the control's
  // rectangle and the control is destroyed. nullptr when the browser cannot be created.
  virtual std::unique_ptr<PageView> CreateInPlaceOf(Dialog& container, int controlId,
                                                    PageViewEvents& events) = 0;
};

}  // namespace tevanor
