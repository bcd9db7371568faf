#pragma once
/// Sheets: dialogs that slide down out of the caption of the active window (or from the top of the
/// screen). Any dialog with DialogStyle dsSheet is placed and slid in as a sheet when it runs
/// modally; TVxCustomDialogSheet also runs modeless and stays attached to the window it came from
/// while that window moves or resizes. Every sheet slides out when it closes. \file

#include "VxDialog.h"

#include <QPointer>
#include <QRect>

#include <functional>

class QVariantAnimation;
class QWidget;

/// Height from a window's top edge to its client area, by the sheet rules: the system caption
/// height adjusted for tool windows (at least 20 for other styles), plus the sizing frame for a
/// sizeable window, else 3 (scaled). 0 for no window or bsNone.
int SheetCaptionHeight(TFormBorderStyle Style, int SystemCaptionHeight, int SizingFrameHeight);
/// The border style of any top-level window: its BorderStyle property when it has one, else
/// bsSingle for a fixed-size window and bsSizeable otherwise.
TFormBorderStyle WindowBorderStyle(const QWidget* Window);
/// The rule above for a real window, with the style's title bar height as the system caption.
int SheetCaptionHeight(const QWidget* Window);
/// Whether the platform lets a window place itself (Wayland does not). Where it does not, a sheet
/// shows centred on its owner, stays its transient, and does not slide.
bool WindowsCanPlaceThemselves();
/// Makes WindowsCanPlaceThemselves() answer false on any platform until called with false again,
/// so that the path of such platforms runs where windows can be placed (tests, offscreen).
void ForceWindowsCannotPlaceThemselves(bool Force);
/// The top-left corner that centres a window of Size on Frame (both in screen coordinates).
QPoint CentredOn(const QRect& Frame, const QSize& Size);

/// Slides a window down into place (AnimateWindow with AW_SLIDE | AW_VER_POSITIVE) or up out of
/// it, over Interval milliseconds, by moving it and masking what is above its final top edge.
/// Driven by a QVariantAnimation; without a platform that places windows nothing slides.
class TVxSheetSlide : public QObject {
    Q_OBJECT
public:
    TVxSheetSlide(QWidget* Window, int Interval);
    /// Slide in to the window's current position (starts when the window shows).
    void SlideIn();
    /// Slide out; returns once the window has slid out (a local event loop, no busy waiting).
    void SlideOut();
    bool Running() const;
    /// Moves the place the window slides to (or stands at when no slide runs).
    void SetHome(const QPoint& Home);

protected:
    /// Starts the slide in when the window shows.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void Step(double Progress);
    QPointer<QWidget> FWindow;
    QVariantAnimation* FAnimation;
    QPoint FHome;
};

/// Keeps a modal sheet on the window it came out of. Where the window manager still moves a
/// window that a modal one blocks (X11 does), a sheet placed once would be left hanging. Place
/// runs on the owner's moves and size changes; the owner's close stops it. A child of the sheet's
/// window, it goes (and lets go of the owner) with it.
class TVxSheetFollower : public QObject {
    Q_OBJECT
public:
    using TPlace = std::function<void(QWidget* Sheet, QWidget* Owner)>;
    TVxSheetFollower(QWidget* Sheet, QWidget* Owner, TPlace Place);
    ~TVxSheetFollower() override;
    /// The window followed (nullptr once it closed).
    QWidget* Owner() const { return FOwner.data(); }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QPointer<QWidget> FSheet;
    QPointer<QWidget> FOwner;
    TPlace FPlace;
};

/// Ends a sheet whose window goes away while the sheet shows: the window closes (it hides) or is
/// deleted (a shown window hides first, before the windows it owns go with it). Gone runs then,
/// while the sheet and its controls still exist. A minimised window is not gone. A child of the
/// sheet's window.
class TVxSheetOwnerWatch : public QObject {
    Q_OBJECT
public:
    TVxSheetOwnerWatch(QWidget* Sheet, QWidget* Owner, std::function<void()> Gone);
    ~TVxSheetOwnerWatch() override;
    QWidget* Owner() const { return FOwner.data(); }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QPointer<QWidget> FOwner;
    std::function<void()> FGone;
};

class TVxCustomDialogSheet : public TVxDialog {
    Q_OBJECT
    VX_PUBLISHED_CLASS
public:
    explicit TVxCustomDialogSheet(TComponent* AOwner = nullptr);
    ~TVxCustomDialogSheet() override;

    using TVxDialog::Execute;
    int Execute(QObject* aOwner) override;
    int Close(int AModalResult) override;
    /// The window a modeless sheet follows (nullptr when none).
    QWidget* ActiveForm() const { return FActiveForm.data(); }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    /// A close that is allowed lets go of the followed window, however the sheet closes (a
    /// button, Escape, the close box or Close).
    void DoCloseQuery(TObject* Sender, bool& CanClose) override;

private:
    void Detach();
    void Follow();
    QPointer<QWidget> FActiveForm;
};

class TVxDialogSheet : public TVxCustomDialogSheet {
    Q_OBJECT
    VX_PUBLISHED_CLASS
public:
    explicit TVxDialogSheet(TComponent* AOwner = nullptr) : TVxCustomDialogSheet(AOwner) {}
};
