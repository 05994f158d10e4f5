#include "app/main_form.h"

namespace vantrel::app {

void TMainForm::bttnWWWClick() {}
void TMainForm::bttnMailListClick() {}
void TMainForm::bttnFaqOEClick() {}
void TMainForm::bttnUpdtClick() {}

}  // namespace vantrel::app
