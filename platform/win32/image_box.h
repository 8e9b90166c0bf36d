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
// the size given in twips. At a zoom each picture pixel is that many logical pixels square and
// the picture scrolls when it is larger than the window. Scaling is always nearest-neighbour
// (StretchDIBits in COLORONCOLOR mode): the pictures are pixel art and must stay sharp. Without
// a zoom the window itself is the area the picture may cover; a larger picture is cut at its
// edge.
class ImageBox
{
public:
    // Mouse press on the picture: the button (1 left, 2 right, 4 middle), the keys held (1 Shift,
    // 2 Ctrl, 4 Alt) and the position in twips from the picture's top-left corner.
    using MouseDownHandler = std::function<void(int button, int shift, double x, double y)>;
    // The mouse over the window, in twips from the whole picture's top-left corner.
    using MouseMoveHandler = std::function<void(double x, double y)>;
    // The wheel turned with Ctrl held: whole notches, above 0 away from the user.
    using ZoomWheelHandler = std::function<void(int steps)>;

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

    // Logical pixels per picture pixel (1 to 8), or 0 to draw as Stretch says, unscrolled.
    int Zoom() const { return zoom_; }
    void SetZoom(int factor);
    // How far the picture is scrolled, in pixels; 0, 0 without scroll bars.
    POINT ScrollPosition() const { return scroll_; }
    // Scrolls the picture to x, y pixels, as far as it reaches.
    void ScrollTo(int x, int y);

    // Where the whole picture lies, in pixels at the window's dpi from its top-left corner
    // (scrolling moves it up and left of the window's own).
    RECT PictureRect() const;
    // Draws the picture as the window shows it, into any device context.
    void Draw(HDC dc) const;

    void OnMouseDown(MouseDownHandler handler) { mouseDown_ = std::move(handler); }
    // The mouse moved over the window; and it left the window.
    void OnMouseMove(MouseMoveHandler handler) { mouseMove_ = std::move(handler); }
    void OnMouseLeave(std::function<void()> handler) { mouseLeave_ = std::move(handler); }
    void OnZoomWheel(ZoomWheelHandler handler) { zoomWheel_ = std::move(handler); }

    LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    // The scroll bars shown as the zoomed picture needs them, the position within their range.
    void UpdateScrollBars();
    // One scroll bar's request (SB_LINEUP, SB_THUMBTRACK, ...).
    void Scroll(int bar, int request);
    void Wheel(WPARAM wParam);
    void MouseMoved(LPARAM lParam);

    HWND window_ = nullptr;
    std::optional<DibPicture> picture_;
    // The picture's bitmap header, with the colour table of an indexed picture.
    std::vector<std::uint8_t> info_;
    bool stretch_ = false;
    double widthTwips_ = 0;
    double heightTwips_ = 0;
    int zoom_ = 0;
    POINT scroll_ {0, 0};
    bool updatingBars_ = false;
    // The mouse is over the window and its leaving is awaited.
    bool tracking_ = false;
    // Wheel turns short of a whole notch, with Ctrl and without.
    int zoomWheelRest_ = 0;
    int scrollWheelRest_ = 0;
    MouseDownHandler mouseDown_;
    MouseMoveHandler mouseMove_;
    std::function<void()> mouseLeave_;
    ZoomWheelHandler zoomWheel_;
};

} // namespace qv::win32
