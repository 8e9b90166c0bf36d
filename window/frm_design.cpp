// The window's fixed design: every control with its kind, caption, place, size and the
// properties that behaviour depends on. Places are in twips, relative to the client area or,
// inside a frame, to the frame's own top-left corner (its caption strip included).
#include "platform/app_info.h"
#include "platform/qt/twips.h"
#include "window/frm.h"

#include <sstream>
#include <string>
#include <vector>

#include <QIcon>
#include <QLayout>

// The icon is compiled into this static library; a resource in a static library is only
// linked in when something refers to its initialiser, and that must be outside any namespace.
static void InitWindowResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace qv {
namespace {

// The client area below the menu bar: 10665 x 5625 twips.
constexpr int kClientWidth = 10665;
constexpr int kClientHeight = 5625;

template <typename W> W *Placed(W *widget, const std::string &name, QRect place)
{
    widget->setObjectName(QString::fromStdString(name));
    widget->setGeometry(place);
    return widget;
}

std::string Member(const std::string &name, int index)
{
    return name + "(" + std::to_string(index) + ")";
}

QPushButton *Button(QWidget *parent, const std::string &name, const char *caption, QRect place)
{
    return Placed(new QPushButton(caption, parent), name, place);
}

QGroupBox *Frame(QWidget *parent, const std::string &name, const char *caption, QRect place)
{
    return Placed(new QGroupBox(caption, parent), name, place);
}

Label *PlainLabel(QWidget *parent, const std::string &name, const char *caption, QRect place)
{
    Label *label = Placed(new Label(caption, parent), name, place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

// A bordered label with centred text that shows a scroll bar's value.
Label *ValueLabel(QWidget *parent, const std::string &name, const char *caption, QRect place)
{
    Label *label = Placed(new Label(caption, parent), name, place);
    label->SetBorder(true);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

ArrowScrollBar *ArrowPair(
    QWidget *parent, const std::string &name, QRect place, int min, int max, int step, int value)
{
    ArrowScrollBar *bar = Placed(new ArrowScrollBar(parent), name, place);
    bar->SetMin(min);
    bar->SetMax(max);
    bar->SetSmallChange(step);
    bar->SetLargeChange(step);
    bar->SetValue(value);
    return bar;
}

} // namespace

frm::frm(DialogService &dialogs, QWidget *parent)
    : QMainWindow(parent)
    , dialogs_(dialogs)
    , session_(dialogs, *this)
{
    InitWindowResources();
    setWindowTitle(kAppTitle);
    setWindowIcon(QIcon(QStringLiteral(":/icon.png")));

    auto *client = new QWidget(this);
    client_ = client;
    client->setObjectName("client");
    // The design's size is the smallest; enlarged, the picture frame takes the room.
    client->setMinimumSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    client->installEventFilter(this);
    // The fixed layout needs a small, narrow font: the buttons are 15 to 17 pixels high and
    // the captions were sized for a narrow 8-point face.
    QFont small = client->font();
    small.setPixelSize(11);
    small.setStretch(80);
    client->setFont(small);
    setCentralWidget(client);

    CreateControls(client);
    CreateMenus();
    SetTabOrder();
    setAcceptDrops(true);
    ConnectControls();
    ConnectMenus();

    // The first size is the design's: the client area and the menu bar.
    TakeDesign();
    resize(minimumSizeHint());
    cmdOK->setFocus();
}

void frm::CreateControls(QWidget *client)
{
    cmdOK = Button(client, "cmdOK", "Convert", TwipsRect(7080, 4800, 3495, 465));

    fraImage = Frame(client, "fraImage", "No Image", TwipsRect(2280, 480, 4095, 4215));
    optShow[0] = Placed(
        new QRadioButton("Original", fraImage), Member("optShow", 0), TwipsRect(2280, 0, 855, 255));
    optShow[1] = Placed(
        new QRadioButton("Preview", fraImage), Member("optShow", 1), TwipsRect(3120, 0, 855, 255));
    // "Original" needs a narrower face than the other captions to end before "Preview".
    QFont narrow = fraImage->font();
    narrow.setStretch(70);
    for (QRadioButton *option : optShow) {
        // The buttons sit on the frame's top line; an opaque background hides the line.
        option->setAutoFillBackground(true);
        option->setFont(narrow);
    }
    optShow[0]->setChecked(true);
    img = Placed(new ImageBox(fraImage), "img", kPictureArea);
    // A picture larger than the box ends at the frame's inside, clear of its border.
    img->SetDrawingArea(kPictureArea);

    File = Placed(new FileListBox(client), "File", TwipsRect(120, 480, 2175, 3990));

    lbl[0] =
        PlainLabel(client, Member("lbl", 0), "Size of square:", TwipsRect(120, 4920, 1095, 255));
    vsbSize = ArrowPair(client, "vsbSize", TwipsRect(1680, 4920, 255, 255), 512, 32, 4, 64);
    lblSize = ValueLabel(client, "lblSize", "64", TwipsRect(1320, 4920, 375, 255));
    cmdAnalyze = Button(client, "cmdAnalyze", "Find Minimum", TwipsRect(2040, 4920, 1095, 255));

    fraBrightness = Frame(client, "fraBrightness", "Brightness", TwipsRect(3240, 4680, 3735, 615));
    // Red, green and blue: the label, the value and the arrows of each channel.
    constexpr std::array<int, 3> valueLeft = {360, 1320, 2280};
    constexpr std::array<int, 3> arrowsLeft = {720, 1680, 2640};
    for (int i = 0; i < 3; ++i) {
        vsbBright[i] = ArrowPair(fraBrightness,
            Member("vsbBright", i),
            TwipsRect(arrowsLeft[i], 240, 255, 255),
            200,
            0,
            1,
            100);
        lblBright[i] = ValueLabel(
            fraBrightness, Member("lblBright", i), "100", TwipsRect(valueLeft[i], 240, 375, 255));
    }
    lbl[4] = PlainLabel(fraBrightness, Member("lbl", 4), "R:", TwipsRect(120, 240, 255, 255));
    lbl[5] = PlainLabel(fraBrightness, Member("lbl", 5), "G:", TwipsRect(1080, 240, 255, 255));
    lbl[6] = PlainLabel(fraBrightness, Member("lbl", 6), "B:", TwipsRect(2040, 240, 255, 255));
    cmdSetAllBright =
        Button(fraBrightness, "cmdSetAllBright", "Set All", TwipsRect(3000, 240, 615, 225));

    lbl[7] = PlainLabel(client,
        Member("lbl", 7),
        "Skipped colors (click to toggle)",
        TwipsRect(6480, 360, 2175, 225));
    cmdResetSkips = Button(client, "cmdResetSkips", "Clear", TwipsRect(8760, 360, 975, 225));
    cmdResetSkips->setToolTip("Reset the skipped color list");

    lblFolder = PlainLabel(client, "lblFolder", "", TwipsRect(720, 120, 9855, 255));
    lblFolder->SetBorder(true);
    lbl[1] = PlainLabel(client, Member("lbl", 1), "Folder:", TwipsRect(120, 120, 615, 255));

    chkPal.AddDesignMember(
        0, Placed(new ColorCheckbox(client), Member("chkPal", 0), TwipsRect(6480, 600, 255, 255)));

    cmdRefreshFileList =
        Button(client, "cmdRefreshFileList", "Refresh File List", TwipsRect(120, 4560, 2175, 225));
    lblReport = PlainLabel(client, "lblReport", "", TwipsRect(2280, 5340, 8295, 255));
}

// Members 1..255 as copies of member 0, in rows of 16, each connected and with its tooltip. The row
// arithmetic is kept as it always was: the second row overlaps the first by 16 twips and the rows
// after it follow 255 apart.
void frm::CreatePaletteGrid()
{
    constexpr int kPaletteEntries = 256;
    constexpr int kGridColumns = 16;
    const ColorCheckbox &first = chkPal[0];
    const int left0 = PixelsToTwips(first.x());
    const int top0 = PixelsToTwips(first.y());
    const int width0 = PixelsToTwips(first.width());
    const int height0 = PixelsToTwips(first.height());
    int x = left0 + width0;
    int y = top0;
    for (int k = 1; k < kPaletteEntries; ++k) {
        ColorCheckbox &box = chkPal.Load(k);
        box.setObjectName(QString::fromStdString(Member("chkPal", k)));
        ConnectSkipBox(k);
        chkPal.Move(k, x, y);
        box.setVisible(true);
        if (k % kGridColumns == kGridColumns - 1) {
            x = left0;
            y = top0 + height0 * k / kGridColumns;
        } else {
            x += PixelsToTwips(box.width());
        }
    }
    for (int n = 0; n < kPaletteEntries; ++n) {
        std::ostringstream tip; // "Color #10 (0xA)"
        tip << "Color #" << n << " (0x" << std::hex << std::uppercase << n << ")";
        chkPal[n].setToolTip(QString::fromStdString(tip.str()));
    }
}

void frm::SetTabOrder()
{
    // The order of the design. Labels and frames take no focus; chaining only the controls that
    // do keeps Qt from treating a frame and its children as one compound widget.
    const std::vector<QWidget *> design = {cmdOK,
        fraImage,
        optShow[0],
        optShow[1],
        File,
        lbl[0],
        vsbSize,
        lblSize,
        cmdAnalyze,
        fraBrightness,
        vsbBright[0],
        lblBright[0],
        lbl[4],
        lbl[5],
        lblBright[1],
        vsbBright[1],
        vsbBright[2],
        lbl[6],
        lblBright[2],
        lbl[7],
        cmdResetSkips,
        cmdSetAllBright,
        lblFolder,
        lbl[1],
        &chkPal[0],
        cmdRefreshFileList};
    QWidget *previous = nullptr;
    for (QWidget *control : design) {
        if ((control->focusPolicy() & Qt::TabFocus) == 0) {
            continue;
        }
        if (previous != nullptr) {
            setTabOrder(previous, control);
        }
        previous = control;
    }
}

} // namespace qv
