#pragma once

#include <string>

namespace tevanor {

// The rows a list view shows. The view keeps none of them: it asks for the texts of the rows
// it draws, so a list of any length costs the view nothing.
class ListRows {
 public:
  virtual ~ListRows() = default;
  virtual int RowCount() const = 0;
  virtual std::string RowText(int row, int column) const = 0;
  virtual int RowImage(int /*row*/) const { return 0; }
};

}  // namespace tevanor
