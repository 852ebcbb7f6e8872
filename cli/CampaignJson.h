#pragma once

#include <QByteArray>
#include <QString>

class Campaign;

// The campaign as JSON, for version control and scripts. The text is UTF-8
// with a fixed key order and two-space indentation, so the same campaign
// always gives the same text. A name is text whose characters U+0000..U+00FF
// are its bytes, so any name a file holds comes back byte for byte. Bytes of
// the file that no field carries (what reserved space, unused records or a
// name's extension hold, when not what the editor writes there) stand in
// "unread" members, per record and for the rest of the file, as runs of
// {"offset", "hex"}: with them the JSON describes every byte of the file.

// The JSON text of the campaign read from file: every field the file keeps,
// the used slots with their numbers, and the runs where file's first 31944
// bytes differ from those the campaign saves as. A file the editor wrote has
// none; without file (or with fewer bytes than a campaign has) none are given.
[[nodiscard]] QByteArray campaignJson(const Campaign& campaign, const QByteArray& file = {});

// Fills Campaign (cleared first) from JSON text, and File with the 31944
// bytes to write: the campaign as the editor saves it, the unread runs laid
// over it. Empty on success, else the place and the reason
// ("scenarios[3].outcomes[1].goto: 70000 is outside 0..65535"). Refuses
// whatever would not save as given: malformed or ambiguous JSON (a key given
// twice), a wrong format or version, unknown or missing keys, numbers out of
// range, slots outside 0..49, given twice or leaving a gap, names that do not
// fit their field, unread runs outside their record or the file, overlapping
// each other or changing a field as the file reads it. The integrity check is
// left to the caller.
[[nodiscard]] QString readCampaignJson(const QByteArray& json, Campaign& campaign, QByteArray& file);
