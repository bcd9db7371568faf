#pragma once
// The icon picker: a small modal window listing the seven icon names of an icon section.

#include <QDialog>
#include <QList>

class QPushButton;
class QScrollArea;
class QVBoxLayout;
class TfrIcon;

class TfrmSelectIcon : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSelectIcon(QWidget* AOwner = nullptr);

    // Runs a fresh picker owned by AOwner, starting from AValue (when not empty). True and the
    // chosen name in AValue on OK; False with AValue untouched otherwise.
    static bool Execute(QWidget* AOwner, QString& AValue);

    // The caption of the first selected row in creation order, "None" when none is.
    QString SelectedValue() const;
    // Selects the row whose caption matches (ASCII case-insensitive), else the "None" row.
    void SetSelectedValue(const QString& Value);

    // The rows in creation order.
    const QList<TfrIcon*>& Rows() const { return FRows; }

    QScrollArea* ScrollBox1;
    QPushButton* bOK;
    QPushButton* bCancel;

    // The rows as they read, from the top ("Custom") to the bottom ("None").
    QList<TfrIcon*> VisualRows() const;

protected:
    void resizeEvent(QResizeEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void AddIconFrame(const QString& ACaption, const QPixmap& AIcon);
    QWidget* FRowHost;
    QVBoxLayout* FRowLayout;
    QList<TfrIcon*> FRows;
};
