#include "framework/list_items.h"

#include <algorithm>

#include "text/cp1252.h"

namespace tevanor {

namespace {

bool LessIgnoringCase(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return ToUpper(static_cast<unsigned char>(x)) < ToUpper(static_cast<unsigned char>(y));
  });
}

}  // namespace

int ListItems::Insert(int index, std::string_view text, int image, ItemData data, bool sorted) {
  auto at = items_.begin() + std::clamp(index, 0, RowCount());
  if (sorted)
    at = std::upper_bound(items_.begin(), items_.end(), text,
                          [](std::string_view key, const std::unique_ptr<Item>& item) {
                            return LessIgnoringCase(key, item->texts.front());
                          });
  at = items_.insert(at, std::make_unique<Item>(Item{{std::string(text)}, image, data}));
  return static_cast<int>(at - items_.begin());
}

void ListItems::Erase(int item) {
  if (Contains(item)) items_.erase(items_.begin() + item);
}

void ListItems::SetText(int item, int column, std::string_view text) {
  if (!Contains(item) || column < 0) return;
  auto& texts = items_[item]->texts;
  if (column >= static_cast<int>(texts.size())) texts.resize(column + 1);
  texts[column] = text;
}

std::string ListItems::RowText(int item, int column) const {
  if (!Contains(item) || column < 0) return {};
  const auto& texts = items_[item]->texts;
  return column < static_cast<int>(texts.size()) ? texts[column] : std::string();
}

}  // namespace tevanor
