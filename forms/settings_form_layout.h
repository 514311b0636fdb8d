#pragma once
// Every control of the settings form: kind, container, caption or initial
// text, place and size in twips, tab index.
#include <span>

#include "forms/twips.h"

namespace zumaro::forms {

enum class ControlKind { Label, TextBox, Frame, Button };

struct ControlLayout {
  const char* name;
  ControlKind kind;
  const char* container;  // nullptr: the form itself
  const char16_t* text;   // caption, or a text box's initial text
  TwipsRect place;        // inside a frame: from the frame's corner
  int tabIndex;
};

inline constexpr TwipsRect kSettingsClientArea{0, 0, 10635, 7635};

// In creation order: a frame comes before what it holds.
std::span<const ControlLayout> settingsFormLayout();

}  // namespace zumaro::forms
