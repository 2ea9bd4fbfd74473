#pragma once

#include "component/Dispatch.h"
#include "component/Guid.h"
#include "component/Persist.h"

#include <QByteArray>
#include <QFont>
#include <QObject>
#include <QRect>

#include <functional>
#include <optional>

class QDialog;
class QWidget;

namespace pantrova {

// Hosts one calendar control for a window. It creates the control by ProgID or class identifier
// through the per-user component registry (the library is loaded, never linked), gives it a site
// that answers its ambient properties (user mode, font, background colour) and its permission
// requests, shows it inside a host widget, loads and saves its settings, turns its events into
// Qt signals, and on release() lets go of every reference it took, in the order that leaves no
// cycle. Used from the user-interface thread only.
//
// The order, as a form follows it: create(), then loadSettings() when there are saved settings,
// then activate(). The control is initialised exactly once before it is first shown: by the
// first loadSettings(), or else as a new control when activate() comes. Settings loaded after
// activate() apply all the same, exactly as they would have before it.
class CalendarHost : public QObject
{
    Q_OBJECT

public:
    // The control's identity, as registered by its library.
    static constexpr component::Guid CLSID_VorrinCtl =
        component::Guid::parse("{241A44CB-597F-11D1-9A00-00C04FD8DC2E}");
    static constexpr component::Guid DIID_CalEvents =
        component::Guid::parse("{1838E701-6526-11D1-9A11-00C04FD8DC2E}");
    static QString defaultProgId() { return QStringLiteral("Halvane.VorrinCtl"); }

    explicit CalendarHost(QObject* parent = nullptr);
    ~CalendarHost() override;

    // Ambient properties the control reads when it is sited. Changed after create(), the
    // control is told and reads them again (user mode and background colour; the font it chose
    // when sited stays its own).
    void setUserMode(bool userMode);
    void setAmbientFont(const std::optional<QFont>& font) { m_ambientFont = font; }
    void setAmbientBackColor(uint32_t oleColor);
    // Runs the control's modal windows (its popup calendar, its about box): the program passes
    // its dialog seam here so tests can answer them. Without one they run with exec().
    using ModalRunner = std::function<int(QDialog& dialog)>;
    void setModalRunner(ModalRunner runner) { m_modalRunner = std::move(runner); }
    // Answers the control's permission requests for bindable properties (default: allow).
    void setRequestEditAnswer(std::function<bool(int dispid)> answer) { m_requestEdit = std::move(answer); }

    // Creates and sites the control and advises the event sinks. When the calendar control is
    // not registered, the library beside the program is registered first. False with a reason
    // when the class is unknown or its library cannot be used.
    bool create(const QString& classOrProgId = defaultProgId(), QString* error = nullptr);
    bool isCreated() const { return m_dispatch != nullptr; }

    // Shows the control inside `parent` at `rect` (pixels).
    bool activate(QWidget* parent, const QRect& rect);
    void deactivate();
    void setRect(const QRect& rect);
    QWidget* controlWindow() const;

    // Settings in the control's stream format; on failure `error` gets the control's message.
    bool loadSettings(const QByteArray& saved, QString* error = nullptr);
    QByteArray saveSettings(QString* error = nullptr) const;
    bool loadSettings(component::IPropertyBag* bag, QString* error = nullptr);
    bool saveSettings(component::IPropertyBag* bag, QString* error = nullptr) const;
    bool isDirty() const;

    // Members by name. Failures fill `excep` when the control raised an exception.
    component::HResult getProperty(const QString& name, component::Variant& value,
                                   component::ExcepInfo* excep = nullptr) const;
    component::HResult setProperty(const QString& name, const component::Variant& value,
                                   component::ExcepInfo* excep = nullptr);
    component::HResult call(const QString& name, QList<component::Variant>& args,
                            component::ExcepInfo* excep = nullptr);
    component::IDispatch* dispatch() const { return m_dispatch; }

    // Closes the control, drops the sinks and every reference. Safe to call twice.
    void release();

signals:
    void DateChanged(double dSelected);
    void DateRangeChanged(double dStart, double dEnd);
    void DateSelect(double dSelected);
    void DateRangeSelect(double dStart, double dEnd);
    void Click();
    // `dayState` is the control's [1..n] x [1..31] array, by reference.
    void DayState(double startDate, component::Variant& dayState, bool popup, bool& handled);
    void KeyDown(short& keyCode, short shift);
    void KeyUp(short& keyCode, short shift);
    void KeyPress(short& keyAscii);

    void propertyChanged(int dispid);
    void viewChanged();
    void dataChanged();
    void focusChanged(bool hasFocus);

private:
    class Site;
    class EventSink;
    friend class Site;
    friend class EventSink;

    void onEvent(component::DispId id, QList<component::Variant>& args);
    void ambientChanged(component::DispId id);
    void initialiseAsNew();
    bool answerRequestEdit(int dispid) const { return !m_requestEdit || m_requestEdit(dispid); }
    component::HResult invoke(const QString& name, uint16_t flags, QList<component::Variant>& args,
                              component::Variant* result, component::ExcepInfo* excep) const;
    QString lastErrorText(component::HResult hr) const;

    bool m_userMode = true;
    std::optional<QFont> m_ambientFont;
    std::optional<uint32_t> m_ambientBack;
    std::function<bool(int)> m_requestEdit;
    ModalRunner m_modalRunner;

    component::IDispatch* m_dispatch = nullptr;
    Site* m_site = nullptr;
    EventSink* m_sink = nullptr;
    uint32_t m_eventCookie = 0;
    uint32_t m_notifyCookie = 0;
    bool m_initialised = false; // loaded, or started as a new control
};

// Makes sure the calendar control library in `libraryDir` (beside the executable, or the program's
// installed library folder) is the one registered for the user, registering it when it is not: the
// program's first start, or after it was moved, or uninstalled and installed again elsewhere. False
// with a reason when the library is missing or registration fails.
bool ensureCalendarControlRegistered(const QString& libraryDir, QString* error = nullptr);

} // namespace pantrova
