#pragma once

namespace qv {

// Keeps preview refreshes off while a handler changes several values in a row, and puts the flag
// back as it found it however the change ends: a failure cannot leave every later preview
// switched off, and a pause inside another (a handler that runs another's command) does not end
// the outer one early.
class PreviewPause
{
public:
    explicit PreviewPause(bool &suspendPreview)
        : suspendPreview_(suspendPreview)
        , found_(suspendPreview)
    {
        suspendPreview_ = true;
    }
    ~PreviewPause() { suspendPreview_ = found_; }
    PreviewPause(const PreviewPause &) = delete;
    PreviewPause &operator=(const PreviewPause &) = delete;

private:
    bool &suspendPreview_;
    bool found_;
};

} // namespace qv
