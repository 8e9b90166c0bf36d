// The window's fixed design: every control with its kind, caption, place, size and the
// properties that behaviour depends on. Places are in twips, relative to the client area; a
// control inside a frame is placed at the frame's place plus its own, and the frame, a sibling
// here, lies below everything else so that it never paints over them.
#include "platform/app_info.h"
#include "platform/win32/dpi.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_class.h"
#include "window-win32/frm.h"

#include <sstream>
#include <string>
#include <utility>

namespace qv::win32 {
namespace {

constexpr const wchar_t *kClassName = L"QuorvantileWindow";
// Without WS_CLIPCHILDREN: a frame draws only its line and caption, and the window paints the
// frame's inside.
constexpr DWORD kStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;

// The two frames, whose controls are placed relative to them.
constexpr TwipsRect kImageFrame {2280, 480, 4095, 4215};
constexpr TwipsRect kBrightnessFrame {3240, 4680, 3735, 615};

constexpr TwipsRect Inside(const TwipsRect &frame, int left, int top, int width, int height)
{
    return {frame.left + left, frame.top + top, width, height};
}

HWND Button(HWND parent, int id, const wchar_t *caption, DWORD style = BS_PUSHBUTTON)
{
    return CreateControl(parent, WC_BUTTONW, caption, style | WS_TABSTOP | WS_GROUP, id);
}

HWND Frame(HWND parent, int id, const wchar_t *caption)
{
    return CreateControl(parent, WC_BUTTONW, caption, BS_GROUPBOX, id);
}

} // namespace

frm::frm(DialogService &dialogs)
    : dialogs_(dialogs)
    , session_(dialogs, *this)
{
    CreateMainWindow();
    CreateControls();
    CreateMenus();
    LayOut(dpi_);
    MakeFonts(dpi_);
    SizeWindow(CW_USEDEFAULT, CW_USEDEFAULT);
    DragAcceptFiles(window_, TRUE);
    ConnectControls();
    ConnectMenus();
    SetFocus(cmdOK);
}

frm::~frm()
{
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    if (accelerators != nullptr) {
        DestroyAcceleratorTable(accelerators);
    }
    for (HICON icon : icons_) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
    if (markFont_ != nullptr) {
        DeleteObject(markFont_);
    }
}

void frm::CreateMainWindow()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WindowClass<frm>::Register(kClassName, LoadCursorW(nullptr, IDC_ARROW), COLOR_BTNFACE + 1);
    window_ = CreateWindowExW(0,
        kClassName,
        Wide(kAppTitle).c_str(),
        kStyle,
        CW_USEDEFAULT,
        CW_USEDEFAULT,
        0,
        0,
        nullptr,
        nullptr,
        instance,
        this);
    dpi_ = WindowDpi(window_);
    // The program's icon (resource 1), at the sizes the system draws it at.
    for (const auto &[which, metric] :
        {std::pair {ICON_SMALL, SM_CXSMICON}, {ICON_BIG, SM_CXICON}}) {
        const int side = GetSystemMetrics(metric);
        if (HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, side, side, 0)) {
            SendMessageW(window_, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
        }
    }
}

int frm::Place(HWND control, std::string name, const TwipsRect &place, int frame, bool fillsFrame)
{
    placements_.push_back({control, place, std::move(name), frame, fillsFrame});
    return static_cast<int>(placements_.size()) - 1;
}

void frm::CreateControls()
{
    HWND w = window_;
    cmdOK = Button(w, NextId(), L"Convert");
    Place(cmdOK, "cmdOK", {7080, 4800, 3495, 465});

    fraImage = Frame(w, NextId(), L"No Image");
    const int imageFrame = Place(fraImage, "fraImage", kImageFrame);
    // The option group: the first starts it and takes the Tab key, the arrows move inside it.
    optShow[0] =
        CreateControl(w, WC_BUTTONW, L"Original", BS_RADIOBUTTON | WS_TABSTOP | WS_GROUP, NextId());
    Place(optShow[0], "optShow(0)", Inside(kImageFrame, 2280, 0, 855, 255), imageFrame);
    optShow[1] = CreateControl(w, WC_BUTTONW, L"Preview", BS_RADIOBUTTON, NextId());
    Place(optShow[1], "optShow(1)", Inside(kImageFrame, 3120, 0, 855, 255), imageFrame);
    SendMessageW(optShow[0], BM_SETCHECK, BST_CHECKED, 0);
    img = std::make_unique<ImageBox>(w, NextId());
    Place(img->Handle(), "img", Inside(kImageFrame, 120, 240, 3840, 3840), imageFrame, true);

    File = std::make_unique<FileListBox>(w, NextId());
    Place(File->Handle(), "File", {120, 480, 2175, 3990});

    lbl[0] = std::make_unique<Label>(w, NextId(), "Size of square:", Label::Style::Plain);
    Place(lbl[0]->Handle(), "lbl(0)", {120, 4920, 1095, 255});
    vsbSize = std::make_unique<ArrowScrollBar>(w, NextId());
    vsbSize->SetRange(512, 32, 64, true);
    vsbSize->SetSteps(4, 4);
    Place(vsbSize->Handle(), "vsbSize", {1680, 4920, 255, 255});
    lblSize = std::make_unique<Label>(w, NextId(), "64", Label::Style::Value);
    Place(lblSize->Handle(), "lblSize", {1320, 4920, 375, 255});
    cmdAnalyze = Button(w, NextId(), L"Find Minimum");
    Place(cmdAnalyze, "cmdAnalyze", {2040, 4920, 1095, 255});

    fraBrightness = Frame(w, NextId(), L"Brightness");
    const int brightnessFrame = Place(fraBrightness, "fraBrightness", kBrightnessFrame);
    // Red, green and blue: the label, the value and the arrows of each channel, in tab order.
    constexpr std::array<int, 3> valueLeft = {360, 1320, 2280};
    constexpr std::array<int, 3> arrowsLeft = {720, 1680, 2640};
    for (std::size_t i = 0; i < 3; ++i) {
        vsbBright[i] = std::make_unique<ArrowScrollBar>(w, NextId());
        vsbBright[i]->SetRange(200, 0, 100, true);
        vsbBright[i]->SetSteps(1, 1);
        const std::string member = "(" + std::to_string(i) + ")";
        Place(vsbBright[i]->Handle(),
            "vsbBright" + member,
            Inside(kBrightnessFrame, arrowsLeft[i], 240, 255, 255),
            brightnessFrame);
        lblBright[i] = std::make_unique<Label>(w, NextId(), "100", Label::Style::Value);
        Place(lblBright[i]->Handle(),
            "lblBright" + member,
            Inside(kBrightnessFrame, valueLeft[i], 240, 375, 255),
            brightnessFrame);
    }
    const std::array<std::pair<int, int>, 3> channelLabels = {{{4, 120}, {5, 1080}, {6, 2040}}};
    const std::array<const char *, 3> channelNames = {"R:", "G:", "B:"};
    for (std::size_t i = 0; i < channelLabels.size(); ++i) {
        const auto [member, left] = channelLabels[i];
        lbl[member] = std::make_unique<Label>(w, NextId(), channelNames[i], Label::Style::Plain);
        Place(lbl[member]->Handle(),
            "lbl(" + std::to_string(member) + ")",
            Inside(kBrightnessFrame, left, 240, 255, 255),
            brightnessFrame);
    }

    lbl[7] = std::make_unique<Label>(
        w, NextId(), "Skipped colors (click to toggle)", Label::Style::Plain);
    Place(lbl[7]->Handle(), "lbl(7)", {6480, 360, 2175, 225});
    cmdResetSkips = Button(w, NextId(), L"Clear");
    Place(cmdResetSkips, "cmdResetSkips", {8760, 360, 975, 225});
    cmdSetAllBright = Button(w, NextId(), L"Set All");
    Place(cmdSetAllBright,
        "cmdSetAllBright",
        Inside(kBrightnessFrame, 3000, 240, 615, 225),
        brightnessFrame);

    lblFolder = std::make_unique<Label>(w, NextId(), "", Label::Style::PlainWithBorder);
    Place(lblFolder->Handle(), "lblFolder", {720, 120, 9855, 255});
    lbl[1] = std::make_unique<Label>(w, NextId(), "Folder:", Label::Style::Plain);
    Place(lbl[1]->Handle(), "lbl(1)", {120, 120, 615, 255});

    chkPal[0] = std::make_unique<ColorCheckbox>(w, NextId());
    ShowWindow(chkPal[0]->Handle(), SW_SHOWNA);
    Place(chkPal[0]->Handle(), "chkPal(0)", {6480, 600, 255, 255});

    cmdRefreshFileList = Button(w, NextId(), L"Refresh File List");
    Place(cmdRefreshFileList, "cmdRefreshFileList", {120, 4560, 2175, 225});
    lblReport = std::make_unique<Label>(w, NextId(), "", Label::Style::Plain);
    Place(lblReport->Handle(), "lblReport", {2280, 5340, 8295, 255});

    // The frames lie below the controls placed on them.
    for (HWND frame : {fraImage, fraBrightness}) {
        SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    tips = std::make_unique<ToolTips>(w);
    tips->Set(cmdResetSkips, "Reset the skipped color list");
}

// Members 1..255 in rows of 16, each connected and with its tooltip. The row arithmetic is
// kept as it always was: the second row overlaps the first by 16 twips and the rows after it
// follow 255 apart.
void frm::CreatePaletteGrid()
{
    constexpr int kPaletteEntries = 256;
    constexpr int kGridColumns = 16;
    constexpr TwipsRect first {6480, 600, 255, 255};
    int x = first.left + first.width;
    int y = first.top;
    for (int k = 1; k < kPaletteEntries; ++k) {
        auto &box = chkPal[static_cast<std::size_t>(k)];
        if (box != nullptr) {
            continue; // a second start-up makes no second grid
        }
        box = std::make_unique<ColorCheckbox>(window_, NextId());
        box->SetColor(chkPal[0]->Color());
        box->SetValue(chkPal[0]->Value(), true);
        box->SetMarkFont(markFont_);
        ConnectSkipBox(k);
        const int placed = Place(
            box->Handle(), "chkPal(" + std::to_string(k) + ")", {x, y, first.width, first.height});
        const ControlPlace at = PlaceAt(placements_[static_cast<std::size_t>(placed)], dpi_);
        SetWindowPos(box->Handle(),
            nullptr,
            at.left,
            at.top,
            at.width,
            at.height,
            SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        if (k % kGridColumns == kGridColumns - 1) {
            x = first.left;
            y = first.top + first.height * k / kGridColumns;
        } else {
            x += first.width;
        }
    }
    for (int n = 0; n < kPaletteEntries; ++n) {
        std::ostringstream tip; // "Color #10 (0xA)"
        tip << "Color #" << n << " (0x" << std::hex << std::uppercase << n << ")";
        tips->Set(chkPal[static_cast<std::size_t>(n)]->Handle(), tip.str());
    }
}

} // namespace qv::win32
