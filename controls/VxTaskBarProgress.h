#pragma once
/// Progress on the application's taskbar or dock entry. On Linux desktops this is the
/// com.canonical.Unity.LauncherEntry convention: an Update(app_uri, properties) signal on the
/// session bus with "progress" (0..1), "progress-visible" and "urgent" (the error state). The
/// application is named by "application://" plus its desktop file name. Without a session bus
/// every call does nothing and returns 0. \file

#include <QString>

#include <memory>

/// The taskbar progress states (flags of the platform's taskbar progress interface).
using TBPFLAG = int;
constexpr TBPFLAG TBPF_NOPROGRESS = 0, TBPF_INDETERMINATE = 0x1, TBPF_NORMAL = 0x2, TBPF_ERROR = 0x4,
                  TBPF_PAUSED = 0x8;
class TVxTaskBarProgressImpl {
public:
    /// Results of the calls, as the platform's interface gives them.
    static constexpr int ResultOk = 0;
    static constexpr int ResultFailed = int(0x80004005), ResultInvalidArg = int(0x80070057);

    /// Connects to the session bus (when there is one) and sets the state to no progress.
    TVxTaskBarProgressImpl();
    /// Sets the state to no progress.
    ~TVxTaskBarProgressImpl();
    TVxTaskBarProgressImpl(const TVxTaskBarProgressImpl&) = delete;
    TVxTaskBarProgressImpl& operator=(const TVxTaskBarProgressImpl&) = delete;

    /// One of the TBPF_* values; ResultInvalidArg for anything else, ResultFailed when the bus
    /// refused the signal, ResultOk otherwise (also without a bus).
    int SetProgressState(TBPFLAG tbpFlags);
    /// Completed of Total; a value while there is no progress or it is indeterminate makes the
    /// state normal, as on the platform. Total 0 counts as no value (0).
    int SetProgressValue(quint64 ullCompleted, quint64 ullTotal);

    /// The state and value (0..1) last set.
    TBPFLAG State() const;
    double Value() const;

    /// Whether a session bus was found.
    bool Available() const;
    /// "application://<desktop file name>.desktop"
    static QString ApplicationUri();
    /// The session bus address from DBUS_SESSION_BUS_ADDRESS, else $XDG_RUNTIME_DIR/bus when that
    /// socket exists; empty when there is none.
    static QString SessionBusAddress();

private:
    struct TPrivate;
    int Send();
    std::unique_ptr<TPrivate> d;
};
