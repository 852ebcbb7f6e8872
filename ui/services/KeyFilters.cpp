#include "ui/services/KeyFilters.h"

namespace {

bool isDigitOrBackspace(qint16 k)
{
    return (k >= '0' && k <= '9') || k == 8;
}

} // namespace

void nameFilter(qint16& k)
{
    if (!isDigitOrBackspace(k) && !(k >= 'A' && k <= 'Z') && !(k >= 'a' && k <= 'z')) {
        k = 0;
    }
}

void digitFilter(qint16& k)
{
    if (!isDigitOrBackspace(k)) {
        k = 0;
    }
}
