#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "framework/dialog_events.h"
#include "framework/list_rows.h"

namespace tevanor {

// A colour as red, green and blue.
struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

// What a dialog's logic may do to its own window. A host gives one to each dialog while its
// window exists. Controls are reached by their template id; all texts are Windows-1252.
class DialogWindow {
 public:
  using ItemData = std::uintptr_t;

  virtual ~DialogWindow() = default;

  // The window.
  virtual void SetCaption(std::string_view text) = 0;
  virtual std::string Caption() const = 0;
  virtual void Show(bool show) = 0;
  virtual bool IsVisible() const = 0;
  // Gives the window its outer size in pixels, frame included, without moving it.
  virtual void Resize(int widthPixels, int heightPixels) = 0;
  // Adds a system menu, and with it the close box, to a window created without one.
  virtual void AddSystemMenu() = 0;
  // A modal run returns `result`; a modeless window is only hidden.
  virtual void EndDialog(int result) = 0;
  virtual void Destroy() = 0;
  // Window timers tick every `milliseconds` until killed; setting an armed timer restarts it.
  virtual void SetTimer(unsigned id, unsigned milliseconds) = 0;
  virtual void KillTimer(unsigned id) = 0;
  // Queues an event for this window; it runs after the current handler has returned, and is
  // dropped if the window is gone by then.
  virtual void Post(DialogEvent event) = 0;
  // Runs an event's handler now; nullopt when the dialog leaves it to default handling.
  virtual std::optional<std::intptr_t> Send(DialogEvent event) = 0;

  // Controls.
  virtual void ShowControl(int id, bool show) = 0;
  virtual bool IsControlVisible(int id) const = 0;  // its own visibility, not its parent's
  // Changes the text only when it differs, so an edit reports ControlNotification::kEditChanged
  // only for a change.
  virtual void SetControlText(int id, std::string_view text) = 0;
  virtual std::string ControlText(int id) const = 0;
  virtual void SetCheck(int id, bool checked) = 0;  // check boxes and radio buttons
  virtual bool IsChecked(int id) const = 0;
  virtual void SetButtonImage(int id, int bitmapId) = 0;
  virtual void SetToolTip(int id, std::string_view text) = 0;

  // List views, by control id. Items are numbered from 0 in display order; a sorted list
  // places a new item by its text, whatever index is asked for.
  virtual void ListAddColumn(int list, std::string_view heading, int widthPixels) = 0;
  virtual int ListClientWidth(int list) const = 0;
  // Small images for the items: a strip of `imageWidth`-pixel images, `transparent` not drawn.
  virtual void ListSetImages(int list, int bitmapId, int imageWidth, Rgb transparent) = 0;
  virtual int ListInsert(int list, int index, std::string_view text, int image, ItemData data) = 0;
  virtual void ListDelete(int list, int item) = 0;
  virtual void ListDeleteAll(int list) = 0;
  virtual int ListCount(int list) const = 0;
  virtual std::string ListText(int list, int item, int column) const = 0;
  virtual void ListSetText(int list, int item, int column, std::string_view text) = 0;
  virtual ItemData ListData(int list, int item) const = 0;
  // The next selected item after `after` (-1: from the start), or -1.
  virtual int ListNextSelected(int list, int after) const = 0;
  virtual void ListSelect(int list, int item, bool selected) = 0;
  virtual void ListSetSelectionMark(int list, int item) = 0;
  // Shows rows that the dialog keeps itself in place of the list's own items, from now until
  // it is called again: after the rows change, or with nullptr to go back to the list's own
  // (empty) items. `rows` must outlive the showing. Reads (count, texts, selection) then go to
  // them; nothing is inserted or deleted, so no item notification is sent. The selection is
  // cleared.
  virtual void ListShowRows(int list, const ListRows* rows) = 0;
  // Stops (false) or resumes (true) the list's painting, around a fill of many items; resuming
  // repaints it. Items, notifications and counts are unaffected.
  virtual void ListSetRedraw(int list, bool redraw) = 0;
};

}  // namespace tevanor
