#pragma once
/// The platform's standard controls as the engine creates them: push button, memo, radio button,
/// radio group and the native progress bar. Each can be created from its meta object (the control
/// classes a client picks in OnGetControlClass are meta objects) and carries the settings the
/// engine hands over (modal result, default and cancel flags, the shield mark). \file

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

class TButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
public:
    Q_INVOKABLE explicit TButton(QWidget* Parent = nullptr);

    int ModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }
    /// Escape clicks the button whose Cancel is set.
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    /// The shield of an action that needs elevation, drawn as the button's icon.
    bool ElevationRequired() const { return FElevationRequired; }
    void SetElevationRequired(bool Value);

private:
    int FModalResult = 0;
    bool FCancel = false;
    bool FElevationRequired = false;
};

class TMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TMemo(QWidget* Parent = nullptr);
};

class TRadioButton : public QRadioButton {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TRadioButton(QWidget* Parent = nullptr);
};

/// A framed group of radio buttons laid out in columns, one per item, column by column.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TRadioGroup(QWidget* Parent = nullptr);

    int Columns() const { return FColumns; }
    void SetColumns(int Value);
    /// Adds an item; returns its index.
    int AddItem(const QString& Caption);
    int Count() const { return int(FButtons.size()); }
    QRadioButton* Buttons(int Index) const;
    /// -1 when no item is checked.
    int ItemIndex() const;
    /// The width that shows every item's caption whole in its column.
    int ItemsWidth();
    void SetItemIndex(int Value);

    /// Fired when the user checks an item.
    std::function<void()> OnClick;

protected:
    void resizeEvent(QResizeEvent* Event) override;

private:
    void Arrange();
    QList<QRadioButton*> FButtons;
    int FColumns = 1;
};

class TProgressBar : public QProgressBar {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TProgressBar(QWidget* Parent = nullptr);
    /// Marquee: the bar runs without a position.
    void SetMarquee(bool Value);
    bool Marquee() const { return FMarquee; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    bool FMarquee = false;
};
