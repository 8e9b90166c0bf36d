#pragma once

#include "window-win32/frm.h"

namespace qv::win32::test {

// The Windows window as the tests see it: the controls they check, published.
class TestWindow : public frm
{
public:
    using frm::frm;

    using frm::chkPal;
    using frm::cmdOK;
    using frm::cmdResetSkips;
    using frm::Dpi;
    using frm::File;
    using frm::fraBrightness;
    using frm::fraImage;
    using frm::img;
    using frm::lbl;
    using frm::lblBright;
    using frm::lblFolder;
    using frm::lblReport;
    using frm::lblSize;
    using frm::menuBar;
    using frm::mnuColorMatchingOption;
    using frm::mnuFileExit;
    using frm::mnuFileOpenFolder;
    using frm::mnuHorizontalAlignmentOption;
    using frm::mnuOutputFormat;
    using frm::mnuOutputOffsets;
    using frm::mnuPaletteOption;
    using frm::mnuQualityDistance;
    using frm::mnuQualityDithering;
    using frm::mnuScalingOption;
    using frm::mnuVerticalAlignmentOption;
    using frm::mnuViewZoom;
    using frm::optShow;
    using frm::tips;
    using frm::vsbBright;
    using frm::vsbSize;
};

} // namespace qv::win32::test
