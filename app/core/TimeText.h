// Time text and the conversions the transport commands apply to typed or stored text.
// Failures are ui::EConvertError with the texts the general error report shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace app {

// "hh:nn:ss" of a playback position: cut to whole seconds, hours wrap within a day.
std::wstring TimeText(std::int64_t milliseconds);

// A time of day typed as h:m:s, each field one or two decimal digits (hours 0..23,
// minutes and seconds 0..59), optionally surrounded by blanks (a word selected by a
// double-click may carry its trailing space). Nothing else is accepted: no signs, no
// fractions, no missing fields. Returns milliseconds since 00:00:00.
// Throws "'<text>' is not a valid time".
std::int64_t ParseTimeOfDay(std::wstring_view text);

// Decimal integer: leading blanks, an optional sign, digits, within 32 bits.
// Throws "'<text>' is not a valid integer value".
int StrToInt(std::wstring_view text);

// A countdown length is the seconds of the time "00:00:" + text, so only 0..59 written
// with one or two digits passes. Throws "'00:00:<text>' is not a valid time".
int CountdownSeconds(std::wstring_view text);

// The time stamp F8 inserts: the read-out between hyphens.
std::wstring TimeStamp(std::wstring_view readout);

}  // namespace app
