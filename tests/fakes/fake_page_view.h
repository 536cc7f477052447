#pragma once

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "notice/page_view.h"

namespace tevanor::testing {

class FakePageViewFactory;

// A page view in memory. The test plays the browser: Complete() reports a finished navigation
// of a document with the given META elements, as the browser's event would.
class FakePageView final : public PageView {
 public:
  struct Rect {
    int x, y, width, height;
    bool operator==(const Rect&) const = default;
  };

  FakePageView(FakePageViewFactory& factory, PageViewEvents& events)
      : factory_(factory), events_(events) {}
  ~FakePageView() override;

  void Navigate(std::string_view address) override { addresses.emplace_back(address); }
  void Layout(int x, int y, int width, int height) override { layout = Rect{x, y, width, height}; }
  std::optional<std::vector<MetaAttributes>> MetaElements(
      std::span<const std::string_view> names) override {
    if (!document) return std::nullopt;
    std::vector<MetaAttributes> asked;
    for (const MetaAttributes& meta : *document) {
      MetaAttributes& kept = asked.emplace_back();
      for (std::string_view name : names)
        if (const auto it = meta.find(name); it != meta.end()) kept.insert(*it);
    }
    return asked;
  }

  // The navigation reached `page` (nullopt: a document that cannot be read).
  void Complete(std::optional<std::vector<MetaAttributes>> page) {
    document = std::move(page);
    events_.OnNavigateComplete();
  }

  std::vector<std::string> addresses;
  std::optional<Rect> layout;
  std::optional<std::vector<MetaAttributes>> document;

 private:
  FakePageViewFactory& factory_;
  PageViewEvents& events_;
};

// Makes fake views, or fails as a system without the browser control does; knows the views
// that are alive, so a test sees when a notice released its browser.
class FakePageViewFactory final : public PageViewFactory {
 public:
  std::unique_ptr<PageView> CreateInPlaceOf(Dialog&, int, PageViewEvents& events) override {
    if (!browserAvailable) return nullptr;
    auto view = std::make_unique<FakePageView>(*this, events);
    live.push_back(view.get());
    return view;
  }

  bool browserAvailable = true;
  std::vector<FakePageView*> live;
};

inline FakePageView::~FakePageView() {
  std::erase(factory_.live, this);
}

}  // namespace tevanor::testing
