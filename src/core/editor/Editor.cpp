#include "core/editor/Editor.h"

#include "core/dib/BitmapFile.h"
#include "core/platform/FileIO.h"
#include "core/platform/Text.h"
#include "core/settings/OptionActions.h"

#include <cstdio>
#include <exception>
#include <utility>

namespace tavrin {

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The mouse-hint texts 11, 12, 21, ... of the numbered table.
struct HintTexts {
    const char* left;
    const char* right;
};
constexpr HintTexts MouseHintTexts[5] = {
    {"", ""},
    {TAVRIN_TR_NOOP("Editor", "描画領域選択"), TAVRIN_TR_NOOP("Editor", "領域選択")},
    {TAVRIN_TR_NOOP("Editor", "描画："), TAVRIN_TR_NOOP("Editor", "スポイト")},
    {TAVRIN_TR_NOOP("Editor", "描画パレット選択"), TAVRIN_TR_NOOP("Editor", "パレットエディタ")},
    {TAVRIN_TR_NOOP("Editor", "セット色選択"), TAVRIN_TR_NOOP("Editor", "パレットエディタ")},
};

} // namespace

Editor::Editor(EditorView& view, Workspace& workspace, CIniInfo& settings, AppPaths paths,
               int wheelScrollLines)
    : m_view(view), m_ws(workspace), m_paths(std::move(paths)), m_settings(settings),
      m_displayImage(Workspace::TileImageSide, Workspace::TileImageSide),
      m_workingCopy(Workspace::TileImageSide, Workspace::TileImageSide),
      m_datView(m_ws.PaletteSet()), m_palView(m_ws.Palette(), m_ws.PaletteSet()) {
    m_wheelLines = wheelScrollLines > 0 ? wheelScrollLines : 1;

    m_pen = m_pens.Get(m_penNumber);
    m_editView.SetImages(&m_ws.Canvas(), &m_displayImage, &m_workingCopy);
    m_editView.SetPaletteSet(&m_ws.PaletteSet());
    m_editView.SetPen(m_pen);
    m_editView.SetEditSize(m_editSize);
    m_editView.SetGridFlag(m_settings.GridEdit);
    m_editView.SetFrameFlag(m_settings.FrameDraw);
    m_editView.SetGridType(m_settings.GridType);
    m_editView.SetGridPattern(m_grid.CurrentPattern());
    m_ws.AddListener(this);
}

Editor::~Editor() {
    m_ws.RemoveListener(this);
}

// ---- Start-up and shutdown ----

void Editor::FormCreate(const std::vector<std::string>& arguments) {
    m_initialising = true;
    LoadCompanionFiles(m_paths.standardFiles, false);

    SetPaletteScrollRanges();
    m_view.SetFormatList(SplitLines(m_ws.Formats().NameList()));
    RefillPatternList();

    m_wheelCount = m_settings.WheelCount;
    SelectFormat(Workspace::StartFormatIndex);
    SelectPattern(0);
    // A zoom outside the list leaves it without a selection, which the handler takes as "x1".
    const int zoom = m_settings.ZoomType;
    SetViewOption(ViewOption::Zoom, zoom >= 0 && zoom < ZoomCount ? zoom : 0);
    SetViewOption(ViewOption::GridType, m_settings.GridType);
    m_ws.SetRotate(0, this);
    m_ws.SetMirror(0, this);

    m_view.LayoutChanged();
    m_view.SetStatusText(StatusPanel::Pen, PenCaption(m_pen));
    RefreshCommandStates();
    m_initialising = false;
    // Settings that were not read (a file too large) are not silently replaced by defaults.
    if (const std::string warning = m_settings.Warning(); !warning.empty())
        m_view.ShowMessage(warning);

    const std::string chr = ReplaceExtension(m_paths.standardFiles, ".chr");
    if (arguments.size() == 1)
        OpenRom(arguments[0], true);
    else if (FileExists(chr))
        OpenRom(chr, true);
    else
        FileNew();
    // A command-line file that could not be opened still leaves a document to work on.
    if (m_ws.Document().FilePath().empty())
        FileNew();
}

void Editor::FormShow() {
    m_view.FocusPanel(Panel::Chr);
    DrawTileView();
    UpdateEditView();
    RedrawPaletteViews();
}

void Editor::FormDestroy(int left, int top, int windowColour) {
    // The check boxes, lists and toggles already keep their fields up to date.
    m_settings.ZoomType = m_zoomIndex;
    m_settings.WindowColor = windowColour;
    m_settings.Left = left;
    m_settings.Top = top;
    const FileResult written = m_settings.Write();
    // Settings that could not be kept are named, not dropped silently.
    if (!written && !m_paths.settingsFile.empty())
        m_view.ShowMessage(TAVRIN_TR("Editor", "設定ファイルに設定を保存できませんでした。\n") +
                           FailureMessage(written, FileAction::Save));
}

// ---- Redraw steps ----

void Editor::Redraw() {
    DecodePage();
    DrawTileView();
    UpdateEditView();
    RedrawPaletteViews();
}

void Editor::ShowPage() {
    m_ws.SetAddress(m_ws.ClampAddress(m_ws.Address()), this);
    const int position =
        ChrScrollPosition(m_ws.Address(), m_ws.Document().HeaderOffset(), m_ws.Page());
    if (position != m_lastScrollPosition)
        SetScrollPosition(ScrollBarId::Chr, position);
    DecodePage();
    DrawTileView();
    UpdateEditView();
    ShowAddressStatus();
    ShowCaption();
}

void Editor::DecodePage() {
    m_ws.DecodePage(this);
    m_pageReachesPastEnd = m_ws.PastEndMask(m_pastEnd);
}

bool Editor::IsTilePastEnd(int screenTile) const {
    if (!m_pageReachesPastEnd)
        return false;
    const int left = (screenTile & 15) * 8;
    const int top = ((screenTile >> 4) & 15) * 8;
    for (int y = top; y < top + 8; ++y)
        for (int x = left; x < left + 8; ++x)
            if (m_pastEnd.Pixel(x, y) != 0)
                return true;
    return false;
}

void Editor::RebuildDisplayPalette() {
    m_displayPalette = m_ws.DisplayPalette(m_settings.Halftone);
    m_ws.SetTileColours(m_displayPalette, this);
    m_displayImage.Colours() = m_displayPalette;
    m_workingCopy.Colours() = m_displayPalette;
    m_tileView.SetPalette(m_displayPalette);
    m_editView.SetPalette(m_displayPalette);
    m_view.DisplayPaletteChanged();
}

void Editor::DrawTileView() {
    TileViewOptions options;
    // A grid type outside the list draws no grid.
    options.grid = m_settings.GridChr && m_settings.GridType >= 0 && m_settings.GridType <= 3;
    options.gridType = m_settings.GridType;
    options.pattern = m_grid.CurrentPattern();
    options.pastEnd = m_pageReachesPastEnd ? &m_pastEnd : nullptr;
    m_tileView.Draw(m_ws.TileImage(), m_area, options);
    m_view.RepaintTileView();
}

void Editor::UpdateEditView() {
    m_editView.SetPastePreview(m_pastePreview);
    m_editView.SetArea(m_area.Pixels());
    m_editView.SetPenNumber(m_penNumber);
    if (m_pastePreview) {
        // Whatever the clipboard holds that cannot be read shows as no image.
        Image8 clip;
        bool haveImage = false;
        if (m_view.ClipboardHasDib()) {
            try {
                DibToImage8(m_view.ClipboardDib(), clip);
                haveImage = true;
            } catch (const std::exception&) {
                haveImage = false;
            }
        }
        m_editView.RenderPastePreview(haveImage ? &clip : nullptr, m_ws.PaletteSet().GroupBase());
    } else
        m_editView.Redraw();
    m_view.RepaintEditView();
}

// ---- Page, caption and status ----

void Editor::SetChrScrollRange() {
    const ScrollBarRange r = ChrScrollRange(m_ws.Document().DataSize(), m_ws.Page());
    m_view.SetScrollRange(ScrollBarId::Chr,
                          {r.minimum, r.maximum, r.pageSize, r.smallChange, r.largeChange});
}

void Editor::ShowAddressStatus() {
    if (!m_settings.Statusbar)
        return;
    char text[64];
    std::snprintf(text, sizeof text, TAVRIN_TR("Editor", "CHR : %06X - %06X / %06X").c_str(),
                  m_ws.Address(), m_ws.Address() + m_ws.Page().pageBytes - 1,
                  m_ws.Document().EndAddress());
    m_view.SetStatusText(StatusPanel::Address, text);
}

void Editor::ShowPatternStatus(int screenTile) {
    if (!m_settings.Statusbar)
        return;
    char text[64];
    std::snprintf(text, sizeof text, TAVRIN_TR("Editor", "Pattern : ADF[%02X] = %02X ").c_str(),
                  screenTile & 0xFF, m_ws.Pattern().tiles[static_cast<size_t>(screenTile & 0xFF)]);
    // Drawing there reaches the file only if it is extended when saved.
    const std::string past =
        IsTilePastEnd(screenTile) ? TAVRIN_TR("Editor", "(データの終わりより後ろ)") : "";
    m_view.SetStatusText(StatusPanel::Pattern, text + past);
}

void Editor::ShowCaption() {
    // Unsaved changes show as " *" after the file name.
    const char* modified = m_ws.IsModified() ? " *" : "";
    m_captionModified = m_ws.IsModified();
    if (!m_settings.DispTitleAddr) {
        m_view.SetCaption(m_appTitle + modified);
        return;
    }
    const std::string& name = m_ws.Document().FileName();
    std::vector<char> text(name.size() + 64);
    std::snprintf(text.data(), text.size(), "%s ( %06X / %06X ) %s%s", AppTitle, m_ws.Address(),
                  m_ws.Document().EndAddress(), name.c_str(), modified);
    m_view.SetCaption(text.data());
}

bool Editor::IsMouseHintsVisible() const {
    return m_settings.Statusbar && m_settings.MouseNavigation;
}

void Editor::ShowMouseHints(int kind) {
    if (!IsMouseHintsVisible())
        return;
    if (kind == 2 && m_pastePreview)
        kind = 0;
    if (kind < 0 || kind > 4)
        kind = 0;
    if (kind == m_lastHintKind && m_penNumber == m_lastHintPen)
        return;
    m_lastHintKind = kind;
    m_lastHintPen = m_penNumber;
    std::string left = TranslateText("Editor", MouseHintTexts[kind].left);
    if (kind == 2)
        left += PenCaption(m_pen);
    m_view.SetMouseHints(left, TranslateText("Editor", MouseHintTexts[kind].right));
}

// ---- Command states ----

bool Editor::CanRotate() const {
    return m_area.IsSquare() && !m_mouse.IsRightButtonHeld();
}

void Editor::RefreshCommandStates() {
    m_view.CommandStatesChanged();
}

// ---- Options ----

void Editor::SettingsChanged() {
    m_wheelCount = m_settings.WheelCount;
    ShowPage();
}

void Editor::WorkspaceChanged(WorkspaceChange change) {
    switch (change) {
    case WorkspaceChange::Document:
        SetChrScrollRange();
        ShowPage();
        RefreshCommandStates();
        ShowCaption();
        break;
    case WorkspaceChange::Page:
    case WorkspaceChange::Bytes:
        ShowPage();
        break;
    case WorkspaceChange::Palettes:
        RebuildDisplayPalette();
        Redraw();
        break;
    case WorkspaceChange::Patterns:
        RefillPatternList();
        SelectPattern(m_ws.PatternIndex());
        break;
    case WorkspaceChange::TileImage:
        // Another window decoding the page shows what this one shows already.
        break;
    }
}

void PanelView::ReportFailure(const FileResult&, FileAction) {
    Beep();
}

} // namespace tavrin
