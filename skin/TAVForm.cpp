#include "skin/TAVForm.h"

void TtavForm::PublishProperties(TPublisher<TtavForm>& p) {
    p.Enum("UIStyle", &TtavForm::UIStyle, &TtavForm::SetUIStyle, TtavUIStyle::DeepBlue);
}
