#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "guardian/window_source.h"

namespace tevanor {

// One document of the browser component: a page or one of its frames. Texts come as
// Windows-1252; a property that cannot be read is an empty text. Destroying the object
// releases everything obtained through it.
class PageDocument {
 public:
  virtual ~PageDocument() = default;
  virtual std::string Address() = 0;
  virtual std::string ReadyState() = 0;
  virtual std::string BodyText() = 0;
  // The number of frames, or nullopt when the frame collection cannot be had.
  virtual std::optional<std::size_t> FrameCount() = 0;
  // The document of frame `index`, or nullptr when its window or its document cannot be had.
  virtual std::unique_ptr<PageDocument> Frame(std::size_t index) = 0;
  // The same value for every object that is this document, while this object lives; nullptr
  // when it cannot be had.
  virtual const void* Identity() = 0;
};

// One inspection of browser windows: what the platform needs for it (on Windows, COM and the
// accessibility library) lives exactly as long as the session and the documents it gave out.
class PageSession {
 public:
  virtual ~PageSession() = default;
  // The document shown by a browser child window; nullptr when the window does not answer
  // within 1000 ms, its program is hung, or the answer is not a document.
  virtual std::unique_ptr<PageDocument> DocumentOf(WindowHandle browserChild) = 0;
  // True once a call into a document of this inspection failed to return in time, or the
  // inspection's time ran out: what its documents answered since then is empty.
  virtual bool Overran() const = 0;
};

class PageSource {
 public:
  virtual ~PageSource() = default;
  // nullptr when documents cannot be read on this system at all.
  virtual std::unique_ptr<PageSession> BeginInspection() = 0;
};

}  // namespace tevanor
