#pragma once

#include <QString>

// The application's title, version and comments, as the About box shows them.
struct AppIdentity {
    QString title;
    int majorVersion = 0;
    int minorVersion = 0;
    int revision = 0;
    QString comments;
};

[[nodiscard]] AppIdentity ironvaleIdentity();
