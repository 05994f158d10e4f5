#include "app/main_form.h"

namespace vantrel::app {

void TMainForm::checkNoMailClick() {}
void TMainForm::comboIdentitiesChange() {}
void TMainForm::listAccountsClick() {}

}  // namespace vantrel::app
