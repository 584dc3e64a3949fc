#pragma once

#include <QString>

namespace tdx {

// The few things windows ask of the main window, reached through the context.
class MainOps {
public:
    virtual ~MainOps() = default;
    // Enables or disables the main view and the page control (and the notification timer).
    virtual void set_state(bool on) = 0;
    virtual void showLoading() = 0;
    virtual void hideLoading() = 0;
    virtual bool loadingVisible() const = 0;
    // Closes the dialling list, recipient picker, context menu and group pop-up if open.
    virtual void closePopups() = 0;
    // Whether the recipient picker is open, and closing it.
    virtual bool pickerVisible() const = 0;
    virtual void closePicker() = 0;
    // The main view's auto-record box ("녹취").
    virtual bool recording() const = 0;
    // The red telephony notice of the main view, with its caption and hint.
    virtual void showTelephonyNotice(const QString &caption, const QString &hint) = 0;
    virtual void hideTelephonyNotice() = 0;
};

} // namespace tdx
