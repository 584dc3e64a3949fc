#pragma once

#include <QPoint>
#include <QSize>

namespace tdx {

// Where one of the main view's four small pop-ups goes beside the control that opened it.
enum class PopupKind { DiallingList = 0, RecipientPicker = 1, ContextMenu = 2, GroupPopup = 3 };

struct PopupAnchor {
    int x = 0;                // anchor's left + main window's left
    int y = 0;                // anchor's top + main window's top
    int anchorWidth = 0;      // kinds 0 and 1
    int groupButtonWidth = 0; // kind 3
};

struct PopupFrame {
    QSize screen;       // the screen's size
    int leftStripWidth; // width of the main view's left menu strip
    int listTop;        // top of the customer list area
};

// The pop-up's top-left: to the right of the anchor when it fits on the screen, else to its left;
// moved up by its height when it would pass the bottom edge.
QPoint placePopup(PopupKind kind, const PopupAnchor &anchor, QSize popup, const PopupFrame &frame);

} // namespace tdx
