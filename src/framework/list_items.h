#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/list_rows.h"

namespace tevanor {

// The items a dialog puts into a list view one by one, as a host keeps them for the view. A
// sorted list places a new item by its text, ascending without regard to case and after its
// equals, found by binary search so that filling a long list stays fast.
class ListItems final : public ListRows {
 public:
  using ItemData = std::uintptr_t;

  // Returns where the item went: `index` (clamped) in an unsorted list.
  int Insert(int index, std::string_view text, int image, ItemData data, bool sorted);
  void Erase(int item);
  void Clear() { items_.clear(); }
  bool Contains(int item) const { return item >= 0 && item < RowCount(); }
  void SetText(int item, int column, std::string_view text);
  ItemData Data(int item) const { return Contains(item) ? items_[item]->data : 0; }

  int RowCount() const override { return static_cast<int>(items_.size()); }
  std::string RowText(int item, int column) const override;
  int RowImage(int item) const override { return Contains(item) ? items_[item]->image : 0; }

 private:
  struct Item {
    std::vector<std::string> texts;  // by column; missing columns are empty
    int image = 0;
    ItemData data = 0;
  };
  // One pointer per item, so that an insertion into a long list moves little.
  std::vector<std::unique_ptr<Item>> items_;
};

}  // namespace tevanor
