#include "ui/services/AppIdentity.h"

AppIdentity ironvaleIdentity()
{
    return AppIdentity{QStringLiteral("Ironvale Campaign Editor"), 0, 2, 0,
                       QStringLiteral("A campaign editor for the Ironvale game, by Marrowby.")};
}
