#include "ui/services/KeyFilters.h"

namespace {

bool isDigitOrBackspace(qint16 intK)
{
    return (intK >= '0' && intK <= '9') || intK == 8;
}

} // namespace

void nameFilter(qint16& intK)
{
    if (!isDigitOrBackspace(intK) && !(intK >= 'A' && intK <= 'Z') && !(intK >= 'a' && intK <= 'z')) {
        intK = 0;
    }
}

void digitFilter(qint16& intK)
{
    if (!isDigitOrBackspace(intK)) {
        intK = 0;
    }
}
