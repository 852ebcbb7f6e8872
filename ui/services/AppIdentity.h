#pragma once

#include <QString>

// The application's title, version and comments, as the About box shows them.
struct AppIdentity {
    QString Title;
    int Major = 0;
    int Minor = 0;
    int Revision = 0;
    QString Comments;
};

[[nodiscard]] AppIdentity ironvaleIdentity();
