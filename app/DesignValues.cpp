#include "DesignValues.h"

#include "ComponentCreate.h"
#include "StringList.h"
#include "VxCollections.h"
#include "VxDialog.h"
#include "Picture.h"
#include "VxOptions.h"
#include "private/AsciiText.h"

#include <memory>

namespace {
QString ReplaceLineBreaks(const QString& Text, QStringView Break)
{
    if (!Text.contains(QLatin1Char('\n')) && !Text.contains(QLatin1Char('\r')))
        return Text;
    QString result;
    result.reserve(Text.size() + Text.size() / 8);
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text[i];
        if (c == QLatin1Char('\r')) {
            if (i + 1 < Text.size() && Text[i + 1] == QLatin1Char('\n'))
                ++i;
            result += Break;
        } else if (c == QLatin1Char('\n')) {
            result += Break;
        } else {
            result += c;
        }
    }
    return result;
}
} // namespace

QString MultiLineSectionText(const QString& Text)
{
    return ReplaceLineBreaks(Text, u"\r\n");
}

QString SingleLineSectionText(const QString& Text)
{
    return ReplaceLineBreaks(Text, u" ");
}

TTaskDialogIcon IconFromName(const QString& Name)
{
    static const struct {
        const char* Name;
        TTaskDialogIcon Icon;
    } table[] = {{"Information", tdiInformation}, {"Confirmation", tdiConfirmation}, {"Warning", tdiWarning},
                 {"Error", tdiError},             {"Shield", tdiShield},             {"Custom", tdiCustom}};
    for (const auto& entry : table)
        if (AsciiSameText(Name, QLatin1String(entry.Name)))
            return entry.Icon;
    return tdiNone;
}

namespace {
void SetLinesText(TVxExpando* Expando, const QString& Text)
{
    TStringList lines;
    lines.SetText(Text);
    Expando->SetLines(&lines);
}
} // namespace

namespace {
QByteArray PictureData(const TPicture* Picture)
{
    return Picture->Empty() ? QByteArray() : Picture->SaveToData();
}

void SetPictureData(TPicture* Picture, const QByteArray& Data)
{
    if (Data.isEmpty())
        Picture->Clear();
    else
        Picture->LoadFromData(Data);
}

void ApplyDesignItems(const TDesignItems& I, TVxDialog* D)
{
    D->CustomButtons()->Clear();
    for (const TDesignCustomButton& b : I.Buttons) {
        TVxCustomButtonItem* item = D->CustomButtons()->Add();
        item->SetCaption(b.Caption);
        TStringList info;
        info.AddStrings(b.Info);
        item->SetInfo(&info);
        item->SetModalResult(b.ModalResult);
        item->SetDefault(b.Default);
        item->SetCancel(b.Cancel);
        item->SetEnabled(b.Enabled);
        item->SetVisible(b.Visible);
        item->SetElevationRequired(b.ElevationRequired);
        item->SetHint(b.Hint);
        item->SetImageIndex(b.ImageIndex);
        item->SetPictureIndex(b.PictureIndex);
        SetPictureData(item->Glyph(), b.Glyph);
        SetPictureData(item->Picture(), b.Picture);
    }
    D->RadioButtons()->Clear();
    for (const TDesignRadioButton& r : I.Radios) {
        TVxRadioButtonItem* item = D->RadioButtons()->Add();
        item->SetCaption(r.Caption);
        item->SetValue(r.Value);
        item->SetChecked(r.Checked);
        item->SetEnabled(r.Enabled);
    }
    D->ButtonBar()->SetDefault(I.DefaultButton);
    D->ButtonBar()->SetUseDefault(I.UseDefault);
    D->Progress()->SetMin(I.ProgressMin);
    D->Progress()->SetMax(I.ProgressMax);
    D->Progress()->SetPosition(I.ProgressPosition);
    D->Progress()->SetState(I.ProgressState);
    D->Timer()->SetInterval(I.TimerInterval);
    D->RadioButton()->SetCaption(I.RadioGroupCaption);
    D->RadioButton()->SetColumns(I.RadioColumns);
    D->RadioButton()->SetShowBorder(I.RadioBorder);
}
} // namespace

TDesignItems DesignItemsFromDialog(const TVxDialog* D)
{
    TDesignItems I;
    for (int k = 0; k < D->CustomButtons()->Count(); ++k) {
        const TVxCustomButtonItem* item = D->CustomButtons()->Items(k);
        TDesignCustomButton b;
        b.Caption = item->Caption();
        b.Info = item->Info()->Lines();
        b.ModalResult = item->ModalResult();
        b.Default = item->Default();
        b.Cancel = item->Cancel();
        b.Enabled = item->Enabled();
        b.Visible = item->Visible();
        b.ElevationRequired = item->ElevationRequired();
        b.Hint = item->Hint();
        b.ImageIndex = item->ImageIndex();
        b.PictureIndex = item->PictureIndex();
        b.Glyph = PictureData(item->Glyph());
        b.Picture = PictureData(item->Picture());
        I.Buttons.append(b);
    }
    for (int k = 0; k < D->RadioButtons()->Count(); ++k) {
        const TVxRadioButtonItem* item = D->RadioButtons()->Items(k);
        I.Radios.append({item->Caption(), item->Value(), item->Checked(), item->Enabled()});
    }
    I.DefaultButton = D->ButtonBar()->Default();
    I.UseDefault = D->ButtonBar()->UseDefault();
    I.ProgressMin = D->Progress()->Min();
    I.ProgressMax = D->Progress()->Max();
    I.ProgressPosition = D->Progress()->Position();
    I.ProgressState = D->Progress()->State();
    I.TimerInterval = D->Timer()->Interval();
    I.RadioGroupCaption = D->RadioButton()->Caption();
    I.RadioColumns = D->RadioButton()->Columns();
    I.RadioBorder = D->RadioButton()->ShowBorder();
    return I;
}

void ApplyDesignToDialog(const TDesignValues& V, TVxDialog* D)
{
    D->SetTitle(V.Title);
    D->SetMainIcon(IconFromName(V.MainIcon));

    D->Header()->SetText(V.Header);
    D->Header()->SetIcon(IconFromName(V.HeaderIcon));
    D->Header()->SetVisible(V.HeaderVisible.value_or(!D->Header()->Text().isEmpty()));

    D->Instruction()->SetText(V.Instruction);
    D->Instruction()->SetIcon(IconFromName(V.InstructionIcon));

    D->Content()->SetText(V.Content);

    D->Expando()->SetVisible(V.ExpandoChecked);
    const qsizetype bar = V.ExpandoCaption.indexOf(QLatin1Char('|'));
    if (V.ExpandoCaption != QLatin1String("Expando") && bar >= 0) {
        D->Expando()->SetShowText(V.ExpandoCaption.left(bar));
        D->Expando()->SetHideText(V.ExpandoCaption.mid(bar + 1));
    }
    if (!V.ExpandoContent.isEmpty()) {
        SetLinesText(D->Expando(), V.ExpandoContent);
        D->Expando()->SetShowInFooter(false);
    } else if (!V.ExpandoFooter.isEmpty()) {
        SetLinesText(D->Expando(), V.ExpandoFooter);
        D->Expando()->SetShowInFooter(true);
    }

    D->Footer()->SetText(V.Footer);
    D->Footer()->SetIcon(IconFromName(V.FooterIcon));
    D->Footer()->SetVisible(V.FooterVisible.value_or(!D->Footer()->Text().isEmpty()));

    D->SetDialogOptions(TDialogOptions());
    if (V.ShowHelpLink) {
        D->SetDialogOptions(D->DialogOptions() + doShowHelpLink);
        D->HelpLink()->SetText(V.HelpLink);
    } else if (!V.KeepHelpLinkText) {
        D->HelpLink()->SetText(QString());
    }
    // One assignment of the whole set per checked box.
    const std::pair<bool, TDialogOption> options[] = {
        {V.RadioButtons, doRadioButtons}, {V.CommandLinks, doCommandLinks},
        {V.CommandLinksNoIcon, doCommandLinksNoIcon}, {V.ProgressBar, doProgressBar},
        {V.ProgressBarMarquee, doProgressBarMarquee}, {V.Timer, doTimer},
        {V.TopMost, doTopMost}, {V.Modal, doModal}};
    for (const auto& [checked, option] : options)
        if (checked)
            D->SetDialogOptions(D->DialogOptions() + option);

    TCommonButtons buttons = V.OtherButtons - TCommonButtons{cbYes, cbNo, cbOK, cbCancel, cbHelp, cbClose};
    const std::pair<bool, TCommonButton> common[] = {{V.ButtonYes, cbYes}, {V.ButtonNo, cbNo},
                                                      {V.ButtonOK, cbOK},   {V.ButtonCancel, cbCancel},
                                                      {V.ButtonHelp, cbHelp}, {V.ButtonClose, cbClose}};
    for (const auto& [checked, button] : common)
        if (checked)
            buttons.Include(button);
    D->ButtonBar()->SetButtons(buttons);

    D->Verification()->SetVisible(V.VerificationChecked);
    if (D->Verification()->Visible())
        D->Verification()->SetText(V.VerificationCaption);

    if (V.Items)
        ApplyDesignItems(*V.Items, D);
    if (V.CustomButtons) {
        D->CustomButtons()->Clear();
        for (const TDesignButton& button : *V.CustomButtons) {
            TVxCustomButtonItem* item = D->CustomButtons()->Add();
            item->SetCaption(button.Caption);
            if (!button.Note.isEmpty())
                item->Info()->SetText(MultiLineSectionText(button.Note));
            // A custom button closes the dialog with its own value, so every choice is told apart.
            item->SetModalResult(item->Value());
        }
    }
    if (V.RadioItems) {
        D->RadioButtons()->Clear();
        for (const QString& caption : *V.RadioItems) {
            D->RadioButtons()->Add()->SetCaption(caption);
        }
    }
    if (V.DefaultRadio > 0)
        D->DefaultRadioButton(V.DefaultRadio - 1);
    if (!V.DefaultButton.isEmpty()) {
        bool number = false;
        const int position = V.DefaultButton.toInt(&number);
        if (number) {
            for (int k = 0; k < D->CustomButtons()->Count(); ++k)
                D->CustomButtons()->Items(k)->SetDefault(k == position - 1);
            D->ButtonBar()->SetUseDefault(false);
        } else {
            const TCommonButton kinds[] = {cbYes, cbNo, cbOK, cbCancel, cbHelp, cbClose};
            const QString names[] = {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("OK"),
                                     QStringLiteral("Cancel"), QStringLiteral("Help"), QStringLiteral("Close")};
            for (int k = 0; k < 6; ++k)
                if (names[k] == V.DefaultButton) {
                    D->ButtonBar()->SetDefault(kinds[k]);
                    D->ButtonBar()->SetUseDefault(true);
                }
            for (int k = 0; k < D->CustomButtons()->Count(); ++k)
                D->CustomButtons()->Items(k)->SetDefault(false);
        }
    }
    if (V.TimerInterval)
        D->Timer()->SetInterval(*V.TimerInterval);
    if (V.ProgressPosition)
        D->Progress()->SetPosition(*V.ProgressPosition);
}

QString IconName(TTaskDialogIcon Icon)
{
    switch (Icon) {
    case tdiNone:
        return {};
    case tdiWarning:
        return QStringLiteral("Warning");
    case tdiError:
        return QStringLiteral("Error");
    case tdiInformation:
        return QStringLiteral("Information");
    case tdiConfirmation:
        return QStringLiteral("Confirmation");
    case tdiCustom:
        return QStringLiteral("Custom");
    case tdiShield:
        return QStringLiteral("Shield");
    }
    return {};
}

namespace {
// Lines as a section shows them: joined by CR LF, with a final break only when the last line is
// empty (so that setting the text gives the same lines).
QString PageText(const TStrings* Lines)
{
    QString text = Lines->Lines().join(QStringLiteral("\r\n"));
    if (!Lines->Lines().isEmpty() && Lines->Lines().constLast().isEmpty())
        text += QStringLiteral("\r\n");
    return text;
}
} // namespace

TDesignValues DesignFromDialog(const TVxDialog* D)
{
    TDesignValues V;
    V.Title = D->Title();
    V.MainIcon = IconName(D->MainIcon());
    V.Header = D->Header()->Text();
    V.HeaderIcon = IconName(D->Header()->Icon());
    if (D->Header()->Visible() != !V.Header.isEmpty())
        V.HeaderVisible = D->Header()->Visible();
    V.Instruction = D->Instruction()->Text();
    V.InstructionIcon = IconName(D->Instruction()->Icon());
    V.Content = PageText(D->Content());
    V.ExpandoChecked = D->Expando()->Visible();
    if (!D->Expando()->ShowText().isEmpty() || !D->Expando()->HideText().isEmpty())
        V.ExpandoCaption = D->Expando()->ShowText() + QLatin1Char('|') + D->Expando()->HideText();
    if (D->Expando()->Lines()->Count() > 0) {
        if (D->Expando()->ShowInFooter())
            V.ExpandoFooter = PageText(D->Expando()->Lines());
        else
            V.ExpandoContent = PageText(D->Expando()->Lines());
    }
    V.Footer = D->Footer()->Text();
    V.FooterIcon = IconName(D->Footer()->Icon());
    if (D->Footer()->Visible() != !V.Footer.isEmpty())
        V.FooterVisible = D->Footer()->Visible();

    const TDialogOptions options = D->DialogOptions();
    V.ShowHelpLink = options.Contains(doShowHelpLink);
    V.HelpLink = D->HelpLink()->Text();
    V.KeepHelpLinkText = !V.ShowHelpLink && !V.HelpLink.isEmpty();
    V.RadioButtons = options.Contains(doRadioButtons);
    V.CommandLinks = options.Contains(doCommandLinks);
    V.CommandLinksNoIcon = options.Contains(doCommandLinksNoIcon);
    V.ProgressBar = options.Contains(doProgressBar);
    V.ProgressBarMarquee = options.Contains(doProgressBarMarquee);
    V.Timer = options.Contains(doTimer);
    V.TopMost = options.Contains(doTopMost);
    V.Modal = options.Contains(doModal);

    const TCommonButtons buttons = D->ButtonBar()->Buttons();
    V.ButtonYes = buttons.Contains(cbYes);
    V.ButtonNo = buttons.Contains(cbNo);
    V.ButtonOK = buttons.Contains(cbOK);
    V.ButtonCancel = buttons.Contains(cbCancel);
    V.ButtonHelp = buttons.Contains(cbHelp);
    V.ButtonClose = buttons.Contains(cbClose);
    V.OtherButtons = buttons - TCommonButtons{cbYes, cbNo, cbOK, cbCancel, cbHelp, cbClose};

    V.VerificationChecked = D->Verification()->Visible();
    if (V.VerificationChecked)
        V.VerificationCaption = D->Verification()->Text();
    return V;
}

TVxDialog* CreateDesignDialog(TComponent* AOwner)
{
    auto* dialog = new TVxDialog(AOwner);
    dialog->SetName(QStringLiteral("VxDialog1"));
    dialog->ButtonBar()->SetColor(TColor(0x00F0F0F0));
    dialog->SetDesignPosition(336, 184);
    return dialog;
}

namespace {
QString JoinLines(const TStrings* Lines)
{
    QString text;
    for (const QString& line : Lines->Lines())
        text += line + QLatin1Char('\n');
    return text;
}
} // namespace

QString RenderCreationCode(TVxDialog* ADialog)
{
    const auto generator = std::make_unique<TComponentCreate>(); // released also on failure
    generator->AsCode(ADialog, {ccUseFree});
    return JoinLines(generator->Code());
}

QString RenderFormText(TVxDialog* ADialog)
{
    const auto generator = std::make_unique<TComponentCreate>();
    generator->AsDFM(ADialog, {ccDFMOnly});
    return JoinLines(generator->DFM());
}
