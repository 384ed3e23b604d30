#pragma once
// Command-line arguments are bytes. File names keep those bytes exactly, even
// when they are not UTF-8; QCommandLineParser works on QString. The mapping
// here is lossless both ways: valid UTF-8 becomes its characters, and every
// byte that is not part of a valid UTF-8 sequence becomes the lone surrogate
// U+DC80 + (byte - 0x80), which valid UTF-8 can never produce.

#include <QString>
#include <string>
#include <string_view>

namespace orvanta {

QString ArgumentFromBytes(std::string_view bytes);

// The bytes ArgumentFromBytes was given (for any part of its answer cut at a
// character boundary, the bytes of that part).
std::string BytesFromArgument(const QString& argument);

// True when `argument` carries bytes that were not valid UTF-8.
bool CarriesRawBytes(const QString& argument);

// `argument` with each such byte shown as U+FFFD, for messages.
QString WithRawBytesShown(const QString& argument);

}  // namespace orvanta
