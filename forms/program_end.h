#pragma once
namespace zumaro::forms {

// Closes every window and ends the program, without a question.
void endProgram();

}  // namespace zumaro::forms
