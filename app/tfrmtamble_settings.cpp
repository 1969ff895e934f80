// The settings onto the main window's controls at creation, and back into
// a Settings record at exit; also the options the options dialog edits.
#include "app/tfrmtamble.h"

#include "app/placement.h"
#include "core/errortext.h"
#include "fileview/fileviewpage.h"
#include "widgets/qtext.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>

namespace tamble {
namespace {

ScreenRect ToScreenRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

} // namespace

void TfrmTamble::ApplySettings(const Settings& settings, bool firstStart) {
    options_ = settings.options;
    const AppOptions& o = options_;
    mnuAllOpenEditor->setChecked(o.AllOpenEditor);
    mnuRowSelectMode->setChecked(o.RowSelectMode);
    // A stored page that does not exist leaves the first page showing: a
    // tab control here always shows one of its pages.
    const bool pageExists = settings.ActivePage >= 0 && settings.ActivePage < PageControl->count();
    PageControl->setCurrentIndex(pageExists ? settings.ActivePage : kProjectPage);
    ApplyFormStyle(o.FormStyle);

    std::vector<ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(ToScreenRect(screen->geometry()));
    ScreenRect workArea;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        workArea = ToScreenRect(primary->availableGeometry());
    const ScreenRect stored{settings.Left, settings.Top, settings.Left + settings.Width,
                            settings.Top + settings.Height};
    ScreenRect placed = screens.empty() ? stored : KeepOnScreen(stored, screens, workArea);
    if (firstStart) placed = FitInside(placed, workArea);
    // The file keeps the outer bounds, frame included, as on Windows; the
    // frame is known for sure only once the window manager has put it
    // around the shown window (see moveEvent).
    outerSize_ = placed;
    frameKnown_ = false;
    move(placed.left, placed.top);
    ApplyOuterSize();

    filePage_->SetTreeHeight(settings.Splitter);
    filePage_->SetNarrowKeep(o.NarrowKeep);
    filePage_->SetRowSelectMode(o.RowSelectMode);

    SetFilterItems(settings.histories[kFilterHistory]);
    tools_.cmbDeleteFilesFromMask = settings.histories[kDeleteFilesMaskHistory];
    tools_.cmbOutOfFilePattern = settings.histories[kOutOfFilePatternHistory];
    tools_.cmbOutOfFolderPattern = settings.histories[kOutOfFolderPatternHistory];
    filePage_->SetAddress(settings.histories[kPathAddressHistory], settings.PathAddressText);
}

Settings TfrmTamble::CollectSettings() const {
    Settings settings;
    settings.options = options_;
    settings.options.AllOpenEditor = mnuAllOpenEditor->isChecked();
    settings.options.RowSelectMode = mnuRowSelectMode->isChecked();
    settings.options.NarrowKeep = filePage_->NarrowKeep();
    settings.ActivePage = PageControl->currentIndex();
    // The frame's outside, which move() and ApplyOuterSize() take back, so
    // the window comes back where it was; a maximized window comes back as
    // a normal one of the maximized size.
    const QRect outer = frameGeometry();
    settings.Left = outer.x();
    settings.Top = outer.y();
    settings.Width = outer.width();
    settings.Height = outer.height();
    settings.Splitter = filePage_->TreeHeight();
    settings.histories[kFilterHistory] = FilterItems();
    settings.histories[kDeleteFilesMaskHistory] = tools_.cmbDeleteFilesFromMask;
    settings.histories[kOutOfFilePatternHistory] = tools_.cmbOutOfFilePattern;
    settings.histories[kOutOfFolderPatternHistory] = tools_.cmbOutOfFolderPattern;
    settings.histories[kPathAddressHistory] = filePage_->AddressItems();
    settings.PathAddressText = filePage_->AddressText();
    return settings;
}

void TfrmTamble::SaveSettingsFile() {
    if (SaveSettings(env_.settingsPath.c_str(), CollectSettings())) return;
    // Said at once: the changes since the start are lost with this window.
    Prompts().Message(ErrorBoxText(SettingsSaveErrorMessage(env_.settingsPath)), kApplicationTitle,
                      platform::PromptIcon::Error);
}

void TfrmTamble::ApplyOuterSize() {
    const QRect client = geometry();
    const QRect outer = frameGeometry();
    const FrameMargins margins{client.left() - outer.left(), client.top() - outer.top(),
                               outer.right() - client.right(), outer.bottom() - client.bottom()};
    const ClientSize size = ClientSizeFor(outerSize_, margins);
    resize(size.width, size.height);
}

void TfrmTamble::ApplyFormStyle(int formStyle) {
    options_.FormStyle = formStyle == kFormStyleStayOnTop ? kFormStyleStayOnTop : kFormStyleNormal;
    const bool onTop = options_.FormStyle == kFormStyleStayOnTop;
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
    // Changing a window flag hides the window; show it again as it was.
    // Drops stay accepted: acceptDrops is a property of the widget.
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible) show();
}

HistoryList TfrmTamble::FilterItems() const {
    return filePage_->FilterItems();
}

void TfrmTamble::SetFilterItems(const HistoryList& items) {
    filePage_->SetFilterItems(items);
}

} // namespace tamble
