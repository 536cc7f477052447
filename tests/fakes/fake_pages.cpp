#include "fakes/fake_pages.h"

#include <algorithm>

namespace tevanor::testing {

namespace {

class FakeDocument final : public PageDocument {
 public:
  FakeDocument(FakePageSource& source, const FakePage& page) : source_(source), page_(page) {
    ++source_.openDocuments;
  }
  ~FakeDocument() override { --source_.openDocuments; }

  std::string Address() override { return page_.address; }
  std::string ReadyState() override { return page_.readyState; }
  std::string BodyText() override {
    if (source_.keepBodiesRead) source_.bodiesRead.push_back(page_.body);
    return page_.body;
  }
  std::optional<std::size_t> FrameCount() override {
    if (page_.framesUnavailable) return std::nullopt;
    return std::max(page_.frames.size(), page_.claimedFrames);
  }
  std::unique_ptr<PageDocument> Frame(std::size_t index) override {
    if (index >= page_.frames.size())
      return index < page_.claimedFrames ? std::make_unique<FakeDocument>(source_, page_) : nullptr;
    if (page_.frames[index].unreachable) return nullptr;
    return std::make_unique<FakeDocument>(source_, page_.frames[index]);
  }
  const void* Identity() override { return &page_; }

 private:
  FakePageSource& source_;
  const FakePage& page_;
};

class FakeSession final : public PageSession {
 public:
  explicit FakeSession(FakePageSource& source) : source_(source) { ++source_.openSessions; }
  ~FakeSession() override { --source_.openSessions; }

  std::unique_ptr<PageDocument> DocumentOf(WindowHandle browserChild) override {
    const auto it = source_.pages.find(browserChild);
    if (it == source_.pages.end()) return nullptr;
    return std::make_unique<FakeDocument>(source_, it->second);
  }
  bool Overran() const override { return source_.overran; }

 private:
  FakePageSource& source_;
};

}  // namespace

std::unique_ptr<PageSession> FakePageSource::BeginInspection() {
  if (libraryMissing) return nullptr;
  return std::make_unique<FakeSession>(*this);
}

}  // namespace tevanor::testing
