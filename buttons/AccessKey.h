#pragma once
// The access key a caption marks with "&": the character after the last
// single "&". A doubled "&&" stands for a literal ampersand and marks
// nothing.
#include <QString>

// Returns the access key for the caption, or `current` unchanged when the
// caption marks none. A caption ending in a single "&" gives an empty key.
QString accessKeyFromCaption(const QString& caption, const QString& current);
