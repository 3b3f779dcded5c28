// SPDX-License-Identifier: MIT
// The assistant's icon for its windows, drawn from the same scalable file
// that is installed into the icon theme.
#pragma once

#include <QIcon>
#include <QString>

namespace platform::qt {

// The SVG at path rendered at the sizes window managers and task bars ask
// for; an empty icon when the file is missing or unreadable, which leaves the
// desktop's default in place.
QIcon windowIconFrom(const QString& path);

} // namespace platform::qt
