#pragma once

#include <stdexcept>
#include <string>

// The one error the data layer reports: a campaign file that cannot be read
// as one, or a stream that refused the bytes being written. The message is
// meant to be shown to the user as it stands.
class CampaignFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
