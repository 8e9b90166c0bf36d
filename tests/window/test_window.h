#pragma once

#include "window/frm.h"

namespace qv::test {

// The main window as the tests see it: the controls they check, published.
class TestWindow : public frm
{
public:
    using frm::frm;

    using frm::chkPal;
    using frm::cmdAnalyze;
    using frm::cmdOK;
    using frm::cmdRefreshFileList;
    using frm::cmdResetSkips;
    using frm::cmdSetAllBright;
    using frm::File;
    using frm::fraBrightness;
    using frm::fraImage;
    using frm::img;
    using frm::lbl;
    using frm::lblBright;
    using frm::lblFolder;
    using frm::lblReport;
    using frm::lblSize;
    using frm::mnuColorMatchingOption;
    using frm::mnuFileExit;
    using frm::mnuFileOpenFolder;
    using frm::mnuFileRestore;
    using frm::mnuHorizontalAlignmentOption;
    using frm::mnuOutputFormat;
    using frm::mnuOutputOffsets;
    using frm::mnuPaletteConvertPalette;
    using frm::mnuPaletteOption;
    using frm::mnuQualityDistance;
    using frm::mnuQualityDithering;
    using frm::mnuQualityDitherStrength;
    using frm::mnuQualityKeepExact;
    using frm::mnuScalingOption;
    using frm::mnuTransparencyAlphaThreshold;
    using frm::mnuTransparencyApply;
    using frm::mnuTransparencyInputColor;
    using frm::mnuTransparencyInputRGB;
    using frm::mnuTransparencyLeftRightCols;
    using frm::mnuTransparencyOutputColor;
    using frm::mnuTransparencyUseAlpha;
    using frm::mnuVerticalAlignmentOption;
    using frm::mnuViewColorMap;
    using frm::mnuViewLightLevel;
    using frm::mnuViewNoColorMap;
    using frm::mnuViewPicture;
    using frm::mnuViewZoom;
    using frm::optShow;
    using frm::vsbBright;
    using frm::vsbSize;
};

} // namespace qv::test
