#pragma once
/// Ready-made event handlers for the standard edit types. A caller creates one handler object,
/// connects the methods it wants to an edit dialog's events (each method has the signature of the
/// event named beside it), runs the dialog and frees the object afterwards. The registry maps each
/// edit type to its handler class. \file

#include "VxEditProperties.h"
#include "VxEditTypes.h"

#include <memory>

class TVxEditEvents;

/// A handler class: its name and its plain constructor (fields at False and 0).
struct TVxEditEventClassInfo {
    const char* Name;
    std::unique_ptr<TVxEditEvents> (*Create)();
};
using TVxEditEventClass = const TVxEditEventClassInfo*;

class TVxEditEvents : public TObject {
public:
    TVxEditEvents() = default;
    static TVxEditEventClass ClassType();
    virtual TVxEditEventClass EventClass() const { return ClassType(); }
    QString ClassName() const override;

    /// OnGetEditControlClass: nil, so the dialog chooses by edit type.
    virtual void GetEditControlClass(TObject* Sender, int Index, TControlClass& ControlClass);
    /// OnGetEditValue
    virtual void GetEditValueHandler(TObject* Sender, TControl* AControl, int Index, QString& Value);
    /// OnInitialiseEdit
    virtual void InitialiseEditHandler(TObject* Sender, TControl* AControl, int Index);
    /// OnSetDefaultValue and OnSetEditValue
    virtual void SetDefaultValueHandler(TObject* Sender, TControl* AControl, int Index, const QString& Value);
    /// OnGetControlHeight: Height stays 0, the dialog's own height applies.
    virtual void GetControlHeightHandler(TObject* Sender, TControl* AControl, int Index, int& Height);
};

/// Memo: 125 pixels high (not scaled).
class TVxMemoEvents : public TVxEditEvents {
public:
    static TVxEditEventClass ClassType();
    TVxEditEventClass EventClass() const override { return ClassType(); }
    void GetControlHeightHandler(TObject* Sender, TControl* AControl, int Index, int& Height) override;
};

/// Combo box: fixed or editable, and the selected index carried out of the run.
class TVxComboEvents : public TVxEditEvents {
public:
    TVxComboEvents() = default;
    TVxComboEvents(bool AFixedList, int ASelectedIndex) : FFixedList(AFixedList), FSelectedIndex(ASelectedIndex) {}
    static TVxEditEventClass ClassType();
    TVxEditEventClass EventClass() const override { return ClassType(); }

    bool FixedList() const { return FFixedList; }
    /// The index selected when the dialog closed (read it after Execute).
    int SelectedIndex() const { return FSelectedIndex; }

    void GetEditValueHandler(TObject* Sender, TControl* AControl, int Index, QString& Value) override;
    void InitialiseEditHandler(TObject* Sender, TControl* AControl, int Index) override;
    void SetDefaultValueHandler(TObject* Sender, TControl* AControl, int Index, const QString& Value) override;

private:
    bool FFixedList = false;
    int FSelectedIndex = 0;
};

/// List box. ASelectedIndex -2 means: work with item texts, not with an index.
class TVxListEvents : public TVxEditEvents {
public:
    TVxListEvents() = default;
    explicit TVxListEvents(int ASelectedIndex) : FSelectedIndex(ASelectedIndex), FIgnoreIndex(ASelectedIndex == -2) {}
    static TVxEditEventClass ClassType();
    TVxEditEventClass EventClass() const override { return ClassType(); }

    int SelectedIndex() const { return FSelectedIndex; }
    bool IgnoreIndex() const { return FIgnoreIndex; }

    void GetEditValueHandler(TObject* Sender, TControl* AControl, int Index, QString& Value) override;
    void SetDefaultValueHandler(TObject* Sender, TControl* AControl, int Index, const QString& Value) override;
    void GetControlHeightHandler(TObject* Sender, TControl* AControl, int Index, int& Height) override;

private:
    int FSelectedIndex = 0;
    bool FIgnoreIndex = false;
};

/// Date picker: the value is a date in the program's short date format.
class TVxDateEvents : public TVxEditEvents {
public:
    static TVxEditEventClass ClassType();
    TVxEditEventClass EventClass() const override { return ClassType(); }
    void GetEditValueHandler(TObject* Sender, TControl* AControl, int Index, QString& Value) override;
    void SetDefaultValueHandler(TObject* Sender, TControl* AControl, int Index, const QString& Value) override;
};

/// Time picker: the value is a time in the program's long time format.
class TVxTimeEvents : public TVxEditEvents {
public:
    static TVxEditEventClass ClassType();
    TVxEditEventClass EventClass() const override { return ClassType(); }
    void GetEditValueHandler(TObject* Sender, TControl* AControl, int Index, QString& Value) override;
    void SetDefaultValueHandler(TObject* Sender, TControl* AControl, int Index, const QString& Value) override;
};

/// Month calendar: the value is a date in the program's short date format.
class TVxCalendarEvents : public TVxEditEvents {
public:
    static TVxEditEventClass ClassType();
    TVxEditEventClass EventClass() const override { return ClassType(); }
    void GetEditValueHandler(TObject* Sender, TControl* AControl, int Index, QString& Value) override;
    void SetDefaultValueHandler(TObject* Sender, TControl* AControl, int Index, const QString& Value) override;
};

/// The handler class of every edit type.
class TVxRegisteredEvents : public TObject {
public:
    TVxRegisteredEvents();
    /// The entry at the type's ordinal (modulo 128); TVxEditEvents past the end of the list. The
    /// check list, rich edit and web page types have no class (nullptr): check before creating.
    TVxEditEventClass GetEvent(int AEditType) const;
    /// Replaces an entry (ordinal modulo 128); raises EListError past the end of the list.
    void SetEvent(int AEditType, TVxEditEventClass AEventClass);

private:
    QList<TVxEditEventClass> FEvents;
};

/// The program's one registry (lives from start-up to exit).
TVxRegisteredEvents& RegisteredEvents();
TVxEditEventClass GetEditEventClass(int AEditType);
