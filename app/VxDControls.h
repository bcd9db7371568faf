#pragma once
// The section control of the design page: a framed rectangle standing for one text or icon of the
// designed dialog. It shows the entered value, or a "[ Caption ]" placeholder, or the chosen
// icon; a double click edits it in place (or lets the owner take over, as the icon sections do).

#include "Classes.h"
#include "Graphics.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QWidget>

enum TVxDEditType { etText, etSingleText, etIcon, etSmallIcon };

// Sender, Handled (False on entry; True takes the edit request over).
using TVxDShowEditEvent = TEvent<TObject*, bool&>;

// The stock icon number a section icon name stands for (ASCII case-insensitive), 0 for none.
int IconResourceId(const QString& Name);

// Rectangles of a section, apart from painting.
namespace SectionGeometry {
// The dashed frame: the client rectangle less 2 on every side.
QRect FrameRect(const QRect& Client);
// Where a text or placeholder is drawn: the frame less 8 left and right, 3 top, 2 bottom.
QRect TextRect(const QRect& Client);
// Where the caption of an icon section without icon is drawn: the frame with its top 4 lower.
QRect IconCaptionRect(const QRect& Client);
// Top left corner of a centred icon of `IconSize` pixels.
QPoint IconTopLeft(const QSize& Client, int IconSize);
// 32 for etIcon, 16 for etSmallIcon, 0 for text sections.
int IconSize(TVxDEditType EditType);
// The in-place editor: 8 in from every side.
QRect EditorRect(const QSize& Client);
} // namespace SectionGeometry

class TVxDCustomSectionControl : public QWidget, public TObject {
    Q_OBJECT
public:
    explicit TVxDCustomSectionControl(QWidget* Parent = nullptr);
    ~TVxDCustomSectionControl() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; } // painting always uses the window colour
    TVxDEditType EditType() const { return FEditType; }
    void SetEditType(TVxDEditType Value);
    // The value: a text section stores its line breaks as CR LF (a one-line section as spaces),
    // also when it is given LF.
    QString EditValue() const { return FEditValue; }
    void SetEditValue(const QString& Value);
    // Font and colour of the value; the widget's font and FontColor draw the placeholder.
    const QFont& EditValueFont() const { return FEditValueFont; }
    void SetEditValueFont(const QFont& Value);
    QColor EditValueColor() const { return FEditValueColor; }
    void SetEditValueColor(const QColor& Value);
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor& Value);

    bool IsEditing() const { return FIsEditing; }
    void SetIsEditing(bool Value);
    // The in-place editor, nullptr until the first edit (and after an EditType change).
    QWidget* Editor() const { return FEditor; }
    // What the section would hold if the edit ended now: the editor's text while editing, the
    // value otherwise.
    QString DraftValue() const;

    // The text this section draws now (value or placeholder) and whether it is the value.
    QString DisplayText(bool* IsValue = nullptr) const;

    TVxDShowEditEvent OnShowEdit;
    TNotifyEvent OnClick;

Q_SIGNALS:
    // The value changed: set from code, or an in-place edit ended with another text.
    void EditValueChanged();
    // The text in the in-place editor changed (typed, or set with the value): DraftValue follows
    // every keystroke while EditValue waits for the edit to end.
    void DraftChanged();

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

    virtual void Click();
    virtual void DblClick();

private:
    void BeginEdit();
    void EndEdit();
    void DestroyEditor();
    QString EditorText() const;
    // Text as this kind of section stores it: CR LF line breaks in a multi-line section, spaces
    // for line breaks in a one-line section.
    QString StoredText(const QString& Text) const;
    void SetEditorText(const QString& Text);
    void Paint(QPainter& Painter);

    QWidget* FEditor = nullptr;
    QString FEditValue;
    TVxDEditType FEditType = etText;
    QFont FEditValueFont;
    QColor FEditValueColor;
    QColor FFontColor;
    bool FIsEditing = false;
    QString FCaption;
    TColor FColor = clWindow;
    bool FEnding = false;
    bool FPressed = false;
    bool FSwallowRelease = false;
};

class TVxDSectionControl : public TVxDCustomSectionControl {
    Q_OBJECT
public:
    using TVxDCustomSectionControl::TVxDCustomSectionControl;
};
