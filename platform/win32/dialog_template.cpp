#include "platform/win32/dialog_template.h"

namespace qv::win32 {
namespace {

// Where the control count lies in the template: after the style and extended style.
constexpr std::size_t kCountWord = 4;

WORD Word(short value)
{
    return static_cast<WORD>(value);
}

} // namespace

DialogTemplate::DialogTemplate(DWORD style,
    short width,
    short height,
    const std::wstring &title,
    WORD pointSize,
    const std::wstring &face)
{
    Put(style | DS_SETFONT);
    Put(DWORD {0}); // extended style
    words_.push_back(0); // control count, kept up to date by Add
    words_.insert(words_.end(), {Word(0), Word(0), Word(width), Word(height)});
    words_.push_back(0); // no menu
    words_.push_back(0); // the standard dialog class
    Put(title);
    words_.push_back(pointSize);
    Put(face);
}

void DialogTemplate::Add(Kind kind,
    DWORD style,
    short left,
    short top,
    short width,
    short height,
    WORD id,
    const std::wstring &text)
{
    AlignToDword();
    Put(style | WS_CHILD | WS_VISIBLE);
    Put(DWORD {0}); // extended style
    words_.insert(words_.end(), {Word(left), Word(top), Word(width), Word(height), id});
    words_.insert(words_.end(), {0xFFFF, static_cast<WORD>(kind)});
    Put(text);
    words_.push_back(0); // no creation data
    words_[kCountWord] = static_cast<WORD>(++count_);
}

void DialogTemplate::Put(DWORD value)
{
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
}

void DialogTemplate::Put(const std::wstring &text)
{
    words_.insert(words_.end(), text.begin(), text.end());
    words_.push_back(0);
}

void DialogTemplate::AlignToDword()
{
    if (words_.size() % 2 != 0) {
        words_.push_back(0);
    }
}

} // namespace qv::win32
