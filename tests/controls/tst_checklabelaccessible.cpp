// What assistive tools see of the check box, the labels, the expand/collapse toggle and the
// caption control.

#include "VxCaptionControl.h"
#include "VxCheckBox.h"
#include "VxLabel.h"

#include "Shell.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QTest>
#include <QUrl>

namespace {

QAccessibleActionInterface* Actions(QAccessibleInterface* Iface)
{
    return Iface ? Iface->actionInterface() : nullptr;
}

// Receives what the shell would open.
struct ShellSpy {
    QList<QUrl> Opened;
    TShellOpenHandler Previous;
    ShellSpy()
    {
        Previous = SetShellOpenHandler([this](const QUrl& Url) {
            Opened << Url;
            return true;
        });
    }
    ~ShellSpy() { SetShellOpenHandler(Previous); }
};

} // namespace

class tst_CheckLabelAccessible : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void checkBox();
    void checkBoxToggleAction();
    void disabledAndFocusedStates_data();
    void disabledAndFocusedStates();
    void toggle();
    void label();
    void captionControlName_data();
    void captionControlName();
    void captionControlLink();

private:
    std::unique_ptr<QWidget> FWindow;
};

void tst_CheckLabelAccessible::init() { FWindow = std::make_unique<QWidget>(); }

void tst_CheckLabelAccessible::cleanup()
{
    FWindow.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_CheckLabelAccessible::checkBox()
{
    auto* box = new TVxCheckBox(FWindow.get());
    box->SetCaption(QStringLiteral("  &Do not ask again"));
    box->setAccessibleDescription(QStringLiteral("Stops the question"));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::CheckBox);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Do not ask again"));
    QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("Stops the question"));
    QVERIFY(iface->state().checkable);
    QVERIFY(!iface->state().checked);
    box->SetChecked(true);
    QVERIFY(iface->state().checked);
    box->SetCaption(QStringLiteral("Other"));
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Other"));
}

void tst_CheckLabelAccessible::checkBoxToggleAction()
{
    auto* box = new TVxCheckBox(FWindow.get());
    box->SetCaption(QStringLiteral("&Verify"));
    int clicks = 0;
    box->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    QAccessibleActionInterface* actions = Actions(QAccessible::queryAccessibleInterface(box));
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    QVERIFY(!actions->keyBindingsForAction(QAccessibleActionInterface::toggleAction()).isEmpty());
    // Works like a click: toggles and reports it.
    actions->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(box->Checked());
    QCOMPARE(clicks, 1);
    actions->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(!box->Checked());
    QCOMPARE(clicks, 2);

    box->setEnabled(false);
    QVERIFY(!actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    actions->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(!box->Checked());
    QCOMPARE(clicks, 2);
}

void tst_CheckLabelAccessible::disabledAndFocusedStates_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("check box") << QStringLiteral("checkbox");
    QTest::newRow("toggle") << QStringLiteral("toggle");
    QTest::newRow("caption control") << QStringLiteral("caption");
}

void tst_CheckLabelAccessible::disabledAndFocusedStates()
{
    QFETCH(QString, kind);
    QWidget* control = nullptr;
    if (kind == QLatin1String("checkbox")) {
        control = new TVxCheckBox(FWindow.get());
    } else if (kind == QLatin1String("toggle")) {
        control = new TVxMoreLabel(FWindow.get());
    } else {
        auto* caption = new TVxCaptionControl(FWindow.get());
        caption->SetText(QStringLiteral("<a href=\"https://example.org\">Help</a>"));
        caption->setFocusPolicy(Qt::StrongFocus);
        control = caption;
    }
    auto* other = new QWidget(FWindow.get());
    other->setFocusPolicy(Qt::StrongFocus);
    FWindow->show();
    QVERIFY(QTest::qWaitForWindowActive(FWindow.get()));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    QVERIFY(iface);

    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QVERIFY(!iface->state().focused);
    control->setFocus();
    QTRY_VERIFY(control->hasFocus());
    QVERIFY(iface->state().focused);
    QVERIFY(!iface->state().disabled);
    control->setEnabled(false);
    QVERIFY(iface->state().disabled);
    QVERIFY(!iface->state().focused);
}

void tst_CheckLabelAccessible::toggle()
{
    auto* more = new TVxMoreLabel(FWindow.get());
    more->SetCaption(QStringLiteral("&See details"));
    QStringList events;
    more->OnClick = TNotifyEvent([&](TObject*) { events << QStringLiteral("click"); });
    more->OnExpanded = TNotifyEvent([&](TObject*) {
        events << QStringLiteral("expanded");
        more->SetCaption(QStringLiteral("&Hide details"));
    });
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(more);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("See details"));
    QVERIFY(iface->state().expandable);
    QVERIFY(iface->state().collapsed);
    QVERIFY(!iface->state().expanded);

    QAccessibleActionInterface* actions = Actions(iface);
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(more->Expanded());
    QCOMPARE(events, QStringList({"click", "expanded"}));
    QVERIFY(iface->state().expanded);
    QVERIFY(!iface->state().collapsed);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Hide details"));

    more->setEnabled(false);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(more->Expanded());
}

void tst_CheckLabelAccessible::label()
{
    auto* label = new TVxCustomLabel(FWindow.get());
    label->SetCaption(QStringLiteral("&Name:"));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(label);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::StaticText);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Name:"));
}

void tst_CheckLabelAccessible::captionControlName_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QAccessible::Role>("role");

    QTest::newRow("plain") << QStringLiteral("Save the file?") << QStringLiteral("Save the file?")
                           << QAccessible::StaticText;
    QTest::newRow("markup") << QStringLiteral("Hello <b>World</b>, <i>really</i> <u>now</u>")
                            << QStringLiteral("Hello World, really now") << QAccessible::StaticText;
    QTest::newRow("lines") << QStringLiteral("first\r\nsecond") << QStringLiteral("first\nsecond")
                           << QAccessible::StaticText;
    QTest::newRow("text with a link")
        << QStringLiteral("See <a href=\"https://example.org\">the guide</a> for more.")
        << QStringLiteral("See the guide for more.") << QAccessible::StaticText;
    QTest::newRow("only a link") << QStringLiteral("<a href=\"https://example.org\">Online help</a>")
                                 << QStringLiteral("Online help") << QAccessible::Link;
    QTest::newRow("unclosed tag stays text") << QStringLiteral("<u>open") << QStringLiteral("<u>open")
                                             << QAccessible::StaticText;
}

void tst_CheckLabelAccessible::captionControlName()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    QFETCH(QAccessible::Role, role);

    auto* control = new TVxCaptionControl(FWindow.get());
    control->resize(300, 40);
    control->SetText(text);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->role(), role);
    control->setToolTip(QStringLiteral("More about it"));
    QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("More about it"));
}

void tst_CheckLabelAccessible::captionControlLink()
{
    ShellSpy shell;
    auto* control = new TVxCaptionControl(FWindow.get());
    control->resize(300, 40);
    control->SetText(QStringLiteral("<a href=\"https://example.org/help\">Online help</a>"));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("https://example.org/help"));
    QVERIFY(iface->state().linked);
    QAccessibleActionInterface* actions = Actions(iface);
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(shell.Opened, QList<QUrl>({QUrl(QStringLiteral("https://example.org/help"))}));

    // A handler that takes the click keeps the address from being opened.
    control->OnLinkClick = TVxLinkClickEvent([](TObject*, const QString&, bool& Handled) { Handled = true; });
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(shell.Opened.size(), 1);

    // A whole control treated as a link reports a click when it has no address.
    int clicks = 0;
    control->SetText(QStringLiteral("Show the log"));
    control->SetTreatAsLink(true);
    control->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    QCOMPARE(iface->role(), QAccessible::Link);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks, 1);
    QCOMPARE(shell.Opened.size(), 1);

    // Plain static text offers no press action.
    control->SetTreatAsLink(false);
    QVERIFY(!actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
}

QTEST_MAIN(tst_CheckLabelAccessible)
#include "tst_checklabelaccessible.moc"
