#pragma once

#include "platform/win32/windows_api.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace qv::win32 {

// A picture as a device-independent bitmap, top row first: 8-bit indices into 256 colours, or
// 32-bit pixels. Colours and pixels are 0x00RRGGBB (blue, green, red, 0 in memory: an RGBQUAD
// each); every row is padded to a whole number of 4-byte words.
struct DibPicture {
    int width = 0;
    int height = 0;
    int bitCount = 32; // 8 or 32
    std::vector<std::uint32_t> colors; // 256 for 8 bits, else none
    std::vector<std::uint8_t> bits;

    // The pixels fill the rows the size asks for and an indexed picture has its 256 colours.
    bool Complete() const;
};

// Shows one picture, or none, from its top-left corner. Without stretching the picture is drawn
// at its own size, one picture pixel a logical pixel (96 dpi); with stretching it fills a box of
// the size given in twips. Scaling is always nearest-neighbour (StretchDIBits in COLORONCOLOR
// mode): the pictures are pixel art and must stay sharp. The window itself is the area the
// picture may cover; a larger picture is cut at its edge.
class ImageBox
{
public:
    // Mouse press on the picture: the button (1 left, 2 right, 4 middle), the keys held (1 Shift,
    // 2 Ctrl, 4 Alt) and the position in twips from the picture's top-left corner.
    using MouseDownHandler = std::function<void(int button, int shift, double x, double y)>;

    ImageBox(HWND parent, int id);
    ImageBox(const ImageBox &) = delete;
    ImageBox &operator=(const ImageBox &) = delete;

    HWND Handle() const { return window_; }

    bool HasPicture() const { return picture_.has_value(); }
    const std::optional<DibPicture> &Picture() const { return picture_; }
    // An incomplete picture shows nothing.
    void SetPicture(DibPicture picture);
    void ClearPicture();

    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);
    // The box a stretched picture fills, in twips.
    void SetSizeTwips(double width, double height);

    // Where the picture is drawn in the window, in pixels at the window's dpi.
    RECT PictureRect() const;
    // Draws the picture as the window shows it, into any device context.
    void Draw(HDC dc) const;

    void OnMouseDown(MouseDownHandler handler) { mouseDown_ = std::move(handler); }

    LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    HWND window_ = nullptr;
    std::optional<DibPicture> picture_;
    // The picture's bitmap header, with the colour table of an indexed picture.
    std::vector<std::uint8_t> info_;
    bool stretch_ = false;
    double widthTwips_ = 0;
    double heightTwips_ = 0;
    MouseDownHandler mouseDown_;
};

} // namespace qv::win32
