#pragma once

#include <windows.h>

#include <vector>

#include "framework/dialog_template.h"

namespace tevanor::win32 {

// The extended dialog template (DLGTEMPLATEEX with its DLGITEMTEMPLATEEX items) that the
// dialog manager creates a window from, built in memory from a dialog's C++ description, so
// each template is written once. Icons and pictures name their resources of `resources`.
class DialogResource {
 public:
  explicit DialogResource(const DialogTemplate& layout);
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Word(WORD value) { words_.push_back(value); }
  void Dword(DWORD value);
  void Text(std::wstring_view text);  // with its terminator
  void Ordinal(WORD value);
  void AlignToDword();
  void Control(const ControlTemplate& control);

  std::vector<WORD> words_;
};

}  // namespace tevanor::win32
