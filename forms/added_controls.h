#pragma once
// The controls the settings form has beyond its original layout: the run's
// further settings, the preview and the data folder. They sit in free space
// and come after the original controls in the tab order.
#include <span>

#include "forms/twips.h"

namespace zumaro::forms {

enum class AddedKind { CheckBox, Choice, Caption, ToolButton, Label, TextBox };

struct AddedControl {
  const char* name;
  AddedKind kind;
  const char16_t* text;
  TwipsRect place;
};

std::span<const AddedControl> addedControls();

// The tab order after the original controls': the settings first, then the
// buttons beside the boxes (browseInputButton and browseOutputButton, the path boxes' …).
std::span<const char* const> addedTabOrder();

// The items of the encoding choice, in order: 自動, シフトJIS, UTF-8.
inline constexpr const char16_t* kEncodingItems[] = {u"自動", u"シフトJIS", u"UTF-8"};

}  // namespace zumaro::forms
