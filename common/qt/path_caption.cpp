#include "common/qt/path_caption.h"

#include "common/numbers.h"
#include "platform/files.h"
#include "platform/qt/label.h"

#include <algorithm>

namespace qv {
namespace {

const QString kEllipsis = QStringLiteral("...");

bool Fits(const QString &text, const QFontMetrics &metrics, int width)
{
    return metrics.horizontalAdvance(text) <= width;
}

// Cutting text before position i would split a surrogate pair.
bool SplitsPair(const QString &text, qsizetype i)
{
    return i > 0 && i < text.size() && text[i].isLowSurrogate();
}

// The measuring box keeps a margin: 96% of the label's width, the factor being the
// single-precision 0.96 rounded half to even.
int MeasuringWidth(int pixels)
{
    return static_cast<int>(
        RoundHalfEven(static_cast<double>(pixels) * static_cast<double>(0.96f)));
}

} // namespace

QString ShortenPath(const QString &path, const QFontMetrics &metrics, int width)
{
    if (Fits(path, metrics, width)) {
        return path;
    }
    const qsizetype cut = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    const QString head = cut >= 0 ? path.left(cut) : QString();
    const QString tail = cut >= 0 ? path.mid(cut) : path;

    // Drop characters from the end of the folders before the last part.
    for (qsizetype keep = head.size() - 1; keep >= 0; --keep) {
        if (SplitsPair(head, keep)) {
            continue;
        }
        const QString candidate = head.left(keep) + kEllipsis + tail;
        if (Fits(candidate, metrics, width)) {
            return candidate;
        }
    }
    // Even the last part alone is too wide: keep as much of its start as fits, at least one
    // character besides its separator.
    const QString lead = head.isEmpty() ? QString() : kEllipsis;
    const qsizetype least = head.isEmpty() ? 1 : 2;
    for (qsizetype keep = tail.size() - 1; keep >= least; --keep) {
        if (SplitsPair(tail, keep)) {
            continue;
        }
        const QString candidate = lead + tail.left(keep) + kEllipsis;
        if (Fits(candidate, metrics, width)) {
            return candidate;
        }
    }
    return kEllipsis;
}

void SetPathCaption(Label &label, const std::string &path)
{
    // Only the width matters: the path is one line, so the height never shortens it.
    const int right = MeasuringWidth(label.width());
    const QString full = QString::fromStdString(NativePath(path));
    const QString shown = ShortenPath(full, label.fontMetrics(), right);
    label.SetTag(path);
    label.setText(shown);
    label.setToolTip(shown != full ? full : QString());
}

} // namespace qv
