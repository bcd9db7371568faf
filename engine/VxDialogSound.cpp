#include "VxDialogSound.h"

#include <QFileInfo>
#include <QThreadPool>

#include <canberra.h>

namespace {

// One libcanberra context for the process, opened on the first sound. A failed open (no sound
// server, no driver) is remembered, so later dialogs do not try again.
void CanberraPlay(const TVxSoundRequest& Request)
{
    static ca_context* context = [] {
        ca_context* c = nullptr;
        if (ca_context_create(&c) != CA_SUCCESS)
            return static_cast<ca_context*>(nullptr);
        ca_context_change_props(c, CA_PROP_APPLICATION_NAME, "Quillfen", nullptr);
        if (ca_context_open(c) != CA_SUCCESS) {
            ca_context_destroy(c);
            return static_cast<ca_context*>(nullptr);
        }
        return c;
    }();
    if (!context)
        return;
    // ca_context_play returns at once; the sound plays on libcanberra's own thread.
    if (!Request.FileName.isEmpty())
        ca_context_play(context, 0, CA_PROP_MEDIA_FILENAME, Request.FileName.toLocal8Bit().constData(), nullptr);
    else
        ca_context_play(context, 0, CA_PROP_EVENT_ID, Request.EventId.toUtf8().constData(),
                        CA_PROP_CANBERRA_CACHE_CONTROL, "volatile", nullptr);
}

// Opening the context loads libcanberra's back end and reads the sound set-up, tens of
// milliseconds; a pool thread does it, so that a dialog's first frame never waits for its sound.
// The application joins the pool's threads when it ends.
void CanberraPlayInBackground(const TVxSoundRequest& Request)
{
    QThreadPool::globalInstance()->start([Request] { CanberraPlay(Request); });
}

TVxSoundPlayer& Player()
{
    static TVxSoundPlayer player;
    return player;
}

} // namespace

QString SoundEventIdForAlias(const QString& Alias)
{
    struct Entry {
        const char* Alias;
        const char* EventId;
    };
    // The elevation prompt has no sound of its own in the freedesktop theme; it asks for
    // attention like a warning.
    static const Entry entries[] = {
        {"SystemExclamation", "dialog-warning"}, {"SystemHand", "dialog-error"},
        {"SystemAsterisk", "dialog-information"}, {"SystemQuestion", "dialog-question"},
        {"WindowsUAC", "dialog-warning"},
    };
    for (const Entry& e : entries)
        if (Alias.compare(QLatin1String(e.Alias), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(e.EventId);
    return {};
}

void PlayDialogSound(const QString& Sound, quint32 Flags)
{
    if (Sound.isEmpty())
        return;
    TVxSoundRequest request;
    if (Flags & SND_ALIAS) {
        request.EventId = SoundEventIdForAlias(Sound);
        // SND_NODEFAULT: an unknown alias plays nothing.
        if (request.EventId.isEmpty())
            return;
    } else if (QFileInfo(Sound).isFile()) {
        request.FileName = Sound;
    } else {
        request.EventId = Sound;
    }
    if (Player())
        Player()(request);
    else
        CanberraPlayInBackground(request);
}

TVxSoundPlayer SetSoundPlayer(TVxSoundPlayer Value)
{
    std::swap(Player(), Value);
    return Value;
}
