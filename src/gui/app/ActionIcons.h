#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace tavrin {

// The program's own tool-bar icons, drawn in code; a null icon for actions without one.
QIcon ActionIcon(const QString& actionName);

// The small mouse pictures of the mouse-hint panel, the left or the right button pressed.
QPixmap MouseButtonPixmap(bool rightButton);

} // namespace tavrin
