#pragma once

#include <QByteArray>
#include <QString>

class clsCampaign;

// The campaign as JSON, for version control and scripts. The text is UTF-8
// with a fixed key order and two-space indentation, so the same campaign
// always gives the same text. A name is text whose characters U+0000..U+00FF
// are its bytes, so any name a file holds comes back byte for byte.

// The JSON text of the campaign: every field the file keeps, the used slots
// with their numbers.
[[nodiscard]] QByteArray CampaignJson(const clsCampaign& Campaign);

// Fills Campaign (cleared first) from JSON text. Empty on success, else the
// place and the reason ("scenarios[3].outcomes[1].goto: 70000 is outside
// 0..65535"). Refuses whatever would not save as given: malformed JSON, a
// wrong format or version, unknown or missing keys, numbers out of range,
// slots outside 0..49, given twice or leaving a gap, names that do not fit
// their field. The integrity check is left to the caller.
[[nodiscard]] QString ReadCampaignJson(const QByteArray& Json, clsCampaign& Campaign);
