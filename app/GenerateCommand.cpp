#include "GenerateCommand.h"

#include "Classes.h"
#include "SysUtils.h"
#include "VxDialog.h"

#include <cstdio>
#include <memory>

namespace {
const QStringList& IconNames()
{
    static const QStringList names = {QStringLiteral("None"),        QStringLiteral("Warning"),
                                      QStringLiteral("Error"),       QStringLiteral("Information"),
                                      QStringLiteral("Confirmation"), QStringLiteral("Shield"),
                                      QStringLiteral("Custom")};
    return names;
}

const QStringList& OptionNames()
{
    static const QStringList names = {
        QStringLiteral("doShowHelpLink"), QStringLiteral("doRadioButtons"),      QStringLiteral("doCommandLinks"),
        QStringLiteral("doCommandLinksNoIcon"), QStringLiteral("doProgressBar"), QStringLiteral("doProgressBarMarquee"),
        QStringLiteral("doTimer"),        QStringLiteral("doTopMost"),           QStringLiteral("doModal")};
    return names;
}

const QStringList& ButtonNames()
{
    static const QStringList names = {QStringLiteral("Yes"),  QStringLiteral("No"),   QStringLiteral("OK"),
                                      QStringLiteral("Cancel"), QStringLiteral("Help"), QStringLiteral("Close")};
    return names;
}

// The listed name that matches (ASCII case-insensitive), or an empty string.
QString Canonical(const QStringList& Names, const QString& Value)
{
    for (const QString& name : Names)
        if (name.compare(Value, Qt::CaseInsensitive) == 0 && name.size() == Value.size()) {
            bool ascii = true;
            for (QChar c : Value)
                ascii = ascii && c.unicode() < 128;
            if (ascii)
                return name;
        }
    return {};
}

QStringList SplitList(const QString& Value)
{
    QStringList items;
    for (const QString& part : Value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString item = part.trimmed();
        if (!item.isEmpty())
            items.append(item);
    }
    return items;
}

QString Accepted(const QStringList& Names)
{
    return Names.join(QStringLiteral(", "));
}
} // namespace

bool ParseGenerateArguments(const QStringList& Args, TGenerateRequest& Request, QString& Error)
{
    TDesignValues& v = Request.Values;
    const QStringList valueOptions = {
        QStringLiteral("--title"),        QStringLiteral("--header"),        QStringLiteral("--header-icon"),
        QStringLiteral("--instruction"),  QStringLiteral("--instruction-icon"), QStringLiteral("--main-icon"),
        QStringLiteral("--content"),      QStringLiteral("--expando"),       QStringLiteral("--expanded-text"),
        QStringLiteral("--expanded-in-footer"), QStringLiteral("--verification"), QStringLiteral("--footer"),
        QStringLiteral("--footer-icon"),  QStringLiteral("--help-link"),     QStringLiteral("--options"),
        QStringLiteral("--buttons")};
    for (int i = 0; i < Args.size(); ++i) {
        QString name = Args[i];
        QString value;
        bool hasValue = false;
        const qsizetype eq = name.indexOf(QLatin1Char('='));
        if (name.startsWith(QLatin1String("--")) && eq > 2) {
            value = name.mid(eq + 1);
            name = name.left(eq);
            hasValue = true;
        }
        if (name == QLatin1String("--dfm") && !hasValue) {
            Request.DFM = true;
            continue;
        }
        if (!valueOptions.contains(name)) {
            Error = QStringLiteral("unknown option '%1'; accepted: --dfm, %2").arg(Args[i], valueOptions.join(QStringLiteral(", ")));
            return false;
        }
        if (!hasValue) {
            if (i + 1 >= Args.size()) {
                Error = QStringLiteral("option '%1' needs a value").arg(name);
                return false;
            }
            value = Args[++i];
        }
        const auto icon = [&](QString& Target) {
            const QString canonical = Canonical(IconNames(), value);
            if (canonical.isEmpty()) {
                Error = QStringLiteral("unknown icon '%1' for %2; accepted: %3").arg(value, name, Accepted(IconNames()));
                return false;
            }
            Target = canonical;
            return true;
        };
        if (name == QLatin1String("--title"))
            v.Title = value;
        else if (name == QLatin1String("--header"))
            v.Header = value;
        else if (name == QLatin1String("--instruction"))
            v.Instruction = value;
        else if (name == QLatin1String("--content"))
            v.Content = value;
        else if (name == QLatin1String("--footer"))
            v.Footer = value;
        else if (name == QLatin1String("--expanded-text"))
            v.ExpandoContent = value;
        else if (name == QLatin1String("--expanded-in-footer"))
            v.ExpandoFooter = value;
        else if (name == QLatin1String("--expando")) {
            v.ExpandoChecked = true;
            v.ExpandoCaption = value;
        } else if (name == QLatin1String("--verification")) {
            v.VerificationChecked = true;
            v.VerificationCaption = value;
        } else if (name == QLatin1String("--help-link")) {
            v.ShowHelpLink = true;
            v.HelpLink = value;
        } else if (name == QLatin1String("--header-icon")) {
            if (!icon(v.HeaderIcon))
                return false;
        } else if (name == QLatin1String("--instruction-icon")) {
            if (!icon(v.InstructionIcon))
                return false;
        } else if (name == QLatin1String("--main-icon")) {
            if (!icon(v.MainIcon))
                return false;
        } else if (name == QLatin1String("--footer-icon")) {
            if (!icon(v.FooterIcon))
                return false;
        } else if (name == QLatin1String("--options")) {
            bool* flags[] = {&v.ShowHelpLink, &v.RadioButtons, &v.CommandLinks, &v.CommandLinksNoIcon,
                             &v.ProgressBar,  &v.ProgressBarMarquee, &v.Timer,  &v.TopMost, &v.Modal};
            bool chosen[9] = {};
            for (const QString& item : SplitList(value)) {
                const qsizetype k = OptionNames().indexOf(Canonical(OptionNames(), item));
                if (k < 0) {
                    Error = QStringLiteral("unknown dialog option '%1'; accepted: %2").arg(item, Accepted(OptionNames()));
                    return false;
                }
                chosen[k] = true;
            }
            for (int k = 0; k < 9; ++k)
                *flags[k] = chosen[k];
        } else if (name == QLatin1String("--buttons")) {
            bool* flags[] = {&v.ButtonYes, &v.ButtonNo, &v.ButtonOK, &v.ButtonCancel, &v.ButtonHelp, &v.ButtonClose};
            bool chosen[6] = {};
            for (const QString& item : SplitList(value)) {
                const qsizetype k = ButtonNames().indexOf(Canonical(ButtonNames(), item));
                if (k < 0) {
                    Error = QStringLiteral("unknown button '%1'; accepted: %2").arg(item, Accepted(ButtonNames()));
                    return false;
                }
                chosen[k] = true;
            }
            for (int k = 0; k < 6; ++k)
                *flags[k] = chosen[k];
        }
    }
    return true;
}

QString RenderGenerateRequest(const TGenerateRequest& Request)
{
    // The same owner and component as the main window: "VxDialog1" of "frmMain".
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    TVxDialog* dialog = CreateDesignDialog(&root);
    ApplyDesignToDialog(Request.Values, dialog);
    if (!Request.DFM)
        return RenderCreationCode(dialog);
    return RenderFormText(dialog);
}

QString UsageText()
{
    return QStringLiteral(
        "Usage:\n"
        "  quillfen                       start the designer (needs a display)\n"
        "  quillfen generate [--dfm] [design options]\n"
        "                                 print the creation code (or, with --dfm, the form text)\n"
        "                                 that Generate shows for the design; needs no display\n"
        "  quillfen --help                show this text\n"
        "\n"
        "Design options (texts are taken literally; a line break in a value is a line break):\n"
        "  --title TEXT                   window title\n"
        "  --header TEXT                  header text\n"
        "  --header-icon ICON             header icon\n"
        "  --instruction TEXT             main instruction\n"
        "  --instruction-icon ICON        instruction icon\n"
        "  --main-icon ICON               main icon\n"
        "  --content TEXT                 content text\n"
        "  --expando SHOW|HIDE            show the expando with these show and hide texts\n"
        "  --expanded-text TEXT           expanded information in the dialog body\n"
        "  --expanded-in-footer TEXT      expanded information below the footer\n"
        "  --verification TEXT            show the verification check box with this text\n"
        "  --footer TEXT                  footer text\n"
        "  --footer-icon ICON             footer icon\n"
        "  --help-link TEXT               show the help link with this text (doShowHelpLink)\n"
        "  --options LIST                 dialog options, replacing the default doModal:\n"
        "                                 %1\n"
        "  --buttons LIST                 common buttons, replacing the default OK,Cancel:\n"
        "                                 %2\n"
        "ICON is one of: %3\n"
        "LIST is comma separated; an empty list chooses none.\n"
        "Exit status: 0 on success, 2 for an unknown option or name, 1 when rendering fails.\n")
        .arg(OptionNames().join(QLatin1Char(',')), ButtonNames().join(QLatin1Char(',')),
             IconNames().join(QStringLiteral(", ")));
}

int RunGenerateCommand(const QStringList& Args)
{
    if (Args.contains(QStringLiteral("--help"))) {
        std::fputs(UsageText().toUtf8().constData(), stdout);
        return 0;
    }
    TGenerateRequest request;
    QString error;
    if (!ParseGenerateArguments(Args, request, error)) {
        std::fprintf(stderr, "quillfen generate: %s\n", error.toUtf8().constData());
        return 2;
    }
    try {
        const QByteArray text = RenderGenerateRequest(request).toUtf8();
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        std::fflush(stdout);
    } catch (const Exception& E) {
        std::fprintf(stderr, "quillfen generate: %s\n", E.Message().toUtf8().constData());
        return 1;
    }
    return 0;
}
