#pragma once

#include <QIcon>

// The editor's own icon: a wire-frame brush with its corners on a dark tile,
// the same picture as resources/tolve.svg.
QIcon MakeApplicationIcon();
