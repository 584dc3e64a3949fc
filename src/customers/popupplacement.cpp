#include "customers/popupplacement.h"

namespace tdx {

QPoint placePopup(PopupKind kind, const PopupAnchor &a, QSize popup, const PopupFrame &f) {
    int left;
    if (f.screen.width() < a.x + popup.width()) {
        left = a.x - popup.width();
    } else {
        switch (kind) {
        case PopupKind::DiallingList:
        case PopupKind::RecipientPicker:
            left = a.x + a.anchorWidth;
            break;
        case PopupKind::ContextMenu:
            left = a.x + 50;
            break;
        case PopupKind::GroupPopup:
        default:
            left = a.x + a.groupButtonWidth;
            break;
        }
    }
    left += f.leftStripWidth - 10;
    int top = f.screen.height() < a.y + popup.height() ? a.y - popup.height() : a.y;
    top += f.listTop;
    return {left, top};
}

} // namespace tdx
