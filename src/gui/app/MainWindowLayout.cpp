#include "gui/app/MainWindow.h"

#include "core/views/CImageDat.h"
#include "core/views/CImagePal.h"

#include "gui/app/ActionTable.h"
#include "gui/app/DisplaySettingsPanel.h"
#include "gui/app/MainMenus.h"
#include "gui/app/MainStatusBar.h"
#include "gui/views/ImagePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolBar>

namespace tavrin {

namespace {

constexpr int ClientWidth = 632;
constexpr int ToolBarHeight = 24;
// The client area below the main tool bar and above the status bar.
constexpr int CentralHeight = 434 - ToolBarHeight - 20;
constexpr int ViewSize = 256;
// The palette panels show as many rows as their views draw.
constexpr int DatRowsPalSet = CImageDat::PaletteSetRows;
constexpr int DatRowsPaletteOnly = CImageDat::PaletteOnlyRows;
constexpr int PalRows = CImagePal::VisibleRows;

// Layout positions are given in window client coordinates; the central widget starts below
// the main tool bar.
constexpr int Top(int clientY) {
    return clientY - ToolBarHeight;
}

QFrame* BorderedPanel(QWidget* parent, const char* name, const QString& caption) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(1);
    frame->setAccessibleName(caption);
    return frame;
}

QScrollBar* VerticalBar(QWidget* parent, const char* name) {
    auto* bar = new QScrollBar(Qt::Vertical, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setFocusPolicy(Qt::NoFocus);
    return bar;
}

void PlaceToolBar(QToolBar* bar, QWidget* parent, int x, int y, int w, int h) {
    bar->setParent(parent);
    bar->setGeometry(x, y, w, h);
    bar->setIconSize(QSize(16, 16));
    bar->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 0px; border: none; }"
                                      "QToolButton { padding: 1px; }"));
    bar->show();
}

} // namespace

void MainWindow::BuildLayout() {
    m_scrollBarExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // The panels widen by what the scroll bar needs beyond 16 pixels, so the pictures stay
    // whole.
    const int extra = m_scrollBarExtent - 16;

    QToolBar* mainBar = m_menus->MainToolBar();
    mainBar->setFixedHeight(ToolBarHeight);
    mainBar->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 0px; }"
                                          "QToolButton { padding: 1px; }"));
    addToolBar(Qt::TopToolBarArea, mainBar);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    central->setFixedSize(ClientWidth, CentralHeight);
    central->setMouseTracking(true);
    setCentralWidget(central);

    // CHR: tile view and its scroll bar, then the address tool bar.
    auto* chrGroup = new QWidget(central);
    chrGroup->setObjectName(QStringLiteral("PanelChrGroup"));
    chrGroup->setGeometry(8, Top(32), 303 + extra, 264);
    chrGroup->setMouseTracking(true);
    m_chrPanel = BorderedPanel(chrGroup, "PanelChr", QStringLiteral("CHR"));
    m_chrPanel->setGeometry(0, 0, 280 + extra, 264);
    m_chrView = new ImagePanel(QStringLiteral("ImageChr"), QSize(ViewSize, ViewSize), m_chrPanel);
    m_chrView->move(4, 4);
    m_chrScroll = VerticalBar(m_chrPanel, "ScrollBarChr");
    m_chrScroll->setGeometry(4 + ViewSize, 4, m_scrollBarExtent, ViewSize);
    PlaceToolBar(m_menus->AddressToolBar(), chrGroup, 280 + extra, 0, 23, 264);

    // EDIT: edit view, then the pen tool bar.
    auto* editGroup = new QWidget(central);
    editGroup->setObjectName(QStringLiteral("PanelEditGroup"));
    editGroup->setGeometry(332, Top(32), 287, 264);
    editGroup->setMouseTracking(true);
    m_editPanel = BorderedPanel(editGroup, "PanelEdit", QStringLiteral("EDIT"));
    m_editPanel->setGeometry(0, 0, 264, 264);
    m_editView =
        new ImagePanel(QStringLiteral("ImageEdit"), QSize(ViewSize, ViewSize), m_editPanel);
    m_editView->move(4, 4);
    // A drawing surface: the cross marks the pixel under the pointer better than an arrow.
    m_editView->setCursor(Qt::CrossCursor);
    PlaceToolBar(m_menus->PenToolBar(), editGroup, 264, 0, 23, 264);

    m_display = new DisplaySettingsPanel(central);
    m_display->move(8, Top(296));

    PlaceToolBar(m_menus->PaletteModeToolBar(), central, 307, Top(296), 24, 113);

    // DAT and PAL: 256 x 256 pictures of which a few rows show.
    m_datPanel = BorderedPanel(central, "PanelDat", QStringLiteral("DAT"));
    m_datView =
        new ImagePanel(QStringLiteral("ImageDat"), QSize(ViewSize, 16 * DatRowsPalSet), m_datPanel);
    m_datView->move(2, 2);
    m_datScroll = VerticalBar(m_datPanel, "ScrollBarDat");
    m_palPanel = BorderedPanel(central, "PanelPal", QStringLiteral("PAL"));
    m_palPanel->setGeometry(332, Top(340), 277 + extra, 16 * PalRows + 4);
    m_palView =
        new ImagePanel(QStringLiteral("ImagePal"), QSize(ViewSize, 16 * PalRows), m_palPanel);
    m_palView->move(2, 2);
    m_palScroll = VerticalBar(m_palPanel, "ScrollBarPal");
    m_palScroll->setGeometry(2 + ViewSize, 2, m_scrollBarExtent, 16 * PalRows);
    ApplyPaletteLayout(false);

    m_status = new MainStatusBar(this);
    setStatusBar(m_status);

    adjustSize();
    m_initialHeight = sizeHint().height();
    setFixedSize(ClientWidth, m_initialHeight);
}

void MainWindow::ApplyPaletteLayout(bool paletteOnly) {
    const int rows = paletteOnly ? DatRowsPaletteOnly : DatRowsPalSet;
    m_datPanel->setGeometry(332, Top(298), 277 + m_scrollBarExtent - 16, 16 * rows + 4);
    m_datView->setFixedSize(ViewSize, 16 * rows);
    m_datScroll->setGeometry(2 + ViewSize, 2, m_scrollBarExtent, 16 * rows);
    m_palPanel->setVisible(!paletteOnly);
}

void MainWindow::SyncDisplayControls() {
    const DisplaySettingsPanel& d = *m_display;
    const QSignalBlocker b1(d.Rotate()), b2(d.Mirror()), b3(d.Grid()), b4(d.Zoom()),
        b5(d.GridLeft()), b6(d.GridRight()), b7(d.EditArea()), b8(d.Halftone()), b9(d.Format()),
        b10(d.Pattern());
    d.Rotate()->setCurrentIndex(m_editor->Space().RotateIndex());
    d.Mirror()->setCurrentIndex(m_editor->Space().MirrorIndex());
    d.Grid()->setCurrentIndex(m_editor->Settings().GridType);
    d.Zoom()->setCurrentIndex(m_editor->ZoomIndex());
    d.GridLeft()->setChecked(m_editor->Settings().GridChr);
    d.GridRight()->setChecked(m_editor->Settings().GridEdit);
    d.EditArea()->setChecked(m_editor->Settings().FrameDraw);
    d.Halftone()->setChecked(m_editor->Settings().Halftone);
    d.Format()->setCurrentIndex(m_editor->Space().FormatIndex());
    d.Pattern()->setCurrentIndex(m_editor->Space().PatternIndex());
}

QScrollBar* MainWindow::ScrollBarOf(ScrollBarId bar) const {
    switch (bar) {
    case ScrollBarId::Dat:
        return m_datScroll;
    case ScrollBarId::Pal:
        return m_palScroll;
    case ScrollBarId::Chr:
    default:
        return m_chrScroll;
    }
}

} // namespace tavrin
