#pragma once
// The designer's live preview: a picture of the designed dialog as it will run, made by the
// engine from a window it builds hidden and never shows, soon after every change of the design.
// The picture can be asked for collapsed or expanded, light or dark, left to right or right to
// left, and at a scale from 1 to 2 (device pixels per pixel, as a scaled screen paints). A click
// on a part of the picture names the design page section that holds that part.

#include "DesignValues.h"

#include <QImage>
#include <QRect>
#include <QWidget>

#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QScrollArea;
class TComponent;
class TVxDialog;
class TVxDialogEngine;

// The parts of the picture a click can pick, named for the page sections that hold them.
enum class TLiveSection {
    None, Title, Header, HeaderIcon, Instruction, InstructionIcon, MainIcon, Content, HelpLink,
    ExpandoContent, ExpandoFooter, Footer, FooterIcon
};

// The dialog's items a click can pick: a custom button or command link and a radio button with
// its place in its collection, a common button of the bar with its TCommonButton, the radio
// buttons' group box, the progress bar and the verification check box (index 0).
enum class TLiveItem { None, CustomButton, RadioButton, RadioGroup, CommonButton, ProgressBar, Verification };

struct TLiveItemRef {
    TLiveItem Kind = TLiveItem::None;
    int Index = -1;
    bool operator==(const TLiveItemRef&) const = default;
};

struct TLivePreviewLook {
    bool Expanded = false;
    bool Dark = false;
    bool RightToLeft = false;
    // 1 to 2.
    double Scale = 1.0;
    bool operator==(const TLivePreviewLook&) const = default;
};

class TLivePreview : public QWidget {
    Q_OBJECT
public:
    explicit TLivePreview(QWidget* Parent = nullptr);
    ~TLivePreview() override;

    // Takes the design: Base's properties with Values over them, as ApplyDesignToDialog makes
    // the dialog that Preview runs. The picture follows once the event loop runs again (changes
    // that come together are drawn once); UpdateNow draws it at once.
    void SetDesign(const TVxDialog* Base, const TDesignValues& Values);
    void UpdateNow();
    bool UpdatePending() const { return FPending; }

    TLivePreviewLook Look() const { return FLook; }
    void SetLook(const TLivePreviewLook& Look);

    // The picture as shown: a title strip over the dialog's client area, Look().Scale device
    // pixels per pixel. Null while the pane shows a placeholder instead.
    QImage Picture() const { return FPicture; }
    // Why no picture shows (the design is too large to draw on every change); empty otherwise.
    QString PlaceholderText() const { return FPlaceholder; }
    // The section at a point of the picture, in its pixels (not device pixels).
    TLiveSection SectionAt(const QPoint& PicturePoint) const;
    // Where a section lies in the picture (the first part when it has several); empty if absent.
    QRect SectionRect(TLiveSection Section) const;
    // The item at a point of the picture (Kind None where a section or nothing is), and where an
    // item lies (empty when the picture does not show it). An item stands over its section.
    TLiveItemRef ItemAt(const QPoint& PicturePoint) const;
    QRect ItemRect(TLiveItem Kind, int Index) const;
    // What a click at the point edits, for the picture's tip; empty where a click does nothing.
    QString PartDescription(const QPoint& PicturePoint) const;
    // The widget that shows the picture (a click on it picks a section).
    QWidget* PictureWidget() const;

    // Past these the pane shows a placeholder: laying out grows with the text and the items.
    static constexpr qsizetype MaxTextLength = 20000;
    static constexpr int MaxItems = 200;

    QCheckBox* ExpandedBox;
    QCheckBox* DarkBox;
    QCheckBox* RightToLeftBox;
    QComboBox* ScaleBox;

signals:
    void SectionClicked(TLiveSection Section);
    void ItemClicked(TLiveItem Kind, int Index);
    void PictureChanged();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void ScheduleUpdate();
    void ReadLookFromControls();
    void ShowPicture();
    // One clickable part of the picture: a section or an item.
    struct TRegion {
        QRect Rect;
        TLiveSection Section = TLiveSection::None;
        TLiveItemRef Item;
        QString Name;
    };
    const TRegion* RegionAt(const QPoint& PicturePoint) const;
    void AddItemRegions(TVxDialogEngine* Engine, QWidget* Form, const QPoint& Origin);
    // The picture point under a point of the picture widget.
    QPoint PicturePoint(const QPointF& WidgetPoint) const;

    std::unique_ptr<TComponent> FRoot;
    TVxDialog* FDialog;
    TDesignValues FValues;
    bool FHasDesign = false;
    bool FPending = false;
    TLivePreviewLook FLook;
    QImage FPicture;
    QString FPlaceholder;
    // Parts of the picture in its pixels, the ones to pick first first.
    std::vector<TRegion> FRegions;
    QScrollArea* FScroll;
    QLabel* FPictureLabel;
};
