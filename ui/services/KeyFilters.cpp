#include "ui/services/KeyFilters.h"

namespace {

bool IsDigitOrBackspace(qint16 intK)
{
    return (intK >= '0' && intK <= '9') || intK == 8;
}

} // namespace

void NameFilter(qint16& intK)
{
    if (!IsDigitOrBackspace(intK) && !(intK >= 'A' && intK <= 'Z') && !(intK >= 'a' && intK <= 'z')) {
        intK = 0;
    }
}

void DigitFilter(qint16& intK)
{
    if (!IsDigitOrBackspace(intK)) {
        intK = 0;
    }
}
