#pragma once
// Names that screen readers and UI automation find the settings form's
// boxes and buttons by; without them every box is anonymous.
class QWidget;

namespace zumaro::forms {

// Gives every box of the settings form the text of the label that asks
// for it (and makes that label its buddy), every further-field box its
// number and column, every button what it does and every added setting
// what it is and does; the red examples and
// the option frame's questions become the boxes' descriptions. Places, sizes, texts
// and the tab order stay as they are.
void nameSettingsControls(QWidget& settingsForm);

}  // namespace zumaro::forms
