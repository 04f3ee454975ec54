#include "profile/convert/CnvTextToText.h"

CCnvTextToText* CCnvTextToText::GetInstance() {
    static CCnvTextToText instance;
    return &instance;
}
