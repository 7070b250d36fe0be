#pragma once

#include <QColor>

// The colours of our windows, named once. Printed pages keep theirs in the page templates.
namespace Colours {

inline const QColor kWindowBackground{0xE6, 0xEE, 0xF6}; // the archive windows' background
inline const QColor kToolbarStrip{0xF7, 0xF9, 0xFC};     // the strip behind a window's picture buttons
inline const QColor kHintStrip{0x1F, 0x4E, 0x8C};        // the hint line, under white text
inline const QColor kHintText{Qt::white};
inline const QColor kCrimson{0xDC, 0x14, 0x3C};     // titles, notices and "please wait"
inline const QColor kFocusYellow{Qt::yellow};       // a field while it has the focus
inline const QColor kAliceBlue{0xF0, 0xF8, 0xFF};   // key fields of a card
inline const QColor kFieldWhite{Qt::white};         // the other fields
inline const QColor kSkyBlue{0x87, 0xCE, 0xEB};     // a field's border
inline const QColor kSteelBlue{0x46, 0x82, 0xB4};   // top of the launcher's gradient
inline const QColor kPanelBorder{0x8A, 0xA6, 0xC1}; // the launcher's panel
inline const QColor kPanelFill{255, 255, 255, 200};

} // namespace Colours
