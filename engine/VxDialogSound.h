#pragma once
/// The sound a dialog plays when it shows. The dialog names a system sound alias (or, from
/// OnGetCustomSound, a sound of its own); on Linux the alias becomes an event of the freedesktop
/// sound theme played through libcanberra. Without a sound server nothing is heard and nothing
/// fails. \file

#include <QString>

#include <functional>

/// Sound flags of the platform call.
constexpr quint32 SND_ASYNC = 0x0001;
constexpr quint32 SND_NODEFAULT = 0x0002;
constexpr quint32 SND_NOSTOP = 0x0010;
constexpr quint32 SND_ALIAS = 0x10000;

/// The freedesktop event id of a system alias ("SystemExclamation" -> "dialog-warning"); empty for
/// a name that is no known alias.
QString SoundEventIdForAlias(const QString& Alias);

/// What the player is asked to play: an event id of the sound theme, or a sound file.
struct TVxSoundRequest {
    QString EventId;
    QString FileName;
};

/// Plays Sound as the platform's sndPlaySound(Sound, Flags) would: with SND_ALIAS an alias, else a
/// file name (a name that is no file is taken as an event id of the sound theme). An empty name
/// plays nothing.
void PlayDialogSound(const QString& Sound, quint32 Flags);

/// Replaces the player (tests record the requests); an empty player restores libcanberra.
/// Returns the player installed before.
using TVxSoundPlayer = std::function<void(const TVxSoundRequest&)>;
TVxSoundPlayer SetSoundPlayer(TVxSoundPlayer Player);
