#pragma once

#include <string>

#include <QFontMetrics>
#include <QString>

namespace qv {

class Label;

// The path shortened in the middle with "..." until it is at most width pixels wide in the
// given font, keeping as much as possible of the part after the last "/" or "\". A path that
// fits is returned unchanged.
QString ShortenPath(const QString &path, const QFontMetrics &metrics, int width);

// Shows a folder path in a label that may be too narrow for it: the caption is the path (with
// the platform's separators) shortened to 96% of the label's width in the label's font, the tag
// keeps the full path, and the tooltip offers the full path only when it had to be shortened.
void SetPathCaption(Label &label, const std::string &path);

} // namespace qv
