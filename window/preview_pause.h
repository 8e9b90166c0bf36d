#pragma once

namespace qv {

// Keeps preview refreshes off while a handler changes several values in a row, and switches them
// back on however the change ends, so a failure cannot leave every later preview switched off.
class PreviewPause
{
public:
    explicit PreviewPause(bool &suspendPreview)
        : suspendPreview_(suspendPreview)
    {
        suspendPreview_ = true;
    }
    ~PreviewPause() { suspendPreview_ = false; }
    PreviewPause(const PreviewPause &) = delete;
    PreviewPause &operator=(const PreviewPause &) = delete;

private:
    bool &suspendPreview_;
};

} // namespace qv
